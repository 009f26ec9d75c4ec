#ifndef INVARIANT_H
#define INVARIANT_H

#include "calculus/Calculus.h"

// The base of the graph invariants: no argument; may be the argument of other items.
class Invariant : public Calculus
{
public:
    Invariant();

    bool setLink1(Link *) override { return false; }
    bool setLink2(Link *) override { return false; }
    bool setLink3(Link *) override { return false; }
    bool setLink4(Link *) override { return false; }
    QString formula() override;
    bool setLinkTo(Link *l) override { return registerLinkTo(l); }
    bool setArg1(Calculus *) override { return false; }
    bool setArg2(Calculus *) override { return false; }
    bool setArg3(Calculus *) override { return false; }
    bool setArg4(Calculus *) override { return false; }
    void setParam(int) override {}
    int getParam() override { return -1; }
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;
};

#endif
