#ifndef VERTEXCONNECTIVITY_H
#define VERTEXCONNECTIVITY_H

#include "graph/Adjacency.h"

// Vertex connectivity: the fewest vertices whose removal disconnects the graph, n - 1 for a
// complete graph (and for n < 2), 0 for a disconnected one. Computed from unit-capacity
// maximum flows between non-adjacent pairs (Menger), which gives the same number as trying
// every removal set.
class VertexConnectivity
{
public:
    static int compute(const adjacency::Row rows[adjacency::MaxNodes], int n);

    // Number of internally disjoint s-t paths between the non-adjacent vertices s and t,
    // counted up to limit.
    static int disjointPaths(const adjacency::Row rows[adjacency::MaxNodes], int n, int s, int t, int limit);
};

#endif
