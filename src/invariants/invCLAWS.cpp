#include "invariants/invCLAWS.h"

invCLAWS::invCLAWS(bool displayed)
{
    // The count is of vertices of degree exactly 3 with pairwise non-adjacent neighbours; the
    // text says so rather than promising every induced star.
    initInvariant("CLAWS",
                  "Number of claws in the graph, counted as the vertices of degree exactly 3 whose three neighbors "
                  "are pairwise non-adjacent (centres of an induced star $S_4$ with no further neighbor).",
                  "1", "1", GraphValue, displayed);
}

invCLAWS::~invCLAWS() = default;

void invCLAWS::recompute()
{
    Graph::Row adj[Graph::MaxNodes];
    const int n = readGraph(adj);
    if (n < 0)
        return;
    int count = 0;
    for (int u = 0; u < n; ++u) {
        const Graph::Row nb = adj[u];
        if (adjacency::popcount(nb) != 3)
            continue;
        // Rows hold no loops, so a neighbour's row meets nb only at another neighbour.
        Graph::Row inside = 0;
        for (Graph::Row r = nb; r; r &= r - 1)
            inside |= adj[adjacency::lowest(r)] & nb;
        if (!inside)
            ++count;
    }
    value[0][0] = count;
}
