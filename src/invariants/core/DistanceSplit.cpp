#include "invariants/core/DistanceSplit.h"

#include "invariants/core/Distances.h"

using namespace adjacency;

DistanceSplit::DistanceSplit(const Distances &d, const Row rows[MaxNodes], int n, int a, int b)
{
    Row sideOfA = bit(a);
    Row sideOfB = bit(b);
    Row ties = 0;
    for (int k = 0; k < n; ++k) {
        if (k == a || k == b)
            continue;
        const Row own = bit(k);
        if (d.hops(a, k) < d.hops(b, k))
            sideOfA |= own;
        else if (d.hops(b, k) < d.hops(a, k))
            sideOfB |= own;
        else
            ties |= own;
    }
    na = popcount(sideOfA);
    nb = popcount(sideOfB);
    int across = 0;
    for (Row r = sideOfA; r; r &= r - 1)
        across += popcount(rows[lowest(r)] & sideOfB);
    int toTies = 0;
    for (Row r = ties; r; r &= r - 1)
        toTies += popcount(rows[lowest(r)] & (sideOfA | sideOfB));
    // Whole and half units: the sum is exact in any order.
    weight = 1.0 + across + 0.5 * toTies;
}
