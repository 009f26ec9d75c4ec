#include "invariants/invZAGREBM2.h"

invZAGREBM2::invZAGREBM2(bool displayed)
{
    initInvariant("ZAGREBM2",
                  R"(Zagreb M2 index, defined as $M2 = \sum_{(i,j)\in E}d(i)d(j)$ where $d(i)$ is the degree of the vertex $i$.)",
                  "Zagreb M2 index, sum of the products of degrees over the edges.", "1", "1", GraphValue, displayed);
}

invZAGREBM2::~invZAGREBM2() = default;

void invZAGREBM2::recompute()
{
    Graph::Row adj[Graph::MaxNodes];
    const int n = readGraph(adj);
    if (n >= 0)
        value[0][0] = sumOverEdges(adj, n, [](double di, double dj) { return di * dj; });
}
