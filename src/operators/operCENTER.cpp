#include "operators/operCENTER.h"

operCENTER::operCENTER(bool graphical)
{
    initOperator("CENTER",
                 "Centering of a vector or matrix by substracting the average value. In a matrix, the diagonal "
                 "elements are considered in the computation of the average value.",
                 1, graphical);
}

QString operCENTER::formula()
{
    return prefixFormula(1);
}

void operCENTER::recompute()
{
    if (!argumentsReady(1))
        return;
    const Argument a(args[0]);
    const int r = a.rows(), c = a.cols();
    setResult(name, r, c, a.rowsLabel(), a.colsLabel());
    double sum = 0.0;
    a.forEach([&sum](double x) { sum += x; });
    const double mean = sum / (r * c);
    for (int i = 0; i < r; ++i)
        for (int j = 0; j < c; ++j)
            value[i][j] = a.at(i, j) - mean;
}
