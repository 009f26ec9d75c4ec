#ifndef FLOWBETWEENNESS_H
#define FLOWBETWEENNESS_H

#include "graph/Adjacency.h"
#include "invariants/core/Distances.h"

// Normalised flow betweenness: for every ordered pair (s, t) a unit flow leaves s and splits
// equally, at every vertex, among the onward neighbours on the shortest s-t paths; an edge
// collects half of each directed flow along it, and the matrix is then divided entrywise by
// the geometric mean of its row sums.
class FlowBetweenness
{
public:
    // False (and an all-zero value) on a disconnected graph.
    bool compute(const adjacency::Row rows[adjacency::MaxNodes], const Distances &distances);

    int order() const { return n; }
    double at(int i, int j) const { return value[i][j]; }
    // The edge value before the normalisation.
    double raw(int i, int j) const { return flow[i][j]; }

private:
    int n = 0;
    double flow[adjacency::MaxNodes][adjacency::MaxNodes] = {};
    double value[adjacency::MaxNodes][adjacency::MaxNodes] = {};
};

#endif
