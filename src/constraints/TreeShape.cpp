#include "constraints/TreeShape.h"

using adjacency::bit;

TreeShape::TreeShape(const Graph::Row r[Graph::MaxNodes], int count, const Distances &d)
    : rows(r), dist(d), n(count)
{
    if (!d.connected())
        return;
    int twiceEdges = 0;
    for (int v = 0; v < n; ++v) {
        const int deg = __builtin_popcount(rows[v]);
        twiceEdges += deg;
        if (deg == 1)
            ++leaves;
        if (deg > maxDegree)
            maxDegree = deg;
    }
    if (twiceEdges / 2 > n - 1) {
        shape = NotTree;
        return;
    }
    shape = Tree;
    diameter = d.diameter();
    for (int i = 1; i < n; ++i)
        for (int j = 0; j < i; ++j)
            if (d.hops(i, j) == diameter) {
                a = i;
                b = j;
                return;
            }
}

Graph::Row TreeShape::spine() const
{
    Graph::Row on = 0;
    for (int v = 0; v < n; ++v)
        if (dist.hops(v, a) + dist.hops(v, b) == diameter)
            on |= bit(v);
    return on;
}

bool TreeShape::isLobster() const
{
    Graph::Row near = spine();
    for (int step = 0; step < 2; ++step) {
        Graph::Row grown = near;
        for (Graph::Row f = near; f; f &= f - 1)
            grown |= rows[__builtin_ctz(f)];
        near = grown;
    }
    const Graph::Row all = adjacency::lowMask(n);
    return near == all;
}

bool TreeShape::isComet() const
{
    if (leaves != maxDegree)
        return false;
    int longLegs = 0;
    for (int v = 0; v < n; ++v)
        if (__builtin_popcount(rows[v]) == 1 && __builtin_popcount(rows[__builtin_ctz(rows[v])]) == 2)
            ++longLegs;
    return longLegs == 1;
}
