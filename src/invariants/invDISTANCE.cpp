#include "invariants/invDISTANCE.h"

invDISTANCE::invDISTANCE(bool displayed)
{
    initInvariant("DISTANCES", "Distance matrix, geodesic distance between pairs of vertices.", "n", "n", NotInsertable,
                  displayed);
}

invDISTANCE::~invDISTANCE() = default;

void invDISTANCE::recompute()
{
    withDistances([this](const Distances &d, const Graph::Row *, int n) {
        // Kept with the error flag on a disconnected graph, 1e12 between components.
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                value[i][j] = d.at(i, j);
        error = !d.connected();
    });
}
