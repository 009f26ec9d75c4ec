#ifndef BETWEENNESS_H
#define BETWEENNESS_H

#include "graph/Adjacency.h"
#include "invariants/core/Distances.h"

// Edge betweenness over all shortest paths: an edge {a, b} receives, from every unordered
// pair {s, t}, the share of the s-t shortest paths that run along it, times a weight of the
// pair's distance d (1, 1/d or 1/d^2). Paths are counted, not listed, so the number of
// shortest paths of a 32-vertex graph never limits the computation.
class Betweenness
{
public:
    enum Weight { Plain, ByDistance, BySquaredDistance };

    // False (and an all-zero value) on a disconnected graph.
    bool compute(const adjacency::Row rows[adjacency::MaxNodes], const Distances &distances, Weight weight);

    int order() const { return n; }
    // Value of the edge {i, j}; 0 for non-adjacent pairs and on the diagonal.
    double at(int i, int j) const { return value[i][j]; }
    // Sum of the values of the edges at v.
    double rowSum(int v) const;

private:
    int n = 0;
    double value[adjacency::MaxNodes][adjacency::MaxNodes] = {};
};

#endif
