#include "operators/operSUMCOL.h"

operSUMCOL::operSUMCOL(bool graphical)
{
    initOperator("SUMCOL", "Sum of the terms of each column of a matrix, providing a row vector.", 1, graphical);
}

QString operSUMCOL::formula()
{
    return prefixFormula(1);
}

void operSUMCOL::recompute()
{
    if (!argumentsReady(1))
        return;
    reduceLines(Along::Columns, 0.0, [](double s, double x) { return s + x; });
}
