#include "invariants/invTRANSMISSION.h"

invTRANSMISSION::invTRANSMISSION(bool displayed)
{
    initInvariant("TRANSMISSION", "Sum of distances to other vertices.", "n", "1", NodeValue, displayed);
}

invTRANSMISSION::~invTRANSMISSION() = default;

void invTRANSMISSION::recompute()
{
    withDistances([this](const Distances &d, const Graph::Row *, int n) {
        // Kept with the error flag: 1e12 for each vertex out of reach.
        for (int i = 0; i < n; ++i)
            value[i][0] = d.transmission(i);
        error = !d.connected();
    });
}
