#include "invariants/invNLAPLACIAN.h"

#include <cmath>

invNLAPLACIAN::invNLAPLACIAN(bool displayed)
{
    initInvariant("NLAPLACIAN",
                  R"(Normalized Laplacian matrix,$I-A'$, where $A'= \{a'_{ij} = frac{a_{ij}}{\sqrt{d_id_j}}\}$.)",
                  "Normalized Laplacian matrix, the laplacian matrix with each row and each column divided by its "
                  "degree.",
                  "n", "n", NotInsertable, displayed);
    degrees.fill(0.0, Graph::MaxNodes);
}

invNLAPLACIAN::~invNLAPLACIAN() = default;

void invNLAPLACIAN::recompute()
{
    Graph::Row adj[Graph::MaxNodes];
    const int n = readGraph(adj);
    for (int i = 0; i < n; ++i)
        degrees[i] = degree(adj, i);
    // An isolated vertex has no edge, so its degree is never a divisor.
    for (int i = 0; i < n; ++i) {
        double *row = value[i].data();
        for (int j = 0; j < n; ++j)
            row[j] = ((adj[i] >> j) & 1u) ? -1.0 / std::sqrt(degrees[i] * degrees[j]) : 0.0;
        row[i] = 1.0;
    }
}
