#include "operators/operMAXCOL.h"

operMAXCOL::operMAXCOL(bool graphical)
{
    initOperator("MAXCOL", "Maximum over each column, if the argument is a matrix, a row vector is obtained.",
                 "Maximum over each column.\n If the argument is a matrix, a row vector is obtained.", 1, graphical);
}

QString operMAXCOL::formula()
{
    return prefixFormula(1);
}

void operMAXCOL::recompute()
{
    if (!argumentsReady(1))
        return;
    const Argument a(args[0]);
    setResult(name, 1, a.cols(), QStringLiteral("1"), a.colsLabel());
    double *out = value[0].data();
    for (int j = 0; j < a.cols(); ++j) {
        double m = -1e12;
        for (int i = 0; i < a.rows(); ++i)
            m = a.at(i, j) > m ? a.at(i, j) : m;
        out[j] = m;
    }
}
