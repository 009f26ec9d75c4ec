#include "invariants/invK4.h"

invK4::invK4(bool displayed)
{
    initInvariant("K4", "The number of K4 in the graph.", "1", "1", GraphValue, displayed);
}

invK4::~invK4() = default;

void invK4::recompute()
{
    Graph::Row adj[Graph::MaxNodes];
    const int n = readGraph(adj);
    if (n < 0)
        return;
    // Each quadruple i < j < k < l once: k and l among the common neighbours of i and j above j.
    int count = 0;
    for (int i = 0; i < n; ++i)
        for (Graph::Row r = adj[i] & above(i); r; r &= r - 1) {
            const int j = adjacency::lowest(r);
            const Graph::Row common = adj[i] & adj[j] & above(j);
            for (Graph::Row s = common; s; s &= s - 1) {
                const int k = adjacency::lowest(s);
                count += adjacency::popcount(common & adj[k] & above(k));
            }
        }
    value[0][0] = count;
}
