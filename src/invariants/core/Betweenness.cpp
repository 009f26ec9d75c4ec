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

    // Layers of the breadth-first search from s as vertex sets; layer d+1 is what the rows of
    // layer d reach beyond the layers before it.
    Row layer[MaxNodes + 1];
    double paths[MaxNodes];
    double carried[MaxNodes];
    double layerWeight[MaxNodes];
    for (int d = 1; d < n; ++d)
        layerWeight[d] = weight == ByDistance ? 1.0 / d : weight == BySquaredDistance ? 1.0 / (double(d) * d) : 1.0;
    for (int s = 0; s < n; ++s) {
        layer[0] = bit(s);
        paths[s] = 1.0;
        Row seen = bit(s);
        int depth = 0;
        // Number of shortest s-v paths: the sum over the neighbours one layer closer, in
        // increasing order.
        for (;;) {
            Row next = 0;
            forEachBit(layer[depth], [&](int u) { next |= rows[u]; });
            next &= all & ~seen;
            if (!next)
                break;
            seen |= next;
            layer[++depth] = next;
            const Row closer = layer[depth - 1];
            forEachBit(next, [&](int v) {
                double count = 0.0;
                forEachBit(rows[v] & closer, [&](int u) { count += paths[u]; });
                paths[v] = count;
            });
        }

        // carried[v] = sum over the targets t reached through v of
        //              (shortest v-t paths inside the s-layers) * weight(t) / paths[t];
        // an edge u-v with v one layer further then carries paths[u] * carried[v].
        for (int d = depth; d >= 1; --d) {
            const Row further = d < depth ? layer[d + 1] : 0;
            const Row closer = layer[d - 1];
            const double w = layerWeight[d];
            forEachBit(layer[d], [&](int v) {
                double c = w / paths[v];
                forEachBit(rows[v] & further, [&](int x) { c += carried[x]; });
                carried[v] = c;
                forEachBit(rows[v] & closer, [&](int u) {
                    const double share = paths[u] * c;
                    value[u][v] += share;
                    value[v][u] += share;
                });
            });
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
