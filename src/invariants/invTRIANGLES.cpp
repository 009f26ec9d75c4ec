#include "invariants/invTRIANGLES.h"

invTRIANGLES::invTRIANGLES(bool displayed)
{
    initInvariant("TRIANGLES", "The number of triangles in the graph.", "1", "1", GraphValue, displayed);
}

invTRIANGLES::~invTRIANGLES() = default;

void invTRIANGLES::recompute()
{
    Graph::Row adj[Graph::MaxNodes];
    const int n = readGraph(adj);
    if (n < 0)
        return;
    // Each triangle i < j < k once: k is taken among the common neighbours above j.
    int count = 0;
    for (int i = 0; i < n; ++i)
        for (Graph::Row r = adj[i] & above(i); r; r &= r - 1) {
            const int j = adjacency::lowest(r);
            count += adjacency::popcount(adj[i] & adj[j] & above(j));
        }
    value[0][0] = count;
}
