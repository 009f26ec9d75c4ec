#include "invariants/invINCLIQMAX.h"

#include "invariants/core/StableSets.h"

invINCLIQMAX::invINCLIQMAX(bool displayed)
{
    initInvariant("INCLIQMAX", "Vertices in a maximum cliq. To be used for display purpose.", "n", "1", GraphValue,
                  displayed);
}

invINCLIQMAX::~invINCLIQMAX() = default;

void invINCLIQMAX::recompute()
{
    Graph::Row rows[Graph::MaxNodes];
    const int n = readGraph(rows);
    if (n >= 0)
        writeMembership(StableSets::firstMaximumClique(rows, n), n);
}
