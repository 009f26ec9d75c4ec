#include "invariants/invDEGREES.h"

invDEGREES::invDEGREES(bool displayed)
{
    initInvariant("DEGREES", "Degree vector, number of vertices that are adjacent to each individual vertex.", "n",
                  "1", NodeValue, displayed);
}

invDEGREES::~invDEGREES() = default;

void invDEGREES::recompute()
{
    Graph::Row adj[Graph::MaxNodes];
    const int n = readGraph(adj);
    for (int v = 0; v < n; ++v)
        value[v][0] = degree(adj, v);
}
