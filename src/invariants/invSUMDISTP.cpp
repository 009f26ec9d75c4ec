#include "invariants/invSUMDISTP.h"

invSUMDISTP::invSUMDISTP(bool displayed)
{
    initInvariant("SUMDISTP", "Sum of distances to pending vertices.", "n", "1", NodeValue, displayed);
}

invSUMDISTP::~invSUMDISTP() = default;

void invSUMDISTP::recompute()
{
    withConnectedDistances([this](const Distances &d, const Graph::Row *rows, int n) {
        const Graph::Row leaves = leafMask(rows, n);
        // A graph without leaves gives 0 everywhere.
        for (int i = 0; i < n; ++i) {
            int sum = 0;
            for (Graph::Row r = leaves; r; r &= r - 1)
                sum += d.hops(i, adjacency::lowest(r));
            value[i][0] = sum;
        }
    });
}
