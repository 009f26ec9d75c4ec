#include "operators/operMMIN.h"

operMMIN::operMMIN(bool graphical)
{
    initOperator("MMIN",
                 "Term by term minimum valuea over different vectors or matrices, or between a value and a vector or "
                 "a matrix.",
                 4, graphical);
}

QString operMMIN::formula()
{
    return prefixFormula(2);
}

// The comparisons are strict, so a NaN on either side gives the single value (or the later
// term's entry).
void operMMIN::recompute()
{
    if (!argumentsReady(2))
        return;
    combineTerms(
        4, [](double a, double s) { return a < s ? a : s; }, [](double s, double b) { return b < s ? b : s; },
        [](double e, double x) { return e < x ? e : x; });
}
