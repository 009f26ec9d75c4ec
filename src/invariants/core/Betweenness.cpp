#include "invariants/core/Betweenness.h"

#include <algorithm>

using namespace adjacency;

bool Betweenness::compute(const Row rows[MaxNodes], const Distances &distances, Weight weight)
{
    n = distances.order();
    for (int i = 0; i < n; ++i)
        std::fill(value[i], value[i] + n, 0.0);
    if (!distances.connected())
        return false;
    const Row all = lowMask(n);

    int order[MaxNodes];
    double paths[MaxNodes];
    double carried[MaxNodes];
    for (int s = 0; s < n; ++s) {
        // Vertices by distance from s: a stable sort of the indices.
        for (int i = 0; i < n; ++i)
            order[i] = i;
        std::stable_sort(order, order + n,
                         [&](int a, int b) { return distances.hops(s, a) < distances.hops(s, b); });

        // Number of shortest s-v paths: the sum over the neighbours one layer closer.
        for (int k = 0; k < n; ++k) {
            const int v = order[k];
            const int d = distances.hops(s, v);
            if (d == 0) {
                paths[v] = 1.0;
                continue;
            }
            double count = 0.0;
            for (Row r = rows[v] & all; r; r &= r - 1) {
                const int u = lowest(r);
                if (distances.hops(s, u) == d - 1)
                    count += paths[u];
            }
            paths[v] = count;
        }

        // carried[v] = sum over the targets t reached through v of
        //              (shortest v-t paths inside the s-layers) * weight(t) / paths[t];
        // an edge u-v with v one layer further then carries paths[u] * carried[v].
        for (int k = n - 1; k >= 1; --k) {
            const int v = order[k];
            const int d = distances.hops(s, v);
            double w = 1.0;
            if (weight == ByDistance)
                w = 1.0 / d;
            else if (weight == BySquaredDistance)
                w = 1.0 / (double(d) * d);
            double c = w / paths[v];
            for (Row r = rows[v] & all; r; r &= r - 1) {
                const int x = lowest(r);
                if (distances.hops(s, x) == d + 1)
                    c += carried[x];
            }
            carried[v] = c;
            for (Row r = rows[v] & all; r; r &= r - 1) {
                const int u = lowest(r);
                if (distances.hops(s, u) == d - 1) {
                    const double share = paths[u] * c;
                    value[u][v] += share;
                    value[v][u] += share;
                }
            }
        }
    }
    // Each pair was counted from both of its ends.
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            value[i][j] *= 0.5;
    return true;
}

double Betweenness::rowSum(int v) const
{
    double total = value[v][0];
    for (int j = 1; j < n; ++j)
        total += value[v][j];
    return total;
}
