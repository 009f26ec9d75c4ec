#include "operators/operMULTTERMS.h"

operMULTTERMS::operMULTTERMS(bool graphical)
{
    initOperator(".*", "Term by term multiplication of values, vectors or matrices.", 2, graphical);
}

QString operMULTTERMS::formula()
{
    return infixFormula(2);
}

void operMULTTERMS::recompute()
{
    if (!argumentsReady(2))
        return;
    combineTerms(
        2, [](double a, double s) { return a * s; }, [](double s, double b) { return b * s; },
        [](double e, double x) { return e * x; });
}
