#include "operators/operSUBSTRACT.h"

operSUBSTRACT::operSUBSTRACT(bool graphical)
{
    initOperator("-",
                 "Term by term substraction of values, vectors or matrices. A value may also be substracted from a "
                 "matrix or vector.",
                 "Term by term substraction of values, vectors or matrices.\n A value may also be substracted from a "
                 "matrix or vector.",
                 4, graphical);
}

QString operSUBSTRACT::formula()
{
    return infixFormula(2);
}

void operSUBSTRACT::recompute()
{
    if (!argumentsReady(2))
        return;
    combineTerms(
        4, [](double a, double s) { return a - s; }, [](double s, double b) { return s - b; },
        [](double e, double x) { return e - x; });
}
