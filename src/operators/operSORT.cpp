#include "operators/operSORT.h"

#include <utility>

operSORT::operSORT(bool graphical)
{
    initOperator("SORT", "Sort a vector in decreasing order.", 1, graphical);
}

QString operSORT::formula()
{
    return prefixFormula(1);
}

void operSORT::recompute()
{
    if (!argumentsReady(1))
        return;
    double e[MaxSize];
    int n = 0;
    bool column = false;
    {
        const Argument a(args[0]);
        const int r = a.rows(), c = a.cols();
        if (r > 1 && c > 1) {
            // Only vectors have an order to give; a matrix must not pass for a sorted value.
            fail(QStringLiteral("SORT needs a vector as argument"));
            return;
        }
        column = c == 1;
        n = column ? r : c;
        setResult(column ? (r == 1 ? QStringLiteral("single element") : QStringLiteral("Column vector"))
                         : QStringLiteral("Row vector"),
                  r, c, a.rowsLabel(), a.colsLabel());
        for (int k = 0; k < n; ++k)
            e[k] = column ? a.at(k, 0) : a.at(0, k);
    }
    // Passes of adjacent exchanges on a strict comparison: equal entries never pass each other
    // and a NaN, which compares false, is never moved nor passed. n passes always suffice.
    for (int pass = 0; pass < n; ++pass) {
        bool exchanged = false;
        for (int j = 1; j < n; ++j)
            if (e[j - 1] < e[j]) {
                std::swap(e[j - 1], e[j]);
                exchanged = true;
            }
        if (!exchanged)
            break;
    }
    for (int k = 0; k < n; ++k)
        (column ? value[k][0] : value[0][k]) = e[k];
}
