#include "invariants/core/Distances.h"

#include <algorithm>

using namespace adjacency;

void Distances::fill(const Row rows[MaxNodes], int count)
{
    n = std::max(0, std::min(count, int(MaxNodes)));
    allReached = true;
    longest = 0;
    tableMade = false;
    const Row all = lowMask(n);
    for (int s = 0; s < n; ++s) {
        Row *layers = layer[s];
        Row seen = bit(s);
        Row frontier = seen;
        layers[0] = seen;
        long long sum = 0;
        int d = 0;
        while (frontier) {
            Row next = 0;
            for (Row f = frontier; f; f &= f - 1)
                next |= rows[lowest(f)];
            next &= all & ~seen;
            if (!next)
                break;
            ++d;
            layers[d] = next;
            seen |= next;
            sum += static_cast<long long>(d) * popcount(next);
            frontier = next;
        }
        depth[s] = std::int8_t(d);
        rowSum[s] = sum;
        longest = std::max(longest, d);
        if (seen != all)
            allReached = false;
    }
}

void Distances::makeTable() const
{
    for (int s = 0; s < n; ++s) {
        std::int8_t *row = hop[s];
        std::fill(row, row + n, std::int8_t(Unreached));
        for (int d = 0; d <= depth[s]; ++d)
            for (Row f = layer[s][d]; f; f &= f - 1)
                row[lowest(f)] = std::int8_t(d);
    }
    tableMade = true;
}

Row Distances::sphere(int s, int d) const
{
    if (d >= 0)
        return d <= depth[s] ? layer[s][d] : 0;
    Row out = 0;
    for (int j = 0; j < n; ++j)
        if (hops(s, j) == d)
            out |= bit(j);
    return out;
}

double Distances::eccentricity(int v) const
{
    // A vertex reaches all others exactly when the graph is connected; then its last layer
    // is its eccentricity.
    return allReached ? double(depth[v]) : Infinity;
}

double Distances::radius() const
{
    if (n == 0)
        return 0.0;
    // On a disconnected graph every vertex misses one.
    if (!allReached)
        return Infinity;
    int r = depth[0];
    for (int i = 1; i < n; ++i)
        r = std::min(r, int(depth[i]));
    return r;
}

int Distances::peripheralVertex() const
{
    for (int v = 0; v < n; ++v)
        if (eccentricity(v) == double(longest))
            return v;
    return 0;
}

long long Distances::wiener() const
{
    long long total = 0;
    for (int s = 0; s < n; ++s)
        total += rowSum[s];
    return total / 2;
}

double Distances::harary() const
{
    const Table &h = table();
    double total = 0.0;
    for (int i = 1; i < n; ++i)
        for (int j = 0; j < i; ++j)
            if (h[i][j] > 0)
                total += 1.0 / h[i][j];
    return total;
}

double Distances::transmission(int v) const
{
    double total = 0.0;
    for (int j = 0; j < n; ++j)
        total += at(v, j);
    return total;
}

double Distances::averageDistance() const
{
    if (n < 2)
        return 0.0;
    return 2.0 * double(wiener()) / double(n * (n - 1));
}
