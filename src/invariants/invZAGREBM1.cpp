#include "invariants/invZAGREBM1.h"

invZAGREBM1::invZAGREBM1(bool displayed)
{
    initInvariant("ZAGREBM1",
                  R"(Zagreb M1 index, defined as $M1 = \sum_{v\in V}d(v)^2$ where $d(v)$ is the degree of the vertex $v$.)",
                  "Zagreb M1 index, sum of the squared degrees of the vertices of G.", "1", "1", GraphValue,
                  displayed);
}

invZAGREBM1::~invZAGREBM1() = default;

void invZAGREBM1::recompute()
{
    Graph::Row adj[Graph::MaxNodes];
    const int n = readGraph(adj);
    if (n < 0)
        return;
    writeDegrees(adj, n);
    double sum = 0.0;
    for (int v = 0; v < n; ++v)
        sum += value[v][0] * value[v][0];
    value[0][0] = sum;
}
