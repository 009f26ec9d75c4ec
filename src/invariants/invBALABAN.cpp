#include "invariants/invBALABAN.h"


#include <cmath>

invBALABAN::invBALABAN(bool displayed)
{
    initInvariant("BALABAN",
                  "Balaban index, defined as $\\frac{m}{m-n+2} \\sum_{(i,j)\\in E}\\frac{1}{\\sqrt{t_i t_j}}$ where $t_i$ is "
                  "the transmission of the vertex $i$, $m$ the number of edges and $n$ the number of vertices.",
                  "Balaban index, defined as J = m/(m-n+2) Sum{(i,j) in E} [1/sqrt(ti * tj)] where ti is the "
                  "transmission of the vertex i, m the number of edges and n the number of vertices.",
                  "1", "1", GraphValue, displayed);
}

invBALABAN::~invBALABAN() = default;

void invBALABAN::recompute()
{
    // m - n + 2 = 0 only on a forest of two trees, which has no value anyway (disconnected):
    // the division below never divides by 0.
    withConnectedDistances([this](const Distances &d, const Graph::Row *rows, int n) {
        const int m = edgeCount(rows, n);
        double t[Graph::MaxNodes];
        for (int i = 0; i < n; ++i)
            t[i] = d.transmission(i);
        double sum = 0.0;
        for (int i = 0; i < n; ++i)
            for (Graph::Row r = rows[i] & above(i); r; r &= r - 1)
                sum += 1.0 / std::sqrt(t[i] * t[adjacency::lowest(r)]);
        value[0][0] = sum * (double(m) / double(m - n + 2));
    });
}
