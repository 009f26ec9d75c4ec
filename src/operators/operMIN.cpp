#include "operators/operMIN.h"

operMIN::operMIN(bool graphical)
{
    initOperator("MIN", "Minimum value of a vector or matrix. Not to be confused with MMIN.",
                 "Minimum value of a vector or matrix.\n Not to be confused with MMIN.", 1, graphical);
}

QString operMIN::formula()
{
    return prefixFormula(1);
}

void operMIN::recompute()
{
    if (!argumentsReady(1))
        return;
    setSingleResult(name);
    double m = 1e12;
    Argument(args[0]).forEach([&m](double x) { m = x < m ? x : m; });
    value[0][0] = m;
}
