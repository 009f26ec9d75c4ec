#include "invariants/invCLOSENESS.h"

invCLOSENESS::invCLOSENESS(bool displayed)
{
    initInvariant("CLOSENESS", "1/(Sum of distances to other vertices).", "n", "1", NodeValue, displayed);
}

invCLOSENESS::~invCLOSENESS() = default;

void invCLOSENESS::recompute()
{
    withDistances([this](const Distances &d, const Graph::Row *, int n) {
        // Kept with the error flag: a vertex out of reach adds 1e12 to the sum. A lone vertex
        // has no distance to sum and gets 0, the limit of 1/sum as its distances grow.
        for (int i = 0; i < n; ++i) {
            const double sum = d.transmission(i);
            value[i][0] = sum > 0.0 ? 1.0 / sum : 0.0;
        }
        error = !d.connected();
    });
}
