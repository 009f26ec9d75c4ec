#ifndef TREESHAPE_H
#define TREESHAPE_H

#include "graph/Graph.h"
#include "invariants/core/Distances.h"

// What the graph-family items read of a graph: whether it is connected, whether it is a tree,
// and for a tree its degrees, leaves and a diametral path. Pure over one adjacency snapshot
// (symmetric rows without diagonal, n >= 2) and its breadth-first distances; both must outlive
// the shape.
//
// Deliberate conventions, relied on by the items: connectivity is decided before the edge
// count, so a forest is Disconnected, not NotTree; the single edge K2 is a path, a star, a
// caterpillar and a lobster, but not a spider (it has 2 leaves and maximum degree 1) and not a
// comet; a path is never a comet, nor is a star.
class TreeShape
{
public:
    enum Kind { Disconnected, NotTree, Tree };

    TreeShape(const Graph::Row rows[Graph::MaxNodes], int n, const Distances &d);

    Kind kind() const { return shape; }

    // The member tests below are meaningful for a tree only.
    bool isTree() const { return shape == Tree; }
    bool isPath() const { return leaves == 2; }
    bool isStar() const { return maxDegree == n - 1; }
    // Leaves = maximum degree: a tree has 2 + sum over its vertices of (deg - 2)^+ leaves,
    // so this holds exactly when at most one vertex has degree 3 or more, K2 excepted.
    bool isSpider() const { return leaves == maxDegree; }
    // A tree always has the D - 1 inner vertices of a diametral path as inner vertices;
    // it is a caterpillar exactly when it has no other.
    bool isCaterpillar() const { return n + 1 - leaves == diameter; }
    // Every vertex within distance 2 of the diametral path; any longest path gives the same
    // answer in a tree.
    bool isLobster() const;
    // A spider with exactly one leg longer than one edge: a star with at least 3 leaves and a
    // path hung on one of them.
    bool isComet() const;

    int order() const { return n; }
    int leafCount() const { return leaves; }
    int degreeMax() const { return maxDegree; }
    int diameterLength() const { return diameter; }
    // The diametral pair: the first pair (i, j), i ascending and j < i within each i, whose
    // distance is the diameter; a is the larger index.
    int diametralA() const { return a; }
    int diametralB() const { return b; }
    // The vertices of the path from a to b.
    Graph::Row spine() const;

private:
    const Graph::Row *rows;
    const Distances &dist;
    int n;
    Kind shape = Disconnected;
    int leaves = 0;
    int maxDegree = 0;
    int diameter = 0;
    int a = 0;
    int b = 0;
};

#endif
