#include "invariants/invPLATT.h"

invPLATT::invPLATT(bool displayed)
{
    initInvariant("PLATT",
                  R"(Platt index, defined as $P = \sum_{(u,v)\in E} d(u) + d(v)-2$ where $d(v)$ is the degree of the vertex $v$.)",
                  "1", "1", GraphValue, displayed);
}

invPLATT::~invPLATT() = default;

void invPLATT::recompute()
{
    Graph::Row adj[Graph::MaxNodes];
    const int n = readGraph(adj);
    if (n >= 0)
        value[0][0] = sumOverEdges(adj, n, [](double di, double dj) { return di + dj - 2.0; });
}
