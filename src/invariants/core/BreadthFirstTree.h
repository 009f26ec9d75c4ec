#ifndef BREADTHFIRSTTREE_H
#define BREADTHFIRSTTREE_H

#include "graph/Adjacency.h"

// One breadth-first search from a root, vertices taken first in first out and neighbours
// tried in index order: each vertex keeps the vertex that reached it first. The highlight
// items draw their paths and trees from it.
class BreadthFirstTree
{
public:
    void grow(const adjacency::Row rows[adjacency::MaxNodes], int n, int root);

    int order() const { return n; }
    bool reachedAll() const { return count == n; }
    // Vertices in the order they entered the queue (the root first).
    int reachedCount() const { return count; }
    int queued(int k) const { return queue[k]; }
    // -1 for the root and for vertices not reached.
    int parent(int v) const { return up[v]; }
    // -1 for vertices not reached.
    int depth(int v) const { return level[v]; }
    // The first vertex queued at the given depth, -1 when there is none.
    int firstAtDepth(int d) const;
    // Adds the edges of the tree path from v up to the root to the symmetric rows.
    void markPath(int v, adjacency::Row marked[adjacency::MaxNodes]) const;

private:
    int n = 0;
    int count = 0;
    int queue[adjacency::MaxNodes] = {};
    int up[adjacency::MaxNodes] = {};
    int level[adjacency::MaxNodes] = {};
};

#endif
