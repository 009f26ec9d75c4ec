#include "invariants/invRANDIC.h"

#include <cmath>

invRANDIC::invRANDIC(bool displayed)
{
    initInvariant("RANDIC",
                  R"(Randi\'c index, defined as $\chi = \sum_{(i,j)\in E}\frac{1}{\sqrt{\delta_i \delta_j}}$ where $\delta_i$ is the degree of the vertex $i$.)",
                  "Randic index = Sum{(i,j) in E} [1/sqrt(d(i) * d(j))] where d(i) is the degree of the vertex i.",
                  "1", "1", GraphValue, displayed);
}

invRANDIC::~invRANDIC() = default;

void invRANDIC::recompute()
{
    Graph::Row adj[Graph::MaxNodes];
    const int n = readGraph(adj);
    // Both ends of an edge have degree at least 1: no division by zero.
    if (n >= 0)
        value[0][0] = sumOverEdges(adj, n, [](double di, double dj) { return 1.0 / std::sqrt(di * dj); });
}
