#include "constraints/ComparisonConstraint.h"

#include "calculus/CalculusDisplay.h"

#include <QMutexLocker>
#include <cmath>
#include <functional>

namespace {
constexpr double Margin = 1e-6;

// The sum over argument 1's cells in row-major order; argument 2's row (column) index stays
// 0 when it has a single row (column), which is its broadcast.
template <ComparisonConstraint::Relation R>
double sumCells(const Calculus *a, const Calculus *b, int rows, int cols, bool oneRowB, bool oneColB)
{
    double sum = 0.0;
    for (int i = 0; i < rows; ++i) {
        const int bi = oneRowB ? 0 : i;
        for (int j = 0; j < cols; ++j)
            sum = ComparisonConstraint::cellViolation(R, a->entry(i, j), b->entry(bi, oneColB ? 0 : j)) + sum;
    }
    return sum;
}
} // namespace

ComparisonConstraint::ComparisonConstraint(const QString &key, const QString &help, Relation relation,
                                           bool displayed)
    : relation(relation)
{
    name = key;
    latexDescription = help;
    description = help;
    this->displayed = displayed;
    if (displayed)
        setupDisplay(new CalculusDisplay(name, description));
}

double ComparisonConstraint::cellViolation(Relation r, double a, double b)
{
    // Equal cells first: two equal infinities have no finite difference to square, and a
    // margin added to an infinity (or to any value too large to hold it) changes nothing.
    if (a == b)
        return r == Relation::Greater || r == Relation::Less ? 1.0 : 0.0;
    const double square = (a - b) * (a - b);
    // Each test is false for NaN, which falls through to the undecidable case.
    switch (r) {
    case Relation::Equal:
        return std::isnan(square) ? 1.0 : square;
    case Relation::GreaterOrEqual:
        if (a + Margin < b)
            return square;
        if (a + Margin >= b)
            return 0.0;
        break;
    case Relation::Greater:
        if (a - Margin < b)
            return square + 1.0;
        if (a - Margin >= b)
            return 0.0;
        break;
    case Relation::LessOrEqual:
        if (a - Margin > b)
            return square;
        if (a - Margin <= b)
            return 0.0;
        break;
    case Relation::Less:
        if (b < a + Margin)
            return square + 1.0;
        if (b >= a + Margin)
            return 0.0;
        break;
    }
    return 1.0;
}

QString ComparisonConstraint::formula()
{
    if (!args[0] || !args[1])
        return QStringLiteral("MISSING ARGUMENT");
    return args[0]->formula() + ' ' + name + ' ' + args[1]->formula();
}

void ComparisonConstraint::recompute()
{
    Calculus *a = args[0];
    Calculus *b = args[1];
    if (!a || !b) {
        setNoValue(QStringLiteral("Missing arguments"));
        return;
    }
    // Both value locks in one global order, and one lock when the same item stands on both
    // sides: boards evaluated in two threads at once never wait on each other in a circle.
    const bool aFirst = std::less<Calculus *>()(a, b);
    QMutexLocker first(&(aFirst ? a : b)->getValueLock());
    QMutexLocker second(a == b ? nullptr : &(aFirst ? b : a)->getValueLock());

    const int rA = a->getNbRows();
    const int cA = a->getNbCols();
    const int rB = b->getNbRows();
    const int cB = b->getNbCols();
    auto held = [](int k) { return k >= 0 && k <= MaxSize; };
    // An empty argument 2 has no cell to compare with, whatever argument 1 holds.
    const bool fits = held(rA) && held(cA) && rB >= 1 && cB >= 1 && rB <= MaxSize && cB <= MaxSize
                      && (cB < 2 || cA == cB) && (rB < 2 || rA == rB);
    if (!fits) {
        setNoValue(QStringLiteral("Format error"));
        return;
    }
    // Unchanged from one graph to the next: no string copy in the search's inner loop.
    if (status != name)
        saveTooltip(name);
    // One loop per relation, so that the cell test is inlined into it.
    using Sum = double (*)(const Calculus *, const Calculus *, int, int, bool, bool);
    static constexpr Sum sums[] = {&sumCells<Relation::Equal>, &sumCells<Relation::GreaterOrEqual>,
                                   &sumCells<Relation::Greater>, &sumCells<Relation::LessOrEqual>,
                                   &sumCells<Relation::Less>};
    const double sum = sums[int(relation)](a, b, rA, cA, rB == 1, cB == 1);
    value[0][0] = sum;
    nbRows = 1;
    nbCols = 1;
}
