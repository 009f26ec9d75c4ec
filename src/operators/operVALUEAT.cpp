#include "operators/operVALUEAT.h"

operVALUEAT::operVALUEAT(bool graphical)
{
    initOperator("VALUE AT",
                 "Value at the position $i$ from the vector provided as first argument, $i$ being provided as second "
                 "argument.",
                 "Value at the position i from the vector provided as first argument,\n i being provided as second "
                 "argument.",
                 2, graphical);
}

QString operVALUEAT::formula()
{
    return prefixFormula(2);
}

void operVALUEAT::recompute()
{
    if (!argumentsReady(2))
        return;
    const int r = args[0]->getNbRows(), c = args[0]->getNbCols();
    if (r > 1 && c > 1) {
        fail(QStringLiteral("The first argument should be a vector"));
        return;
    }
    if (args[1]->getNbRows() != 1 || args[1]->getNbCols() != 1) {
        fail(QStringLiteral("The second argument should be a number"));
        return;
    }
    if (r == 1 && c == 1) {
        fail(QStringLiteral("Argument 1 should be a vector"));
        return;
    }
    const int i = indexArgument(2);
    const int n = r == 1 ? c : r;
    if (i < 1 || i > n) {
        fail(QStringLiteral("Index out of bounds"));
        return;
    }
    setSingleResult(QStringLiteral("VECTOR VALUE AT"));
    const Argument a(args[0]);
    value[0][0] = r == 1 ? a.at(0, i - 1) : a.at(i - 1, 0);
}
