#include "invariants/invSLLAPLACIAN.h"

invSLLAPLACIAN::invSLLAPLACIAN(bool displayed)
{
    initInvariant("SLLAPLACIAN",
                  "Signless Laplacian matrix, $SLL=D+A$, where $D$ is a matrix with degrees on the main diagonal "
                  "and $A$ is the adjacency matrix.",
                  "Signless Laplacian matrix, SLL=D+A, where D is a matrix with degrees on the main diagonal and A "
                  "is the adjacency matrix.",
                  "n", "n", NotInsertable, displayed);
}

invSLLAPLACIAN::~invSLLAPLACIAN() = default;

void invSLLAPLACIAN::recompute()
{
    Graph::Row adj[Graph::MaxNodes];
    const int n = readGraph(adj);
    writeLaplacian(value, adj, n, 1.0);
}
