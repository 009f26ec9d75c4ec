#include "invariants/invIINDEX.h"

#include "invariants/core/DistanceSplit.h"

invIINDEX::invIINDEX(bool displayed)
{
    initInvariant("IINDEX", "I-Index for identifying actors between communities.", "n", "1", NodeValue, displayed);
}

invIINDEX::~invIINDEX() = default;

void invIINDEX::recompute()
{
    withDistances([this](const Distances &d, const Graph::Row *rows, int n) {
        // A disconnected graph leaves the n x n zero matrix with the error flag.
        nbCols = n;
        writeAdjacency(value, rows, n, 0.0);
        if (!d.connected()) {
            error = true;
            return;
        }
        // v lies at distance 1 from both neighbours, so it is always a tie of their split.
        for (int v = 0; v < n; ++v)
            for (Graph::Row ra = rows[v]; ra; ra &= ra - 1) {
                const int a = adjacency::lowest(ra);
                for (Graph::Row rb = rows[v] & above(a); rb; rb &= rb - 1) {
                    const DistanceSplit split(d, rows, n, a, adjacency::lowest(rb));
                    value[v][0] += (split.sideA() * split.sideB()) / split.cut();
                }
            }
        nbCols = 1;
    });
}
