#include "operators/operSUMROW.h"

operSUMROW::operSUMROW(bool graphical)
{
    initOperator("SUMROW", "Sum of the terms of each row of a matrix, providing a column vector.",
                 "Sum of the terms of each row of a matrix,\n providing a column vector.", 1, graphical);
}

QString operSUMROW::formula()
{
    return prefixFormula(1);
}

void operSUMROW::recompute()
{
    if (!argumentsReady(1))
        return;
    reduceLines(Along::Rows, 0.0, [](double s, double x) { return s + x; });
}
