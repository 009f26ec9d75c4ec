#include "invariants/core/BreadthFirstTree.h"

#include <algorithm>

using namespace adjacency;

void BreadthFirstTree::grow(const Row rows[MaxNodes], int n_, int root)
{
    n = std::max(0, std::min(n_, int(MaxNodes)));
    std::fill(up, up + n, -1);
    std::fill(level, level + n, -1);
    count = 0;
    if (root < 0 || root >= n)
        return;
    const Row all = lowMask(n);
    Row seen = bit(root);
    queue[count++] = root;
    level[root] = 0;
    for (int head = 0; head < count; ++head) {
        const int u = queue[head];
        for (Row r = rows[u] & all & ~seen; r; r &= r - 1) {
            const int w = lowest(r);
            seen |= bit(w);
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

void BreadthFirstTree::markPath(int v, Row marked[MaxNodes]) const
{
    if (v < 0 || v >= n)
        return;
    for (int p = up[v]; p >= 0; v = p, p = up[v]) {
        marked[v] |= bit(p);
        marked[p] |= bit(v);
    }
}
