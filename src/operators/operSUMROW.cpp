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
    const Argument a(args[0]);
    setResult(name, a.rows(), 1, a.rowsLabel(), QStringLiteral("1"));
    for (int i = 0; i < a.rows(); ++i) {
        double s = 0.0;
        for (int j = 0; j < a.cols(); ++j)
            s += a.at(i, j);
        value[i][0] = s;
    }
}
