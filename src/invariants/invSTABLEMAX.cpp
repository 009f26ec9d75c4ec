#include "invariants/invSTABLEMAX.h"

#include "invariants/core/StableSets.h"

invSTABLEMAX::invSTABLEMAX(bool displayed)
{
    initInvariant("STABLEMAX",
                  "Stability number, the cardinality of the largest set of vertices that are pairwise non adjacent.",
                  "1", "1", GraphValue, displayed);
}

invSTABLEMAX::~invSTABLEMAX() = default;

void invSTABLEMAX::recompute()
{
    Graph::Row rows[Graph::MaxNodes];
    const int n = readGraph(rows);
    if (n >= 0)
        value[0][0] = StableSets::stabilityNumber(rows, n);
}
