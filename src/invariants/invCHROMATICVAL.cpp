#include "invariants/invCHROMATICVAL.h"

#include "invariants/core/ExactColouring.h"

invCHROMATICVAL::invCHROMATICVAL(bool displayed)
{
    initInvariant("CHROMATICVAL",
                  "label of the color that is assigned to each vertex in a way that minimizes the total number of "
                  "colors and respect the coloration condition (2 adjacent vertices do not share the same color).",
                  "n", "1", NodeValue, displayed);
}

invCHROMATICVAL::~invCHROMATICVAL() = default;

void invCHROMATICVAL::recompute()
{
    Graph::Row rows[Graph::MaxNodes];
    // Fewer than two vertices are an error, not the value 1.
    const int n = readGraph(rows, 2);
    if (n < 0)
        return;
    ExactColouring colouring;
    colouring.compute(rows, n);
    for (int v = 0; v < n; ++v)
        value[v][0] = colouring.colour(v);
}
