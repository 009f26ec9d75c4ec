#include "invariants/invSIZE.h"

invSIZE::invSIZE(bool displayed)
{
    initInvariant("SIZE", "Size of the graph, $m = |E|$, the number of edges of the graph.", "1", "1", GraphValue,
                  displayed);
}

invSIZE::~invSIZE() = default;

void invSIZE::recompute()
{
    Graph::Row adj[Graph::MaxNodes];
    const int n = readGraph(adj);
    if (n < 0)
        return;
    int ends = 0;
    for (int i = 0; i < n; ++i)
        ends += degree(adj, i);
    value[0][0] = ends / 2;
}
