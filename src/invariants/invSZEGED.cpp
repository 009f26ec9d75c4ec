#include "invariants/invSZEGED.h"

invSZEGED::invSZEGED(bool displayed)
{
    initInvariant("SZEGED",
                  "Szeged index, $\\sum_{(u,v) \\in E} n_u \\times n_v$, where $n_u$ is the number ov vetrices of $G$ that "
                  "are closer to $u$ than $v$ and vice versa.",
                  "Szeged index, the sum on all edges of  nu * nv$, where nu is the number ov vetrices of G that are "
                  "closer to u than v and vice versa.",
                  "1", "1", GraphValue, displayed);
}

invSZEGED::~invSZEGED() = default;

void invSZEGED::recompute()
{
    withConnectedDistances([this](const Distances &d, const Graph::Row *rows, int n) {
        // Vertices at equal distance from both ends count for neither.
        double total = 0.0;
        for (int u = 0; u < n; ++u)
            for (Graph::Row r = rows[u] & above(u); r; r &= r - 1) {
                const int v = adjacency::lowest(r);
                int nu = 0;
                int nv = 0;
                for (int w = 0; w < n; ++w) {
                    nu += d.hops(u, w) < d.hops(v, w);
                    nv += d.hops(v, w) < d.hops(u, w);
                }
                total += double(nu) * double(nv);
            }
        value[0][0] = total;
    });
}
