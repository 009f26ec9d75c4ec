#ifndef COMPARISONCONSTRAINT_H
#define COMPARISONCONSTRAINT_H

#include "calculus/Constraint.h"

// What the five comparison constraints share: argument 1 fixes the cells that are compared,
// argument 2 (a value, a column, a row or a matrix of argument 1's shape) is broadcast onto
// it, and the value is the 1 x 1 sum of the cell violations. Only the relation differs.
//
// A cell whose comparison cannot be decided (NaN on either side) adds 1: an undecidable
// constraint must never pass as satisfied.
class ComparisonConstraint : public Constraint
{
public:
    enum class Relation { Equal, GreaterOrEqual, Greater, LessOrEqual, Less };

    QString formula() override;
    void recompute() override;

    // The violation of one cell a of argument 1 against its bound b.
    static double cellViolation(Relation r, double a, double b);

protected:
    ComparisonConstraint(const QString &key, const QString &help, Relation relation, bool displayed);

private:
    const Relation relation;
};

#endif
