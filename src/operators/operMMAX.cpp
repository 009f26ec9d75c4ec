#include "operators/operMMAX.h"

operMMAX::operMMAX(bool graphical)
{
    initOperator("MMAX",
                 "Term by term maximum valuea over different vectors or matrices, or between a value and a vector or "
                 "a matrix.",
                 "Term by term maximum valuea over different vectors or matrices,\n or between a value and a vector "
                 "or a matrix.",
                 4, graphical);
}

QString operMMAX::formula()
{
    return prefixFormula(2);
}

// The comparisons are strict, so a NaN on either side keeps the matrix's (or running) entry.
void operMMAX::recompute()
{
    if (!argumentsReady(2))
        return;
    combineTerms(
        4, [](double a, double s) { return s > a ? s : a; }, [](double s, double b) { return s > b ? s : b; },
        [](double e, double x) { return x > e ? x : e; });
}
