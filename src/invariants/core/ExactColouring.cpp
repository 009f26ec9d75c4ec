#include "invariants/core/ExactColouring.h"

#include "invariants/core/StableSets.h"

#include <algorithm>
#include <cstdint>

using namespace adjacency;

namespace {
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
                const int v = lowest(r);
                if (popcount(rows[v] & core) < k) {
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
                    next |= rows[lowest(r)];
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
        Row adj[MaxNodes] = {};
        for (Row r = component; r; r &= r - 1)
            adj[lowest(r)] = rows[lowest(r)] & component;
        const Row clique = StableSets::firstMaximumClique(adj, n);
        if (popcount(clique) > k)
            return false;
        used = 0;
        for (Row r = clique; r; r &= r - 1)
            classes[used++] = bit(lowest(r));
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
            const int u = lowest(r);
            int saturation = 0;
            for (int c = 0; c < used; ++c)
                saturation += (classes[c] & rows[u]) != 0;
            const int degree = popcount(rows[u] & uncoloured);
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
    Row classes[MaxNodes] = {};
};
} // namespace

int ExactColouring::chromaticNumber(const Row rows[MaxNodes], int n)
{
    n = std::max(0, std::min(n, int(MaxNodes)));
    Row adj[MaxNodes] = {};
    for (int v = 0; v < n; ++v)
        adj[v] = rows[v] & lowMask(n);
    KColouring test(adj, n);
    int k = StableSets::cliqueNumber(adj, n);
    while (k < n && !test.possible(k))
        ++k;
    return k;
}

void ExactColouring::peel(const Row rows[MaxNodes])
{
    Row work[MaxNodes];
    int degree[MaxNodes];
    for (int i = 0; i < n; ++i) {
        work[i] = rows[i];
        degree[i] = popcount(rows[i]);
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
                const int j = lowest(r);
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

int ExactColouring::compute(const Row given[MaxNodes], int count)
{
    n = std::max(0, std::min(count, int(MaxNodes)));
    best = 0;
    if (n == 0)
        return 0;
    Row adj[MaxNodes] = {};
    for (int v = 0; v < n; ++v)
        adj[v] = given[v] & lowMask(n);
    const Row *rows = adj;
    peel(rows);
    best = chromaticNumber(rows, n);

    // Depth-first along the order: the vertex at position r takes, in increasing order, the
    // colours that no coloured neighbour has, up to one more than the colours in use before it
    // (a colour beyond that would only rename one). The backtracking search that starts from
    // the first-fit colouring and lowers its number of colours step by step walks this same
    // tree and keeps the first complete colouring it meets with the fewest colours. Knowing
    // that number, the walk is bounded by it from the start, and a branch is left as soon as
    // an uncoloured vertex sees every allowed colour on its neighbours, or two adjacent ones
    // are left with the same single colour: no cut removes a complete colouring with that
    // number of colours, so the first one met is the same. Such a colouring exists, so the
    // walk never backs out of position 0.
    Row members[MaxNodes + 2] = {};   // vertices of each colour 1..best
    int around[MaxNodes][MaxNodes + 2] = {}; // neighbours of v with colour c
    int seen[MaxNodes] = {};           // distinct colours around v
    int inUse[MaxNodes + 1] = {};      // colours in use before position r
    std::fill(current, current + n, 0);
    Row coloured = 0;
    auto paint = [&](int v, int c, int step) {
        for (Row r = rows[v]; r; r &= r - 1) {
            const int w = lowest(r);
            if (step > 0 ? around[w][c]++ == 0 : --around[w][c] == 0)
                seen[w] += step;
        }
    };
    int r = 0;
    while (r < n && r >= 0) {
        const int v = order[r];
        int c = current[v];
        if (c) {
            members[c] &= ~bit(v);
            coloured &= ~bit(v);
            paint(v, c, -1);
        }
        const int limit = std::min(best, inUse[r] + 1);
        do
            ++c;
        while (c <= limit && (members[c] & rows[v]));
        if (c > limit) {
            current[v] = 0;
            --r;
            continue;
        }
        current[v] = c;
        members[c] |= bit(v);
        coloured |= bit(v);
        paint(v, c, 1);
        bool dead = false;
        for (Row w = rows[v] & ~coloured; w && !dead; w &= w - 1) {
            const int x = lowest(w);
            dead = seen[x] >= best;
            if (dead || seen[x] != best - 1)
                continue;
            // x has one colour left; an uncoloured neighbour left with that colour alone
            // cannot be coloured.
            int f = 1;
            while (around[x][f])
                ++f;
            for (Row y = rows[x] & ~coloured; y && !dead; y &= y - 1) {
                const int z = lowest(y);
                dead = seen[z] == best - 1 && !around[z][f];
            }
        }
        if (dead)
            continue;
        inUse[r + 1] = std::max(inUse[r], c);
        ++r;
    }
    std::copy(current, current + n, result);
    return best;
}
