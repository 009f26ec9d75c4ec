#include "operators/operSUM.h"

operSUM::operSUM(bool graphical)
{
    initOperator("SUM",
                 "Sum of the values in a vector or matrix. Not to be confused with + which adds corresponding "
                 "elements of different matrices.",
                 "Sum of the values in a vector or matrix.\n Not to be confused with + which adds corresponding "
                 "elements of different matrices.",
                 1, graphical);
}

QString operSUM::formula()
{
    return prefixFormula(1);
}

void operSUM::recompute()
{
    if (!argumentsReady(1))
        return;
    setSingleResult(name);
    double s = 0.0;
    Argument(args[0]).forEach([&s](double x) { s += x; });
    value[0][0] = s;
}
