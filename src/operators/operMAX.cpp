#include "operators/operMAX.h"

operMAX::operMAX(bool graphical)
{
    initOperator("MAX", "Maximum value over a vector or a matrix. Not to be confused with MMAX.",
                 "Maximum value over a vector or a matrix.\n Not to be confused with MMAX.", 1, graphical);
}

QString operMAX::formula()
{
    return prefixFormula(1);
}

void operMAX::recompute()
{
    if (!argumentsReady(1))
        return;
    setSingleResult(name);
    double m = -1e12;
    // A NaN never replaces the running maximum.
    Argument(args[0]).forEach([&m](double x) { m = x > m ? x : m; });
    value[0][0] = m;
}
