#ifndef CONSTRAINT_H
#define CONSTRAINT_H

#include "calculus/Calculus.h"

// The base of the constraints: exactly the arguments 1 and 2; never the argument of
// another item. Each constraint class gives its own formula.
class Constraint : public Calculus
{
public:
    Constraint();

    bool setLink1(Link *l) override { return acceptLink(1, l); }
    bool setLink2(Link *l) override { return acceptLink(2, l); }
    bool setLink3(Link *) override { return false; }
    bool setLink4(Link *) override { return false; }
    bool setLinkTo(Link *) override { return false; }
    bool setArg1(Calculus *c) override { return setArgAndRefresh(1, c); }
    bool setArg2(Calculus *c) override { return setArgAndRefresh(2, c); }
    bool setArg3(Calculus *) override { return false; }
    bool setArg4(Calculus *) override { return false; }
    void setParam(int) override {}
    int getParam() override { return -1; }
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;
};

#endif
