#include "invariants/core/FlowBetweenness.h"

#include <algorithm>
#include <cmath>

using namespace adjacency;

bool FlowBetweenness::compute(const Row rows[MaxNodes], const Distances &distances)
{
    n = distances.order();
    for (int i = 0; i < n; ++i) {
        std::fill(flow[i], flow[i] + n, 0.0);
        std::fill(value[i], value[i] + n, 0.0);
    }
    if (!distances.connected())
        return false;
    const Row all = lowMask(n);

    Row layer[MaxNodes];
    double inflow[MaxNodes];
    for (int s = 0; s < n; ++s) {
        for (int t = 0; t < n; ++t) {
            if (t == s)
                continue;
            const int dst = distances.hops(s, t);
            // Vertices on the s-t shortest paths, by their distance from s.
            std::fill(layer, layer + dst + 1, Row(0));
            for (int k = 0; k < n; ++k) {
                const int dk = distances.hops(s, k);
                if (dk + distances.hops(k, t) == dst)
                    layer[dk] |= bit(k);
            }
            std::fill(inflow, inflow + n, 0.0);
            inflow[s] = 1.0;
            for (int level = 0; level < dst; ++level) {
                for (Row r = layer[level]; r; r &= r - 1) {
                    const int u = lowest(r);
                    const Row onward = rows[u] & all & layer[level + 1];
                    const double share = inflow[u] / popcount(onward);
                    for (Row w = onward; w; w &= w - 1) {
                        const int x = lowest(w);
                        inflow[x] += share;
                        // Half of each direction's flow; the pair (t, s) adds the other half.
                        flow[u][x] += 0.5 * share;
                        flow[x][u] += 0.5 * share;
                    }
                }
            }
        }
    }

    double root[MaxNodes];
    for (int i = 0; i < n; ++i) {
        double sum = 0.0;
        for (int j = 0; j < n; ++j)
            sum += flow[i][j];
        root[i] = std::sqrt(sum);
    }
    // A single vertex has no flow at all; its entry stays 0 rather than 0 / 0.
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            value[i][j] = root[i] > 0.0 && root[j] > 0.0 ? flow[i][j] / (root[i] * root[j]) : 0.0;
    return true;
}
