#include "invariants/ExactColouring.h"

#include "invariants/StableSets.h"

#include <algorithm>
#include <cstdint>

namespace {
using Row = Graph::Row;
inline Row bit(int j) { return Row(1) << j; }
} // namespace

void ExactColouring::peel(const Graph::Row rows[Graph::MaxNodes])
{
    Row work[Graph::MaxNodes];
    int degree[Graph::MaxNodes];
    for (int i = 0; i < n; ++i) {
        work[i] = rows[i];
        degree[i] = __builtin_popcount(rows[i]);
    }
    Row peeled = 0;
    int placed = 0;
    int threshold = 1;
    while (placed < n) {
        bool any = false;
        for (int i = 0; i < n; ++i) {
            if ((peeled & bit(i)) || degree[i] > threshold)
                continue;
            for (Row r = work[i]; r; r &= r - 1) {
                const int j = __builtin_ctz(r);
                work[j] &= ~bit(i);
                --degree[j];
            }
            work[i] = 0;
            peeled |= bit(i);
            order[n - 1 - placed] = i;
            ++placed;
            any = true;
        }
        if (!any)
            ++threshold;
    }
}

int ExactColouring::smallestFree(const Graph::Row rows[Graph::MaxNodes], int v, int above) const
{
    std::uint64_t used = (std::uint64_t(2) << above) - 1; // colours 0..above
    for (Row r = rows[v]; r; r &= r - 1)
        used |= std::uint64_t(1) << current[__builtin_ctz(r)];
    return __builtin_ctzll(~used);
}

int ExactColouring::compute(const Graph::Row rows[Graph::MaxNodes], int count)
{
    n = std::max(0, std::min(count, int(Graph::MaxNodes)));
    best = 0;
    if (n == 0)
        return 0;
    std::fill(current, current + n, 0);
    std::fill(opener, opener + n, false);
    peel(rows);

    // First fit along the order.
    for (int k = 0; k < n; ++k) {
        const int u = order[k];
        const int c = smallestFree(rows, u, 0);
        current[u] = c;
        opener[k] = c > best;
        best = std::max(best, c);
    }
    std::copy(current, current + n, result);

    const int floor = StableSets::cliqueNumber(rows, n);
    while (best > floor) {
        // Position of the vertex that opened the highest colour in use.
        int p = 0;
        for (int k = 0, flags = 0; k < n; ++k)
            if (opener[k] && ++flags == best) {
                p = k + 1;
                break;
            }
        if (p == 0)
            break;
        int k = p - 1;
        while (k > 0 && (opener[k] || current[order[k]] >= best))
            --k;
        for (int r = k + 1; r < n; ++r) {
            current[order[r]] = 0;
            opener[r] = false;
        }
        if (k == 0)
            break;

        int open = 0;
        for (int r = 0; r <= k; ++r)
            open += opener[r];
        const int x = order[k];
        int c = smallestFree(rows, x, current[x]);
        if (c > open) {
            opener[k] = true;
            open = c;
        }
        current[x] = c;
        if (c >= best)
            continue;

        for (int r = k + 1; r < n; ++r) {
            const int u = order[r];
            c = smallestFree(rows, u, 0);
            if (c > open) {
                opener[r] = true;
                open = c;
            }
            current[u] = c;
            if (r == n - 1) {
                if (open < best) {
                    best = open;
                    std::copy(current, current + n, result);
                }
                break;
            }
            if (c >= best)
                break;
        }
    }
    return best;
}
