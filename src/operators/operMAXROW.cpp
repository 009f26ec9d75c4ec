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
    reduceLines(Along::Rows, -1e12, [](double m, double x) { return x > m ? x : m; });
}
