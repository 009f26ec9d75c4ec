#include "operators/operADD.h"

operADD::operADD(bool graphical)
{
    initOperator("+",
                 "Term by term addition of values, vectors or matrices (may handle up to 4 arguments). A value "
                 "may also be added to a vector or matrix.",
                 4, graphical);
}

QString operADD::formula()
{
    return infixFormula(2);
}

void operADD::recompute()
{
    // Missing terms, an empty first term and terms of two other shapes keep the labels of the
    // last value.
    if (!argumentsReady(2, MissingArguments, true, true))
        return;
    const Calculus *a = args[0];
    const Calculus *b = args[1];
    switch (broadcast(a->getNbRows(), a->getNbCols(), b->getNbRows(), b->getNbCols())) {
    case Broadcast::Differ:
        fail(ArgSizeDiffer, true);
        return;
    case Broadcast::SameShape:
        if (combineTerms(
                4, [](double x, double s) { return x + s; }, [](double s, double x) { return x + s; },
                [](double e, double x) { return e + x; }))
            showTooltipNow(name);
        return;
    case Broadcast::SecondSingle:
    case Broadcast::FirstSingle:
        sumWithBroadcast();
        return;
    }
}

void operADD::sumWithBroadcast()
{
    // The result takes the shape and labels of the first term that is not a single value
    // (argument 1 when all are); every other term is single or of that shape.
    Calculus *anchor = args[0];
    for (Calculus *t : args)
        if (t && !(t->getNbRows() == 1 && t->getNbCols() == 1)) {
            anchor = t;
            break;
        }
    const int r = anchor->getNbRows(), c = anchor->getNbCols();
    for (Calculus *t : args)
        if (t && t != anchor && !(t->getNbRows() == 1 && t->getNbCols() == 1)
            && (t->getNbRows() != r || t->getNbCols() != c)) {
            fail(ArgSizeDiffer);
            return;
        }
    setResult(name, r, c, anchor->getSRows(), anchor->getSCols());
    showTooltipNow(name);
    bool first = true;
    for (int k = 1; k <= 4; ++k) {
        Calculus *t = args[k - 1];
        if (!t)
            continue;
        if (t->getNbRows() == 1 && t->getNbCols() == 1) {
            const double s = numberArgument(k, 0.0);
            for (int i = 0; i < r; ++i)
                for (int j = 0; j < c; ++j)
                    value[i][j] = first ? s : value[i][j] + s;
        } else {
            const Argument term(t);
            for (int i = 0; i < r; ++i)
                for (int j = 0; j < c; ++j)
                    value[i][j] = first ? term.at(i, j) : value[i][j] + term.at(i, j);
        }
        first = false;
    }
}
