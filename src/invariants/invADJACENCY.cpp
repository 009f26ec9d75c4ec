#include "invariants/invADJACENCY.h"

invADJACENCY::invADJACENCY(bool displayed)
{
    initInvariant("ADJACENCY", "Adjacency matrix", "n", "n", NotInsertable, displayed);
}

invADJACENCY::~invADJACENCY() = default;

void invADJACENCY::recompute()
{
    Graph::Row adj[Graph::MaxNodes];
    const int n = readGraph(adj);
    writeAdjacency(value, adj, n, 1.0);
}
