#include "invariants/core/Distances.h"

#include <algorithm>

using namespace adjacency;

void Distances::fill(const Row rows[MaxNodes], int count)
{
    n = std::max(0, std::min(count, int(MaxNodes)));
    layersMade = false;
    tableMade = false;
    const Row all = lowMask(n);
    for (int v = 0; v < n; ++v)
        adj[v] = rows[v] & all & ~bit(v);
    // One search from vertex 0 tells connectivity: every source reaches all vertices exactly
    // when this one does.
    Row seen = n > 0 ? bit(0) : 0;
    for (Row frontier = seen; frontier;) {
        Row next = 0;
        for (Row f = frontier; f; f &= f - 1)
            next |= adj[lowest(f)];
        frontier = next & ~seen;
        seen |= frontier;
    }
    allReached = seen == all;
}

void Distances::makeLayers() const
{
    longest = 0;
    if (n >= AllSourcesFrom)
        growAllSources();
    else
        growBySource();
    layersMade = true;
}

void Distances::growBySource() const
{
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
                next |= adj[lowest(f)];
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
    }
}

void Distances::growAllSources() const
{
    // Distance is symmetric, so the vertices at d hops from v are also the sources that reach
    // v in d hops: ball_d(v) is ball_(d-1)(v) united with the last layers, at d - 1 hops, of
    // v's neighbours, and only the neighbours whose ball grew in the last round have one.
    // Round d reads layers of round d - 1 only, so the order within a round does not matter.
    const Row all = lowMask(n);
    Row ball[MaxNodes];
    Row active = 0, grew = 0;
    int degrees = 0;
    for (int v = 0; v < n; ++v) {
        const Row near = adj[v];
        degrees += popcount(near);
        ball[v] = near | bit(v);
        layer[v][0] = bit(v);
        layer[v][1] = near;
        depth[v] = near ? 1 : 0;
        rowSum[v] = popcount(near);
        if (near) {
            grew |= bit(v);
            if (ball[v] != all)
                active |= bit(v);
        }
    }
    if (grew)
        longest = 1;
    // In a graph of more than half the pairs few vertices lie outside a ball of radius 1: a
    // vertex outside a ball joins it when one of its neighbours is inside, which tests fewer
    // rows than uniting the neighbours' layers.
    const bool fromOutside = degrees > n * (n - 1) / 2;
    for (int d = 2; active; ++d) {
        Row stillActive = 0, grewNow = 0;
        for (Row a = active; a; a &= a - 1) {
            const int v = lowest(a);
            const Row old = ball[v];
            Row b = old;
            if (fromOutside) {
                for (Row w = all & ~old; w; w &= w - 1)
                    b |= (adj[lowest(w)] & old) ? bit(lowest(w)) : 0;
            } else {
                for (Row u = adj[v] & grew; u; u &= u - 1)
                    b |= layer[lowest(u)][d - 1];
            }
            // Written whether or not the ball grew, without a branch: a layer beyond the
            // depth is never read.
            const Row fresh = b & ~old;
            ball[v] = b;
            layer[v][d] = fresh;
            depth[v] = fresh ? std::int8_t(d) : depth[v];
            rowSum[v] += static_cast<long long>(d) * popcount(fresh);
            grewNow |= fresh ? bit(v) : 0;
            stillActive |= fresh && b != all ? bit(v) : 0;
        }
        if (grewNow)
            longest = d;
        active = stillActive;
        grew = grewNow;
    }
}

void Distances::makeTable() const
{
    layers();
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
    layers();
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
    if (!allReached)
        return Infinity;
    layers();
    return double(depth[v]);
}

double Distances::radius() const
{
    if (n == 0)
        return 0.0;
    // On a disconnected graph every vertex misses one.
    if (!allReached)
        return Infinity;
    layers();
    int r = depth[0];
    for (int i = 1; i < n; ++i)
        r = std::min(r, int(depth[i]));
    return r;
}

int Distances::peripheralVertex() const
{
    layers();
    for (int v = 0; v < n; ++v)
        if (eccentricity(v) == double(longest))
            return v;
    return 0;
}

long long Distances::wiener() const
{
    layers();
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
    // Whole numbers far below 2^53: the sum is exact in any order, so the row's sum of hops
    // and 1e12 for each vertex out of reach give the table's sum.
    layers();
    int reached = 0;
    for (int d = 0; d <= depth[v]; ++d)
        reached += popcount(layer[v][d]);
    return double(rowSum[v]) + double(n - reached) * Infinity;
}

double Distances::averageDistance() const
{
    if (n < 2)
        return 0.0;
    return 2.0 * double(wiener()) / double(n * (n - 1));
}
