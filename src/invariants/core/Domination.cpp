#include "invariants/core/Domination.h"

using namespace adjacency;

namespace {
// The first minimum set: subsets in lexicographic order, a record replaced only by a smaller
// set. Given the domination number, the search starts with the record size just above it and
// so takes the first set of that size, which is the set the unbounded search ends with.
class DominationSearch
{
public:
    DominationSearch(const Row *rows, int n_, int bound) : n(n_), all(lowMask(n_))
    {
        for (int v = 0; v < n; ++v)
            closed[v] = (rows[v] & all) | bit(v);
        best = all;
        bestSize = bound;
    }

    Row run()
    {
        if (n == 0)
            return 0;
        extend(0, 0, 0, 0);
        return best;
    }

private:
    // Fewest further vertices, all from `from` upward, that can dominate `open`; a number above
    // n when some open vertex has no such neighbour. Open vertices whose usable neighbourhoods
    // are pairwise disjoint each need a vertex of their own.
    int lowerBound(Row open, int from) const
    {
        const Row usable = all & ~lowMask(from);
        Row taken = 0;
        int count = 0;
        for (Row r = open; r; r &= r - 1) {
            const Row options = closed[lowest(r)] & usable;
            if (!options)
                return n + 1;
            if (!(options & taken)) {
                taken |= options;
                ++count;
            }
        }
        return count;
    }

    // current holds `size` vertices, all below `next`; covered is their closed neighbourhood.
    void extend(Row current, int size, int next, Row covered)
    {
        for (int q = next; q < n; ++q) {
            const Row open = all & ~covered;
            // The first vertex still open must be dominated by q or a later vertex.
            const int first = lowest(open);
            if (!(closed[first] & ~lowMask(q)))
                return;
            if (size + 1 >= bestSize || size + lowerBound(open, q) >= bestSize)
                return;
            const Row now = covered | closed[q];
            if (now == all) {
                best = current | bit(q);
                bestSize = size + 1;
                // Later siblings have the same size; they cannot beat this record.
                return;
            }
            extend(current | bit(q), size + 1, q + 1, now);
            if (bestSize == 1)
                return;
        }
    }

    int n;
    Row all;
    Row closed[MaxNodes];
    Row best;
    int bestSize;
};

// The size alone: a greedy set gives the first bound; each step branches on the undominated
// vertex with the fewest vertices left to dominate it, the one that covers most first, and a
// vertex tried in one branch is excluded from the branches after it.
class DominationNumber
{
public:
    DominationNumber(const Row *rows, int n_) : n(n_), all(lowMask(n_))
    {
        for (int v = 0; v < n; ++v)
            closed[v] = (rows[v] & all) | bit(v);
    }

    int run()
    {
        best = greedy();
        search(all, all, 0);
        return best;
    }

private:
    int greedy() const
    {
        int size = 0;
        for (Row open = all; open; ++size) {
            int pick = 0, most = -1;
            for (int v = 0; v < n; ++v) {
                const int c = popcount(closed[v] & open);
                if (c > most) {
                    most = c;
                    pick = v;
                }
            }
            open &= ~closed[pick];
        }
        return size;
    }

    // open: the vertices still undominated; allowed: the vertices that may still be chosen.
    void search(Row open, Row allowed, int size)
    {
        if (!open) {
            best = size;
            return;
        }
        if (size + 1 >= best)
            return;
        // The most constrained open vertex, and a bound: open vertices whose options are
        // pairwise disjoint need one vertex each.
        int target = -1, fewest = MaxNodes + 1, disjoint = 0;
        Row taken = 0;
        for (Row r = open; r; r &= r - 1) {
            const int u = lowest(r);
            const Row options = closed[u] & allowed;
            const int c = popcount(options);
            if (c == 0)
                return;
            if (c < fewest) {
                fewest = c;
                target = u;
            }
            if (!(options & taken)) {
                taken |= options;
                ++disjoint;
            }
        }
        if (size + disjoint >= best)
            return;
        Row options = closed[target] & allowed;
        int pick = -1, most = -1;
        for (Row o = options; o; o &= o - 1) {
            const int c = popcount(closed[lowest(o)] & open);
            if (c > most) {
                most = c;
                pick = lowest(o);
            }
        }
        while (options) {
            options &= ~bit(pick);
            search(open & ~closed[pick], allowed, size + 1);
            allowed &= ~bit(pick);
            if (size + 1 >= best || !options)
                return;
            pick = lowest(options);
        }
    }

    int n;
    Row all;
    Row closed[MaxNodes];
    int best = 0;
};
} // namespace

Row Domination::firstMinimumSet(const Row rows[MaxNodes], int n)
{
    return DominationSearch(rows, n, number(rows, n) + 1).run();
}

int Domination::number(const Row rows[MaxNodes], int n)
{
    if (n <= 0)
        return 0;
    return DominationNumber(rows, n).run();
}
