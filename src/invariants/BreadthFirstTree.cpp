#include "invariants/BreadthFirstTree.h"

#include <algorithm>

void BreadthFirstTree::grow(const Graph::Row rows[Graph::MaxNodes], int n_, int root)
{
    n = std::max(0, std::min(n_, int(Graph::MaxNodes)));
    std::fill(up, up + n, -1);
    std::fill(level, level + n, -1);
    count = 0;
    if (root < 0 || root >= n)
        return;
    const Graph::Row all = n >= 32 ? ~Graph::Row(0) : (Graph::Row(1) << n) - 1;
    Graph::Row seen = Graph::Row(1) << root;
    queue[count++] = root;
    level[root] = 0;
    for (int head = 0; head < count; ++head) {
        const int u = queue[head];
        for (Graph::Row r = rows[u] & all & ~seen; r; r &= r - 1) {
            const int w = __builtin_ctz(r);
            seen |= Graph::Row(1) << w;
            up[w] = u;
            level[w] = level[u] + 1;
            queue[count++] = w;
        }
    }
}

int BreadthFirstTree::firstAtDepth(int d) const
{
    for (int k = 0; k < count; ++k)
        if (level[queue[k]] == d)
            return queue[k];
    return -1;
}

void BreadthFirstTree::markPath(int v, Graph::Row marked[Graph::MaxNodes]) const
{
    if (v < 0 || v >= n)
        return;
    for (int p = up[v]; p >= 0; v = p, p = up[v]) {
        marked[v] |= Graph::Row(1) << p;
        marked[p] |= Graph::Row(1) << v;
    }
}
