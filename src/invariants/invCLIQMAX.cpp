#include "invariants/invCLIQMAX.h"

#include "invariants/core/StableSets.h"

invCLIQMAX::invCLIQMAX(bool displayed)
{
    initInvariant("CLIQMAX", "Cliq number, the cardinality of the largest set of vertices that are pairwise adjacent.",
                  "1", "1", GraphValue, displayed);
}

invCLIQMAX::~invCLIQMAX() = default;

void invCLIQMAX::recompute()
{
    Graph::Row rows[Graph::MaxNodes];
    const int n = readGraph(rows);
    if (n >= 0)
        value[0][0] = StableSets::cliqueNumber(rows, n);
}
