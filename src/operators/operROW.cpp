#include "operators/operROW.h"

operROW::operROW(bool graphical)
{
    initOperator("ROW",
                 "Row $i$ of the matrix provided as first argument, $i$ being provided as second argument. The result "
                 "is a row as wide as the first argument.",
                 "Row i of the matrix provided as first argument,\n i being provided as second argument.\n The result "
                 "is a row as wide as the first argument.",
                 2, graphical);
}

QString operROW::formula()
{
    return prefixFormula(2);
}

void operROW::recompute()
{
    if (!argumentsReady(2))
        return;
    if (args[1]->getNbRows() != 1 || args[1]->getNbCols() != 1) {
        fail(QStringLiteral("The second argument should be a number"));
        return;
    }
    const int i = indexArgument(2);
    if (i < 1 || i > args[0]->getNbRows()) {
        fail(QStringLiteral("Invalid row number"));
        return;
    }
    const Argument a(args[0]);
    const int c = a.cols();
    setResult(name, 1, c, QStringLiteral("1"), a.colsLabel());
    for (int j = 0; j < c; ++j)
        value[0][j] = a.at(i - 1, j);
}
