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
    const Argument a(args[0]);
    setResult(name, 1, a.cols(), QStringLiteral("1"), a.colsLabel());
    double *out = value[0].data();
    for (int j = 0; j < a.cols(); ++j) {
        double s = 0.0;
        for (int i = 0; i < a.rows(); ++i)
            s += a.at(i, j);
        out[j] = s;
    }
}
