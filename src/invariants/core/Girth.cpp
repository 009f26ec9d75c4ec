#include "invariants/core/Girth.h"

#include "invariants/core/BreadthFirstTree.h"

#include <algorithm>

using namespace adjacency;

void Girth::compute(const Row rows[MaxNodes], int count)
{
    const int n = std::max(0, std::min(count, int(MaxNodes)));
    length = 0;
    std::fill(marked, marked + MaxNodes, Row(0));
    const Row all = lowMask(n);
    int best = 2 * MaxNodes + 1; // above every closure
    BreadthFirstTree tree;
    for (int s = 0; s < n; ++s) {
        // A closure at depth d has length 2d + 1 at least; deeper roots cannot improve.
        tree.grow(rows, n, s);
        for (int k = 0; k < tree.reachedCount(); ++k) {
            const int u = tree.queued(k);
            const int du = tree.depth(u);
            if (2 * du + 1 >= best)
                break;
            for (Row r = rows[u] & all; r; r &= r - 1) {
                const int w = lowest(r);
                // Reached before u was taken, at u's depth or one deeper: not u's parent
                // and not a vertex that u reaches first.
                if (tree.parent(w) == u || tree.depth(w) < du)
                    continue;
                const int candidate = tree.depth(w) + du + 1;
                if (candidate < best) {
                    best = candidate;
                    std::fill(marked, marked + MaxNodes, Row(0));
                    tree.markPath(u, marked);
                    tree.markPath(w, marked);
                    marked[u] |= bit(w);
                    marked[w] |= bit(u);
                }
            }
        }
    }
    if (best <= n)
        length = best;
}
