#include "invariants/invLAPLACIAN.h"

invLAPLACIAN::invLAPLACIAN(bool displayed)
{
    initInvariant("LAPLACIAN",
                  "Laplacian matrix, $L=D-A$, where $D$ is a matrix with degrees on the main diagonal and $A$ is "
                  "the adjacency matrix.",
                  "n", "n", NotInsertable, displayed);
}

invLAPLACIAN::~invLAPLACIAN() = default;

void invLAPLACIAN::recompute()
{
    Graph::Row adj[Graph::MaxNodes];
    const int n = readGraph(adj);
    writeLaplacian(value, adj, n, -1.0);
}
