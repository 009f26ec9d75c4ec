#include "operators/operNORMALIZEMAT.h"

#include "graph/Graph.h"

#include <cmath>

operNORMALIZEMAT::operNORMALIZEMAT(bool graphical)
{
    initOperator("NORMALIZEMAT",
                 "Construction of a matrix from a vector $v$ by computing $\\frac{1}{\\sqrt{v_i v_j}}\\quad \\forall "
                 "(i,j)\\in E$, $=0$ otherwise.",
                 "Construction of a matrix from a vector v by computing 1/SQRT(vi * vj) if (vi,vj) is an edge, 0 "
                 "otherwise.",
                 1, graphical);
    complementSnapshot = true;
}

QString operNORMALIZEMAT::formula()
{
    return prefixFormula(1);
}

void operNORMALIZEMAT::recompute()
{
    if (!graph) {
        fail(QStringLiteral("NORMALIZEMAT needs a graph"));
        return;
    }
    if (!argumentsReady(1))
        return;
    const int r = args[0]->getNbRows(), c = args[0]->getNbCols();
    if ((r > 1 && c > 1) || (r == 1 && c == 1)) {
        fail(QStringLiteral("NORMALIZEMAT needs a vector as argument"));
        return;
    }
    Graph::Row rows[Graph::MaxNodes];
    const int n = adjacencySnapshot(rows);
    // Every vertex needs its own value: entries beyond the vector carry no meaning.
    if ((r == 1 ? c : r) < n) {
        fail(QStringLiteral("NORMALIZEMAT needs a value for every vertex"));
        return;
    }
    double v[Graph::MaxNodes];
    {
        const Argument a(args[0]);
        for (int i = 0; i < n; ++i)
            v[i] = r == 1 ? a.at(0, i) : a.at(i, 0);
    }
    setResult(name, n, n, QStringLiteral("n"), QStringLiteral("n"));
    for (int i = 0; i < n; ++i) {
        double *out = value[i].data();
        for (int j = 0; j < n; ++j)
            out[j] = ((rows[i] >> j) & 1u) ? 1.0 / std::sqrt(v[i] * v[j]) : 0.0;
    }
}
