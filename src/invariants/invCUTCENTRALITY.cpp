#include "invariants/invCUTCENTRALITY.h"

#include "invariants/core/DistanceSplit.h"

invCUTCENTRALITY::invCUTCENTRALITY(bool displayed)
{
    initInvariant("CUTCENTRALITY", "Cut centrality : Sum of normalized cut values of edges adjacent to v.", "n", "1",
                  NodeValue, displayed);
}

invCUTCENTRALITY::~invCUTCENTRALITY() = default;

void invCUTCENTRALITY::recompute()
{
    withDistances([this](const Distances &d, const Graph::Row *rows, int n) {
        // A disconnected graph leaves the n x n zero matrix with the error flag.
        nbCols = n;
        writeAdjacency(value, rows, n, 0.0);
        if (!d.connected()) {
            error = true;
            return;
        }
        // Fewer than two vertices have no edge, so the density is never used then.
        const double density = n > 1 ? edgeCount(rows, n) / double(n * (n - 1) / 2) : 0.0;
        for (int i = 0; i < n; ++i)
            for (Graph::Row r = rows[i] & above(i); r; r &= r - 1) {
                const int j = adjacency::lowest(r);
                const DistanceSplit split(d, rows, n, i, j);
                value[i][j] = value[j][i] = (split.sideA() * split.sideB() * density) / split.cut();
            }
        // Row i holds the values of i's edges and zeros elsewhere; its sum goes to column 0.
        for (int i = 0; i < n; ++i)
            for (int j = 1; j < n; ++j)
                value[i][0] += value[i][j];
        nbCols = 1;
    });
}
