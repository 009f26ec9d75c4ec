#include "invariants/invPENDING.h"

invPENDING::invPENDING(bool displayed)
{
    initInvariant("PENDING", "Number of pending vertices, vertices of degree 1.", "1", "1", GraphValue, displayed);
}

invPENDING::~invPENDING() = default;

void invPENDING::recompute()
{
    Graph::Row adj[Graph::MaxNodes];
    const int n = readGraph(adj);
    if (n < 0)
        return;
    int count = 0;
    for (int v = 0; v < n; ++v)
        if (degree(adj, v) == 1)
            ++count;
    value[0][0] = count;
}
