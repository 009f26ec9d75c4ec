#include "operators/operSQRT.h"

#include <cmath>

operSQRT::operSQRT(bool graphical)
{
    initOperator("SQRT", "Term by term square root.", 1, graphical);
}

QString operSQRT::formula()
{
    return prefixFormula(1);
}

void operSQRT::recompute()
{
    if (!argumentsReady(1, MissingArgument))
        return;
    bool negative = false;
    {
        const Argument a(args[0]);
        setResult(name, a.rows(), a.cols(), a.rowsLabel(), a.colsLabel());
        for (int i = 0; i < a.rows(); ++i)
            for (int j = 0; j < a.cols(); ++j) {
                const double x = a.at(i, j);
                if (x < -1e-6)
                    negative = true;
                else if (x < 1e-6)
                    value[i][j] = 0.0;
                else
                    value[i][j] = std::sqrt(x);
            }
    }
    if (negative)
        fail("SQRT needs non negative arguments.");
}
