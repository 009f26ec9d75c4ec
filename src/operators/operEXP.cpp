#include "operators/operEXP.h"

#include <cmath>

operEXP::operEXP(bool graphical)
{
    initOperator("EXP", "Exponent of the entries of the value, vector or matrix.", 1, graphical);
}

QString operEXP::formula()
{
    return prefixFormula(1);
}

void operEXP::recompute()
{
    if (!argumentsReady(1, MissingArgument, true, false))
        return;
    setResult(name, args[0]->getNbRows(), args[0]->getNbCols(), args[0]->getSRows(), args[0]->getSCols());
    mapArgument(1, [](double x) { return std::exp(x); });
}
