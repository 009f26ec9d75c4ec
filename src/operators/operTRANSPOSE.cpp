#include "operators/operTRANSPOSE.h"

operTRANSPOSE::operTRANSPOSE(bool graphical)
{
    initOperator("TRANSPOSE", "Transposition of a vector or matrix.", 1, graphical);
}

QString operTRANSPOSE::formula()
{
    return prefixFormula(1);
}

void operTRANSPOSE::recompute()
{
    if (!argumentsReady(1))
        return;
    const Argument a(args[0]);
    const int r = a.rows(), c = a.cols();
    setResult(name, c, r, a.colsLabel(), a.rowsLabel());
    for (int i = 0; i < r; ++i)
        for (int j = 0; j < c; ++j)
            value[j][i] = a.at(i, j);
}
