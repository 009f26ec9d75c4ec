#include "OptimizerBoards.h"

#include "calculus/BuildCalculus.h"
#include "calculus/Calculus.h"
#include "calculus/invConstant.h"
#include "problem/Problem.h"

namespace {
Calculus *make(const QString &key, QString *why)
{
    BuildCalculus factory;
    Calculus *c = factory.makeCalculus(key, false);
    if (!c && why)
        *why = "key not made yet: " + key;
    return c;
}
} // namespace

bool OptimizerBoards::objective(Problem &p, const QString &sense, const QString &invariant, QString *why)
{
    Calculus *inv = make(invariant, why);
    Calculus *z = make(sense, why);
    if (!inv || !z) {
        delete inv;
        delete z;
        return false;
    }
    p.addInvariantItem(inv);
    p.addZItem(z);
    p.link1(inv, z);
    return true;
}

bool OptimizerBoards::compare(Problem &p, const QString &invariant, const QString &comparison, double rhs, QString *why)
{
    Calculus *inv = make(invariant, why);
    Calculus *c = make(comparison, why);
    if (!inv || !c) {
        delete inv;
        delete c;
        return false;
    }
    BuildCalculus factory;
    invConstant *k = factory.makeConstant(false);
    k->loadData(1, 1, {rhs});
    p.addInvariantItem(inv);
    p.addOperatorItem(k);
    p.addConstraintItem(c);
    p.link1(inv, c);
    p.link2(k, c);
    return true;
}

bool OptimizerBoards::constraint(Problem &p, const QString &key, QString *why)
{
    Calculus *c = make(key, why);
    if (!c)
        return false;
    p.addConstraintItem(c);
    return true;
}
