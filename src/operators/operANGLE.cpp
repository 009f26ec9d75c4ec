#include "operators/operANGLE.h"

#include "operators/ValueBlock.h"

#include <cmath>

operANGLE::operANGLE(bool graphical)
{
    initOperator("ANGLE", "Angle (Rad) between 2 vectors.", 2, graphical);
    sRows = sCols = QStringLiteral("1");
}

QString operANGLE::formula()
{
    return prefixFormula(2);
}

void operANGLE::recompute()
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
    value[0][0] = 0.0;
    double cosine = 0.0;
    if (!a.cosineWith(b, cosine)) {
        fail(QStringLiteral("NUMERICAL ERROR: DIV by 0"), true);
        return;
    }
    value[0][0] = std::acos(cosine);
}
