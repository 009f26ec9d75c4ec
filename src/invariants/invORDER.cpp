#include "invariants/invORDER.h"

#include <iostream>

invORDER::invORDER(bool displayed)
{
    initInvariant("ORDER", "Order of the graph, $n = |V|$ the number of vertices of $G$.",
                  "Order of the graph, n = |V| the number of vertices of G.", "1", "1", GraphValue, displayed);
}

invORDER::~invORDER() = default;

void invORDER::recompute()
{
    const int n = readGraph(nullptr);
    if (n < 0) {
        std::cerr << "invORDER no graph" << std::endl;
        return;
    }
    value[0][0] = n;
}
