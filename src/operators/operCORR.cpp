#include "operators/operCORR.h"

#include "operators/ValueBlock.h"

operCORR::operCORR(bool graphical)
{
    initOperator("CORR", "Correlation coefficient between 2 vectors.", 2, graphical);
    sRows = sCols = QStringLiteral("1");
}

QString operCORR::formula()
{
    return prefixFormula(2);
}

void operCORR::recompute()
{
    // The labels are "1" / "1" for the item's whole life.
    if (!argumentsReady(2, MissingArguments, true, true))
        return;
    const ValueBlock a(args[0]);
    const ValueBlock b(args[1]);
    if (a.rows() != 1 && a.cols() != 1) {
        fail(QStringLiteral("VECTORS NEEDED"), true);
        return;
    }
    if (!a.sameShape(b)) {
        fail(ArgSizeDiffer, true);
        return;
    }
    setSingleResult(name);
    showTooltipNow(name);
    value[0][0] = 0.0;
    double cosine = 0.0;
    if (!a.cosineWith(b, cosine)) {
        fail(QStringLiteral("NUMERICAL ERROR: DIV by 0"), true);
        return;
    }
    value[0][0] = cosine;
}
