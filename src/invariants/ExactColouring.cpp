#include "invariants/ExactColouring.h"

#include "invariants/StableSets.h"

#include <algorithm>
#include <cstdint>

namespace {
using Row = Graph::Row;
inline Row bit(int j) { return Row(1) << j; }
inline Row lowMask(int count) { return count >= 32 ? ~Row(0) : (bit(count) - 1); }

// Decides whether a graph can be coloured with k colours. Vertices with fewer than k
// neighbours can always be coloured last, so they are peeled off first; what remains is
// coloured one connected component at a time (a dead end in one component never makes the
// search retry another), the most constrained vertex first: most distinct colours around it,
// then most uncoloured neighbours, with one maximum clique fixed to the first colours.
class KColouring
{
public:
    KColouring(const Row *rows_, int n_) : rows(rows_), n(n_) {}

    bool possible(int colours)
    {
        k = colours;
        Row core = lowMask(n);
        for (bool peeled = true; peeled;) {
            peeled = false;
            for (Row r = core; r; r &= r - 1) {
                const int v = __builtin_ctz(r);
                if (__builtin_popcount(rows[v] & core) < k) {
                    core &= ~bit(v);
                    peeled = true;
                }
            }
        }
        while (core) {
            Row component = core & (~core + 1);
            for (Row grown = component; grown;) {
                Row next = 0;
                for (Row r = grown; r; r &= r - 1)
                    next |= rows[__builtin_ctz(r)];
                grown = next & core & ~component;
                component |= grown;
            }
            core &= ~component;
            if (!colour(component))
                return false;
        }
        return true;
    }

private:
    bool colour(Row component)
    {
        Row adj[Graph::MaxNodes] = {};
        for (Row r = component; r; r &= r - 1)
            adj[__builtin_ctz(r)] = rows[__builtin_ctz(r)] & component;
        const Row clique = StableSets::firstMaximumClique(adj, n);
        if (__builtin_popcount(clique) > k)
            return false;
        used = 0;
        for (Row r = clique; r; r &= r - 1)
            classes[used++] = bit(__builtin_ctz(r));
        return search(component & ~clique);
    }

    bool search(Row uncoloured)
    {
        if (!uncoloured)
            return true;
        int v = -1;
        int topSaturation = -1;
        int topDegree = -1;
        for (Row r = uncoloured; r; r &= r - 1) {
            const int u = __builtin_ctz(r);
            int saturation = 0;
            for (int c = 0; c < used; ++c)
                saturation += (classes[c] & rows[u]) != 0;
            const int degree = __builtin_popcount(rows[u] & uncoloured);
            if (saturation > topSaturation || (saturation == topSaturation && degree > topDegree)) {
                v = u;
                topSaturation = saturation;
                topDegree = degree;
            }
        }
        if (topSaturation >= k)
            return false;
        for (int c = 0; c < used; ++c) {
            if (classes[c] & rows[v])
                continue;
            classes[c] |= bit(v);
            const bool done = search(uncoloured & ~bit(v));
            classes[c] &= ~bit(v);
            if (done)
                return true;
        }
        if (used < k) {
            classes[used++] = bit(v);
            const bool done = search(uncoloured & ~bit(v));
            classes[--used] = 0;
            if (done)
                return true;
        }
        return false;
    }

    const Row *rows;
    int n;
    int k = 0;
    int used = 0;
    Row classes[Graph::MaxNodes] = {};
};
} // namespace

int ExactColouring::chromaticNumber(const Graph::Row rows[Graph::MaxNodes], int n)
{
    n = std::max(0, std::min(n, int(Graph::MaxNodes)));
    Row adj[Graph::MaxNodes] = {};
    for (int v = 0; v < n; ++v)
        adj[v] = rows[v] & lowMask(n);
    KColouring test(adj, n);
    int k = StableSets::cliqueNumber(adj, n);
    while (k < n && !test.possible(k))
        ++k;
    return k;
}

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

int ExactColouring::compute(const Graph::Row given[Graph::MaxNodes], int count)
{
    n = std::max(0, std::min(count, int(Graph::MaxNodes)));
    best = 0;
    if (n == 0)
        return 0;
    Row adj[Graph::MaxNodes] = {};
    for (int v = 0; v < n; ++v)
        adj[v] = given[v] & lowMask(n);
    const Row *rows = adj;
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

    const int floor = chromaticNumber(rows, n);
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
