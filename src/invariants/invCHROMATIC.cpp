#include "invariants/invCHROMATIC.h"

#include "invariants/core/ExactColouring.h"

invCHROMATIC::invCHROMATIC(bool displayed)
{
    initInvariant("CHROMATIC",
                  "Chromatic number, the minimum number of colors that are needed to color each vertex such that two "
                  "adjacent vertices do not share the same color.",
                  "1", "1", GraphValue, displayed);
}

invCHROMATIC::~invCHROMATIC() = default;

void invCHROMATIC::recompute()
{
    Graph::Row rows[Graph::MaxNodes];
    // Fewer than two vertices are an error, not the value 1.
    const int n = readGraph(rows, 2);
    if (n < 0)
        return;
    value[0][0] = ExactColouring::chromaticNumber(rows, n);
}
