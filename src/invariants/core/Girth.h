#ifndef GIRTH_H
#define GIRTH_H

#include "graph/Adjacency.h"

// Shortest cycle. A breadth-first search from every root in index order closes a cycle
// whenever a vertex sees an already reached neighbour at least as far from the root; the
// shortest such closure over all roots is the girth, and the first one met of that length
// is the cycle kept (its two tree paths to the root and the closing edge).
class Girth
{
public:
    void compute(const adjacency::Row rows[adjacency::MaxNodes], int n);

    bool hasCycle() const { return length > 0; }
    // Girth; 0 when the graph has no cycle.
    int girth() const { return length; }
    // Symmetric rows of the edges of the kept cycle (all zero without a cycle).
    const adjacency::Row *cycle() const { return marked; }

private:
    int length = 0;
    adjacency::Row marked[adjacency::MaxNodes] = {};
};

#endif
