#include "operators/operDIV.h"

#include "operators/ValueBlock.h"

#include <cmath>

operDIV::operDIV(bool graphical)
{
    initOperator("/", "Division of a value, vector or matrix by a value, or the reverse.", 2, graphical);
}

QString operDIV::formula()
{
    return infixFormula(2);
}

void operDIV::recompute()
{
    if (!argumentsReady(2))
        return;
    Calculus *a = args[0];
    Calculus *b = args[1];
    const Broadcast form = broadcast(a->getNbRows(), a->getNbCols(), b->getNbRows(), b->getNbCols());
    if (form == Broadcast::Differ) {
        fail(ArgSizeDiffer);
        return;
    }
    // Entry (i, j) is dividend(i, j) / divisor(i, j), computed row by row until a divisor is
    // too small.
    auto divide = [this](int r, int c, auto dividend, auto divisor) {
        for (int i = 0; i < r; ++i)
            for (int j = 0; j < c; ++j) {
                const double d = divisor(i, j);
                if (std::fabs(d) < 1e-6) {
                    value[i][j] = 1e12;
                    fail(QStringLiteral("NUMERICAL ERROR: DIV by 0"), true);
                    return;
                }
                value[i][j] = dividend(i, j) / d;
            }
    };
    if (form == Broadcast::SecondSingle) {
        const double d = numberArgument(2, 0.0);
        setResult(name, a->getNbRows(), a->getNbCols(), a->getSRows(), a->getSCols());
        showTooltipNow(name);
        const Argument x(a);
        divide(x.rows(), x.cols(), [&](int i, int j) { return x.at(i, j); }, [d](int, int) { return d; });
    } else if (form == Broadcast::FirstSingle) {
        const double s = numberArgument(1, 0.0);
        setResult(name, b->getNbRows(), b->getNbCols(), b->getSRows(), b->getSCols());
        showTooltipNow(name);
        const Argument y(b);
        divide(y.rows(), y.cols(), [s](int, int) { return s; }, [&](int i, int j) { return y.at(i, j); });
    } else {
        // Equal shapes take the divisor's labels.
        const ValueBlock y(b);
        setResult(name, a->getNbRows(), a->getNbCols(), b->getSRows(), b->getSCols());
        const Argument x(a);
        divide(x.rows(), x.cols(), [&](int i, int j) { return x.at(i, j); },
               [&](int i, int j) { return y.at(i, j); });
    }
}
