#include "invariants/core/VertexConnectivity.h"

#include <algorithm>
#include <cstdint>

using namespace adjacency;

namespace {
using Mask = std::uint64_t;
inline Mask bit64(int j) { return Mask(1) << j; }
} // namespace

int VertexConnectivity::disjointPaths(const Row rows[MaxNodes], int n, int s, int t, int limit)
{
    // Split graph: vertex v is the arc in(v) = v -> out(v) = n + v of capacity 1; an edge u-v
    // gives the arcs out(u) -> in(v) and out(v) -> in(u). With unit capacities and no two
    // arcs between the same ordered pair, the residual graph is one bitmask per node.
    const Row all = lowMask(n);
    Mask residual[2 * MaxNodes];
    for (int v = 0; v < n; ++v) {
        residual[v] = bit64(n + v);
        Mask out = 0;
        for (Row r = rows[v] & all; r; r &= r - 1)
            out |= bit64(lowest(r));
        residual[n + v] = out;
    }
    const int source = n + s;
    const int sink = t;
    int parent[2 * MaxNodes];
    int flow = 0;
    while (flow < limit) {
        Mask seen = bit64(source);
        Mask frontier = seen;
        bool found = false;
        while (frontier && !found) {
            Mask next = 0;
            for (Mask f = frontier; f; f &= f - 1) {
                const int x = __builtin_ctzll(f);
                for (Mask g = residual[x] & ~seen & ~next; g; g &= g - 1) {
                    const int y = __builtin_ctzll(g);
                    parent[y] = x;
                    next |= bit64(y);
                }
            }
            seen |= next;
            frontier = next;
            found = (next & bit64(sink)) != 0;
        }
        if (!found)
            break;
        for (int y = sink; y != source; y = parent[y]) {
            const int x = parent[y];
            residual[x] &= ~bit64(y);
            residual[y] |= bit64(x);
        }
        ++flow;
    }
    return flow;
}

int VertexConnectivity::compute(const Row rows[MaxNodes], int n)
{
    if (n < 2)
        return n - 1;
    const Row all = lowMask(n);
    int best = n - 1;
    // A smallest separator S misses one of the vertices 0..|S|, and that vertex has a
    // non-adjacent partner behind S; so sources beyond the current best need no trying.
    for (int s = 0; s < n && s <= best; ++s) {
        const Row others = all & ~rows[s] & ~(bit(s));
        for (Row r = others; r && best > 0; r &= r - 1) {
            const int t = lowest(r);
            best = std::min(best, disjointPaths(rows, n, s, t, best));
        }
    }
    return best;
}
