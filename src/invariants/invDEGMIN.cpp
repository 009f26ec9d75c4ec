#include "invariants/invDEGMIN.h"

#include <algorithm>

invDEGMIN::invDEGMIN(bool displayed)
{
    initInvariant("DEGMIN", "Minimum degree among vertices of the graph.", "1", "1", GraphValue, displayed);
}

invDEGMIN::~invDEGMIN() = default;

void invDEGMIN::recompute()
{
    Graph::Row adj[Graph::MaxNodes];
    const int n = readGraph(adj);
    if (n < 0)
        return;
    // No degree reaches n, so the start survives only on the empty graph, where it is 0.
    int best = n;
    for (int v = 0; v < n; ++v)
        best = std::min(best, degree(adj, v));
    value[0][0] = best;
}
