#ifndef TESTITEMS_H
#define TESTITEMS_H

#include "calculus/Constraint.h"
#include "calculus/Family.h"
#include "calculus/Invariant.h"
#include "calculus/Operator.h"

#include <atomic>
#include <functional>

// Small items for the tests of the item framework: each counts its recomputes and takes as
// value the edge count of the graph it computes on (in every entry of its shape), or fails
// when told to.
struct Counting
{
    std::atomic<int> recomputes{0};
    bool failNext = false;
    int shapeRows = 1;
    int shapeCols = 1;
    std::function<void()> duringRecompute;
};

class CountingOperator : public Operator, public Counting
{
public:
    explicit CountingOperator(bool displayed, QString key = "COUNTOP");
    QString formula() override { return name; }
    void recompute() override;
};

class CountingInvariant : public Invariant, public Counting
{
public:
    explicit CountingInvariant(bool displayed, QString key = "COUNTINV");
    void recompute() override;
};

class TestConstraint : public Constraint, public Counting
{
public:
    explicit TestConstraint(bool displayed);
    QString formula() override { return name; }
    void recompute() override;
};

class TestFamily : public Family, public Counting
{
public:
    explicit TestFamily(bool displayed);
    void recompute() override;
};

// Fails the running test on any Qt warning while alive (for instance about widgets made in
// a thread other than the GUI thread).
class WarningGuard
{
public:
    WarningGuard();
    ~WarningGuard();
    static QStringList messages();
};

#endif
