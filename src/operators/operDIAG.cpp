#include "operators/operDIAG.h"

operDIAG::operDIAG(bool graphical)
{
    initOperator("DIAG", "Construction of a diagonal matrix from a vector.", 1, graphical);
}

QString operDIAG::formula()
{
    return prefixFormula(1);
}

void operDIAG::recompute()
{
    if (!argumentsReady(1, MissingArgument))
        return;
    const int r = args[0]->getNbRows(), c = args[0]->getNbCols();
    if (r > 1 && c > 1) {
        fail(QStringLiteral("The argument should be a vector"));
        return;
    }
    if (r == 1 && c == 1) {
        fail(QStringLiteral("Argument 1 should be a vector"));
        return;
    }
    const bool row = r == 1;
    const int n = row ? c : r;
    const QString label = row ? args[0]->getSCols() : args[0]->getSRows();
    setResult(name, n, n, label, label);
    const Argument a(args[0]);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            value[i][j] = i == j ? (row ? a.at(0, i) : a.at(i, 0)) : 0.0;
}
