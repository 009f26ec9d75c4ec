#include "invariants/StableSets.h"

namespace {
using Row = Graph::Row;
inline Row bit(int j) { return Row(1) << j; }
inline Row lowMask(int count) { return count >= 32 ? ~Row(0) : (bit(count) - 1); }

// Depth-first clique search over adj, candidates in increasing order.
class CliqueSearch
{
public:
    CliqueSearch(const Row *adj_) : adj(adj_) {}

    Row run(Row all)
    {
        best = 0;
        bestSize = 0;
        expand(0, 0, all);
        return best;
    }

private:
    // Colour classes of a greedy colouring of the candidates: no clique among them is larger.
    int colourBound(Row candidates) const
    {
        int classes = 0;
        while (candidates) {
            ++classes;
            Row open = candidates;
            while (open) {
                const int v = __builtin_ctz(open);
                candidates &= ~bit(v);
                open &= ~bit(v) & ~adj[v];
            }
        }
        return classes;
    }

    void expand(Row current, int size, Row candidates)
    {
        if (size > bestSize) {
            bestSize = size;
            best = current;
        }
        while (candidates) {
            // Only a strictly larger set can replace the record.
            if (size + __builtin_popcount(candidates) <= bestSize || size + colourBound(candidates) <= bestSize)
                return;
            const int v = __builtin_ctz(candidates);
            candidates &= ~bit(v);
            expand(current | bit(v), size + 1, candidates & adj[v]);
        }
    }

    const Row *adj;
    Row best = 0;
    int bestSize = 0;
};
} // namespace

Graph::Row StableSets::firstMaximumClique(const Graph::Row rows[Graph::MaxNodes], int n)
{
    const Row all = lowMask(n);
    Row adj[Graph::MaxNodes];
    for (int i = 0; i < n; ++i)
        adj[i] = rows[i] & all;
    return CliqueSearch(adj).run(all);
}

Graph::Row StableSets::firstMaximumStable(const Graph::Row rows[Graph::MaxNodes], int n)
{
    const Row all = lowMask(n);
    Row complement[Graph::MaxNodes];
    for (int i = 0; i < n; ++i)
        complement[i] = all & ~rows[i] & ~bit(i);
    return CliqueSearch(complement).run(all);
}

int StableSets::stabilityNumber(const Graph::Row rows[Graph::MaxNodes], int n)
{
    return __builtin_popcount(firstMaximumStable(rows, n));
}

int StableSets::cliqueNumber(const Graph::Row rows[Graph::MaxNodes], int n)
{
    return __builtin_popcount(firstMaximumClique(rows, n));
}
