#include "operators/operCEIL.h"

#include <cmath>

operCEIL::operCEIL(bool graphical)
{
    initOperator("CEIL", "ceil values of the entries of the value, vector or matrix.", 1, graphical);
}

QString operCEIL::formula()
{
    return prefixFormula(1);
}

void operCEIL::recompute()
{
    if (!argumentsReady(1, MissingArgument, true, true))
        return;
    setResult(name, args[0]->getNbRows(), args[0]->getNbCols(), args[0]->getSRows(), args[0]->getSCols());
    mapArgument(1, [](double x) { return std::ceil(x); });
}
