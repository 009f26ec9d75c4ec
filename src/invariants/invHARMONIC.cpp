#include "invariants/invHARMONIC.h"

invHARMONIC::invHARMONIC(bool displayed)
{
    initInvariant("HARMONIC", "Sum of inverse distances to other vertices.", "n", "1", NodeValue, displayed);
}

invHARMONIC::~invHARMONIC() = default;

void invHARMONIC::recompute()
{
    withDistances([this](const Distances &d, const Graph::Row *, int n) {
        // Kept with the error flag: a vertex out of reach adds 1e-12.
        for (int i = 0; i < n; ++i) {
            double sum = 0.0;
            for (int j = 0; j < n; ++j)
                if (j != i)
                    sum += 1.0 / d.at(i, j);
            value[i][0] = sum;
        }
        error = !d.connected();
    });
}
