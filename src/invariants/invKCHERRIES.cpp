#include "invariants/invKCHERRIES.h"

invKCHERRIES::invKCHERRIES(bool displayed)
{
    initInvariant("KCHERRIES", "$KC_i$ is the number of pending vertices that are attached to the vertex $i$.", "n",
                  "1", GraphValue, displayed);
    degrees.fill(0, Graph::MaxNodes);
}

invKCHERRIES::~invKCHERRIES() = default;

void invKCHERRIES::recompute()
{
    Graph::Row adj[Graph::MaxNodes];
    const int n = readGraph(adj);
    Graph::Row pendant = 0;
    for (int v = 0; v < n; ++v) {
        degrees[v] = degree(adj, v);
        if (degrees[v] == 1)
            pendant |= adjacency::bit(v);
    }
    for (int v = 0; v < n; ++v)
        value[v][0] = adjacency::popcount(adj[v] & pendant);
}
