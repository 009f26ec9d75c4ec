#include "invariants/Girth.h"

#include "invariants/BreadthFirstTree.h"

#include <algorithm>

void Girth::compute(const Graph::Row rows[Graph::MaxNodes], int count)
{
    const int n = std::max(0, std::min(count, int(Graph::MaxNodes)));
    length = 0;
    std::fill(marked, marked + Graph::MaxNodes, Graph::Row(0));
    const Graph::Row all = n >= 32 ? ~Graph::Row(0) : (Graph::Row(1) << n) - 1;
    int best = 2 * Graph::MaxNodes + 1; // above every closure
    BreadthFirstTree tree;
    for (int s = 0; s < n; ++s) {
        // A closure at depth d has length 2d + 1 at least; deeper roots cannot improve.
        tree.grow(rows, n, s);
        for (int k = 0; k < tree.reachedCount(); ++k) {
            const int u = tree.queued(k);
            const int du = tree.depth(u);
            if (2 * du + 1 >= best)
                break;
            for (Graph::Row r = rows[u] & all; r; r &= r - 1) {
                const int w = __builtin_ctz(r);
                // Reached before u was taken, at u's depth or one deeper: not u's parent
                // and not a vertex that u reaches first.
                if (tree.parent(w) == u || tree.depth(w) < du)
                    continue;
                const int candidate = tree.depth(w) + du + 1;
                if (candidate < best) {
                    best = candidate;
                    std::fill(marked, marked + Graph::MaxNodes, Graph::Row(0));
                    tree.markPath(u, marked);
                    tree.markPath(w, marked);
                    marked[u] |= Graph::Row(1) << w;
                    marked[w] |= Graph::Row(1) << u;
                }
            }
        }
    }
    if (best <= n)
        length = best;
}
