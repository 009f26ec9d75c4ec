#include "operators/operABS.h"

#include <cmath>

operABS::operABS(bool graphical)
{
    initOperator("ABS", "Absolute values of the entries of the value, vector or matrix.", 1, graphical);
}

QString operABS::formula()
{
    return prefixFormula(1);
}

void operABS::recompute()
{
    if (!args[0]) {
        fail(MissingArgument);
        return;
    }
    // An empty argument keeps the labels of the last value.
    if (!argumentsReady(1, MissingArgument, true, true))
        return;
    setResult(name, args[0]->getNbRows(), args[0]->getNbCols(), args[0]->getSRows(), args[0]->getSCols());
    mapArgument(1, [](double x) { return std::fabs(x); });
}
