#include "invariants/invENERGY.h"

#include "calculus/SymmetricEigenvalues.h"

#include <cmath>

invENERGY::invENERGY(bool displayed)
{
    initInvariant("ENERGY", "Energy, sum of the absolute values of the eigenvalues of the adjacency matrix.", "1", "1",
                  GraphValue, displayed);
    adjacency.fill(QVector<double>(Graph::MaxNodes, 0.0), Graph::MaxNodes);
}

invENERGY::~invENERGY() = default;

void invENERGY::recompute()
{
    Graph::Row adj[Graph::MaxNodes];
    const int n = readGraph(adj);
    if (n < 0)
        return;
    writeAdjacency(adjacency, adj, n, 1.0);
    saveTooltip("Energy");
    const SymmetricEigenvalues eig(adjacency, n);
    if (!eig.ok()) {
        saveTooltip("Energy: " + eig.errorText());
        nbRows = 0;
        nbCols = 0;
        error = true;
        return;
    }
    double energy = 0.0;
    for (double lambda : eig.eigvals())
        energy += std::fabs(lambda);
    value[0][0] = energy;
}
