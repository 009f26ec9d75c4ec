#include "invariants/core/Domination.h"

using namespace adjacency;

namespace {
class DominationSearch
{
public:
    DominationSearch(const Row *rows, int n_) : n(n_), all(lowMask(n_))
    {
        for (int v = 0; v < n; ++v)
            closed[v] = (rows[v] & all) | bit(v);
        best = all;
        bestSize = n + 1;
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
} // namespace

Row Domination::firstMinimumSet(const Row rows[MaxNodes], int n)
{
    return DominationSearch(rows, n).run();
}

int Domination::number(const Row rows[MaxNodes], int n)
{
    return popcount(firstMinimumSet(rows, n));
}
