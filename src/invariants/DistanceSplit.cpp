#include "invariants/DistanceSplit.h"

#include "invariants/Distances.h"

DistanceSplit::DistanceSplit(const Distances &d, const Graph::Row rows[Graph::MaxNodes], int n, int a, int b)
{
    Graph::Row sideOfA = Graph::Row(1) << a;
    Graph::Row sideOfB = Graph::Row(1) << b;
    Graph::Row ties = 0;
    for (int k = 0; k < n; ++k) {
        if (k == a || k == b)
            continue;
        const Graph::Row bit = Graph::Row(1) << k;
        if (d.hops(a, k) < d.hops(b, k))
            sideOfA |= bit;
        else if (d.hops(b, k) < d.hops(a, k))
            sideOfB |= bit;
        else
            ties |= bit;
    }
    na = __builtin_popcount(sideOfA);
    nb = __builtin_popcount(sideOfB);
    int across = 0;
    for (Graph::Row r = sideOfA; r; r &= r - 1)
        across += __builtin_popcount(rows[__builtin_ctz(r)] & sideOfB);
    int toTies = 0;
    for (Graph::Row r = ties; r; r &= r - 1)
        toTies += __builtin_popcount(rows[__builtin_ctz(r)] & (sideOfA | sideOfB));
    // Whole and half units: the sum is exact in any order.
    weight = 1.0 + across + 0.5 * toTies;
}
