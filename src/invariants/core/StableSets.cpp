#include "invariants/core/StableSets.h"

using namespace adjacency;

namespace {
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
                const int v = lowest(open);
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
            if (size + popcount(candidates) <= bestSize || size + colourBound(candidates) <= bestSize)
                return;
            const int v = lowest(candidates);
            candidates &= ~bit(v);
            expand(current | bit(v), size + 1, candidates & adj[v]);
        }
    }

    const Row *adj;
    Row best = 0;
    int bestSize = 0;
};
} // namespace

Row StableSets::firstMaximumClique(const Row rows[MaxNodes], int n)
{
    const Row all = lowMask(n);
    Row adj[MaxNodes];
    for (int i = 0; i < n; ++i)
        adj[i] = rows[i] & all;
    return CliqueSearch(adj).run(all);
}

Row StableSets::firstMaximumStable(const Row rows[MaxNodes], int n)
{
    const Row all = lowMask(n);
    Row complement[MaxNodes];
    for (int i = 0; i < n; ++i)
        complement[i] = all & ~rows[i] & ~bit(i);
    return CliqueSearch(complement).run(all);
}

int StableSets::stabilityNumber(const Row rows[MaxNodes], int n)
{
    return popcount(firstMaximumStable(rows, n));
}

int StableSets::cliqueNumber(const Row rows[MaxNodes], int n)
{
    return popcount(firstMaximumClique(rows, n));
}
