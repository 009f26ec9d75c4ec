#include "invariants/invEINCLIQMAX.h"

#include "invariants/core/StableSets.h"

invEINCLIQMAX::invEINCLIQMAX(bool displayed)
{
    initInvariant("EINCLIQMAX", "Edges in a maximum cliq. To be used for display purpose.", "n", "n", GraphValue,
                  displayed);
}

invEINCLIQMAX::~invEINCLIQMAX() = default;

void invEINCLIQMAX::recompute()
{
    Graph::Row rows[Graph::MaxNodes];
    const int n = readGraph(rows);
    if (n < 0)
        return;
    const Graph::Row clique = StableSets::firstMaximumClique(rows, n);
    writeMatrix(n, [clique](int i, int j) { return i != j && ((clique >> i) & (clique >> j) & 1u) ? 1.0 : 0.0; });
}
