#include "invariants/invNCONN.h"

#include "invariants/core/VertexConnectivity.h"

#include <iostream>

invNCONN::invNCONN(bool displayed)
{
    initInvariant("NCONN",
                  "Node connectivity index, the minimum number of vertices that must be removed from the graph to "
                  "disconnect it.",
                  "1", "1", GraphValue, displayed);
}

invNCONN::~invNCONN() = default;

void invNCONN::recompute()
{
    Graph::Row rows[Graph::MaxNodes];
    const int n = readGraph(rows);
    if (n < 0) {
        std::cerr << "invNCONN no graph" << std::endl;
        return;
    }
    // n - 1 below two vertices (-1 without vertices), 0 on a disconnected graph.
    value[0][0] = VertexConnectivity::compute(rows, n);
}
