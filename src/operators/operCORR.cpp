#include "operators/operCORR.h"

#include "operators/ValueBlock.h"

operCORR::operCORR(bool graphical) : operCORR("CORR", "Correlation coefficient between 2 vectors.", graphical) {}

operCORR::operCORR(const QString &key, const QString &text, bool graphical)
{
    initOperator(key, text, 2, graphical);
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
    if (name == QLatin1String("CORR"))
        showTooltipNow(name);
    value[0][0] = 0.0;
    double cosine = 0.0;
    if (!a.cosineWith(b, cosine)) {
        fail(QStringLiteral("NUMERICAL ERROR: DIV by 0"), true);
        return;
    }
    value[0][0] = fromCosine(cosine);
}
