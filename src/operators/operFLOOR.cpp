#include "operators/operFLOOR.h"

#include <cmath>

operFLOOR::operFLOOR(bool graphical)
{
    initOperator("FLOOR", "Floor values of the entries of the value, vector or matrix.", 1, graphical);
}

QString operFLOOR::formula()
{
    return prefixFormula(1);
}

void operFLOOR::recompute()
{
    if (!argumentsReady(1, MissingArgument, true, false))
        return;
    setResult(name, args[0]->getNbRows(), args[0]->getNbCols(), args[0]->getSRows(), args[0]->getSCols());
    mapArgument(1, [](double x) { return std::floor(x); });
}
