#include "invariants/invKIRCHHOFF.h"

#include "calculus/SymmetricEigenvalues.h"

invKIRCHHOFF::invKIRCHHOFF(bool displayed)
{
    initInvariant("KIRCHHOFF",
                  R"(KIRCHHOFF index defined as $n\sum_{k=1}^{n-1}\frac{1}{\mu_k}$, where $\mu_k$ is the $k^{th}$ eigenvalue of the laplacian matrix of $G$.)",
                  "1", "1", GraphValue, displayed);
}

invKIRCHHOFF::~invKIRCHHOFF() = default;

void invKIRCHHOFF::recompute()
{
    Graph::Row adj[Graph::MaxNodes];
    const int n = readGraph(adj);
    if (n < 0)
        return;
    saveTooltip("Kirchhoff");
    nbRows = 0;
    nbCols = 0;
    if (n < 3) {
        error = true;
        return;
    }
    // The Laplacian is built in the value's own storage, which is free until the result.
    writeLaplacian(value, adj, n, -1.0);
    const SymmetricEigenvalues eig(value, n);
    if (!eig.ok()) {
        saveTooltip("Kirchhoff: " + eig.errorText());
        error = true;
        return;
    }
    const QVector<double> mu = eig.eigvals();
    // The smallest eigenvalue is the zero of every Laplacian; a second one means the graph
    // falls apart.
    if (mu[n - 2] < 1e-6) {
        error = true;
        return;
    }
    double sum = 0.0;
    for (int k = 0; k <= n - 2; ++k)
        sum += 1.0 / mu[k];
    value[0][0] = n * sum;
    nbRows = 1;
    nbCols = 1;
}
