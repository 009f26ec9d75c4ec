#include "operators/operCOL.h"

operCOL::operCOL(bool graphical)
{
    initOperator("COLUMN",
                 "Selection of a column in a matrix. The second argument indicates the number of the column to "
                 "select. The output is a column vector.",
                 "Selection of a column in a matrix.\n The second argument indicates the number of the column to "
                 "select.\n The output is a column vector.",
                 2, graphical);
}

QString operCOL::formula()
{
    return prefixFormula(2);
}

void operCOL::recompute()
{
    if (!argumentsReady(2))
        return;
    if (args[1]->getNbRows() != 1 || args[1]->getNbCols() != 1) {
        fail(QStringLiteral("The second argument should be a number"));
        return;
    }
    // A NaN, an infinity or a number beyond the int range reads as 0: no column.
    const int k = indexArgument(2);
    if (k < 1 || k > args[0]->getNbCols()) {
        fail(QStringLiteral("Invalid column number"));
        return;
    }
    setResult(name, args[0]->getNbRows(), 1, args[0]->getSRows(), QStringLiteral("1"));
    showTooltipNow(name);
    const Argument a(args[0]);
    for (int i = 0; i < a.rows(); ++i)
        value[i][0] = a.at(i, k - 1);
}
