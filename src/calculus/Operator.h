#ifndef OPERATOR_H
#define OPERATOR_H

#include "calculus/Calculus.h"

// The base of the operators and the constant: up to four arguments; may be the argument of
// other items. Each operator class gives its own formula.
class Operator : public Calculus
{
public:
    Operator();

    bool setLink1(Link *l) override { return acceptLink(1, l); }
    bool setLink2(Link *l) override { return acceptLink(2, l); }
    bool setLink3(Link *l) override { return acceptLink(3, l); }
    bool setLink4(Link *l) override { return acceptLink(4, l); }
    bool setLinkTo(Link *l) override { return registerLinkTo(l); }
    bool setArg1(Calculus *c) override { return setArgAndRefresh(1, c); }
    bool setArg2(Calculus *c) override { return setArgAndRefresh(2, c); }
    bool setArg3(Calculus *c) override { return setArgAndRefresh(3, c); }
    bool setArg4(Calculus *c) override { return setArgAndRefresh(4, c); }
    void setParam(int) override {}
    int getParam() override { return -1; }
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;
};

#endif
