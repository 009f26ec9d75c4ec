#include "operators/operMAXROW.h"

operMAXROW::operMAXROW(bool graphical)
{
    initOperator("MAXROW", "Maximum over each row. If a matrix is given as argument, a column vector is obtained.",
                 "Maximum over each row.\n If a matrix is given as argument, a column vector is obtained.", 1,
                 graphical);
}

QString operMAXROW::formula()
{
    return prefixFormula(1);
}

void operMAXROW::recompute()
{
    if (!argumentsReady(1))
        return;
    const Argument a(args[0]);
    setResult(name, a.rows(), 1, a.rowsLabel(), QStringLiteral("1"));
    for (int i = 0; i < a.rows(); ++i) {
        double m = -1e12;
        for (int j = 0; j < a.cols(); ++j)
            m = a.at(i, j) > m ? a.at(i, j) : m;
        value[i][0] = m;
    }
}
