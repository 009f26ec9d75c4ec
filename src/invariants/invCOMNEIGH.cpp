#include "invariants/invCOMNEIGH.h"

invCOMNEIGH::invCOMNEIGH(bool displayed)
{
    initInvariant("COMNEIGH", "Number of common neighbors", "n", "n", NotInsertable, displayed);
}

invCOMNEIGH::~invCOMNEIGH() = default;

void invCOMNEIGH::recompute()
{
    Graph::Row adj[Graph::MaxNodes];
    const int n = readGraph(adj);
    // Rows hold no loops, so a common neighbour of i and j is neither i nor j. The diagonal
    // is never written.
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j) {
            const double c = adjacency::popcount(adj[i] & adj[j]);
            value[i][j] = c;
            value[j][i] = c;
        }
}
