#include "operators/operADDCOLS.h"

operADDCOLS::operADDCOLS(bool graphical)
{
    initOperator("ADDCOLS",
                 "Concatenation of matrices by columns (adding the columns of the second after the columns of "
                 "the first).",
                 4, graphical);
}

QString operADDCOLS::formula()
{
    // Arguments 3 and 4 take part in the value but not in the text.
    return prefixFormula(2, 2);
}

void operADDCOLS::recompute()
{
    if (!argumentsReady(1, MissingArguments, false, true))
        return;
    const int r = args[0]->getNbRows();
    int c = 0;
    for (Calculus *part : args) {
        if (!part)
            continue;
        if (part->getNbRows() != r) {
            fail(QStringLiteral("Unmatching dimension"), true);
            return;
        }
        const int width = part->getNbCols();
        if (c + width > MaxSize) {
            fail(QStringLiteral("ADDCOLS: more than 32 columns"), true);
            return;
        }
        const Argument a(part);
        for (int i = 0; i < r; ++i)
            for (int j = 0; j < width; ++j)
                value[i][c + j] = a.at(i, j);
        c += width;
    }
    // The status text is recorded on success too, so that an earlier failure's text does not
    // stay on the item.
    saveTooltip(name);
    nbRows = r;
    nbCols = c;
}
