#include "invariants/invINSTABLEMAX.h"

#include "invariants/core/StableSets.h"

invINSTABLEMAX::invINSTABLEMAX(bool displayed)
{
    initInvariant("INSTABLEMAX", "Vertices in a maximum stable set. To be used for display purpose.",
                  "Vertices in a maximum stableset. To be used for display purpose.", "n", "1", GraphValue, displayed);
}

invINSTABLEMAX::~invINSTABLEMAX() = default;

void invINSTABLEMAX::recompute()
{
    Graph::Row rows[Graph::MaxNodes];
    const int n = readGraph(rows);
    if (n >= 0)
        writeMembership(StableSets::firstMaximumStable(rows, n), n);
}
