#include "operators/operMOMENT.h"

#include "calculus/CalculusDisplay.h"
#include "graph/Graph.h"
#include "invariants/core/SharedDistances.h"

operMOMENT::operMOMENT(bool graphical)
{
    initOperator("MOMENT",
                 "Inertia moment for each vertex, $\\sum_{v\\in V} d(u,v) w(v)$. Where d(u,v) is the distance between "
                 "vertex $u$ and $v$ and $w(v)$ is the weight of the vertex $v$ given as vector argument "
                 "(default=degree).",
                 "Inertia moment for each vertex u.\n The sum of d(u,v) w(v).\n Where d(u,v) is the distance between "
                 "vertex u and v,\n and w(v) is the weight of the vertex v given as vector argument (default=degree).",
                 1, graphical);
    sRows = QStringLiteral("n");
    sCols = QStringLiteral("1");
    // The complement is taken on the adjacency snapshot; the shared graph is never inverted.
    complementSnapshot = true;
    if (dialog)
        dialog->enableInvertGraph(true);
}

// The weights are optional in the computation, but the formula still asks for them.
QString operMOMENT::formula()
{
    return prefixFormula(1);
}

void operMOMENT::recompute()
{
    // No argument is required; one beyond the storage is still refused.
    if (!argumentsReady(0, MissingArguments, false))
        return;
    if (!graph) {
        fail(QStringLiteral("MOMENT needs a graph"));
        return;
    }
    Graph::Row rows[Graph::MaxNodes];
    const int n = adjacencySnapshot(rows);
    // Read before the distances are shared: the argument's lock is never taken while the
    // shared table is held.
    double weight[Graph::MaxNodes];
    if (args[0] && args[0]->getNbRows() == n && args[0]->getNbCols() == 1) {
        const Argument w(args[0]);
        for (int v = 0; v < n; ++v)
            weight[v] = w.at(v, 0);
    } else {
        for (int v = 0; v < n; ++v)
            weight[v] = __builtin_popcount(rows[v]);
    }
    bool connected = true;
    SharedDistances::forThisThread().use(rows, n, [&](const Distances &d) {
        connected = d.connected();
        for (int u = 0; u < n; ++u) {
            double sum = 0.0;
            for (int v = 0; v < n; ++v)
                if (v != u)
                    sum += d.at(u, v) * weight[v];
            value[u][0] = sum;
        }
    });
    setResult(connected ? name : QStringLiteral("MOMENT needs a connected graph"), n, 1, QStringLiteral("n"),
              QStringLiteral("1"));
    // The value stays: 1e12 for each distance out of reach.
    if (!connected)
        error = true;
}
