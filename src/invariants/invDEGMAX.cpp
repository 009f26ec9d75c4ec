#include "invariants/invDEGMAX.h"

#include <algorithm>

invDEGMAX::invDEGMAX(bool displayed)
{
    initInvariant("DEGMAX", "Maximum degree among vertices of the graph.", "1", "1", GraphValue, displayed);
}

invDEGMAX::~invDEGMAX() = default;

void invDEGMAX::recompute()
{
    Graph::Row adj[Graph::MaxNodes];
    const int n = readGraph(adj);
    if (n < 0)
        return;
    int best = 0;
    for (int v = 0; v < n; ++v)
        best = std::max(best, degree(adj, v));
    value[0][0] = best;
}
