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
    reduceLines(Along::Columns, -1e12, [](double m, double x) { return x > m ? x : m; });
}
