#ifndef FAMILY_H
#define FAMILY_H

#include "calculus/Calculus.h"

// The base of the graph families: no argument; never the argument of another item; a 1 x 1
// value, 1.0 when the graph belongs to the family.
class Family : public Calculus
{
public:
    Family();

    bool setLink1(Link *) override { return false; }
    bool setLink2(Link *) override { return false; }
    bool setLink3(Link *) override { return false; }
    bool setLink4(Link *) override { return false; }
    QString formula() override { return name; }
    bool setLinkTo(Link *) override { return false; }
    bool setArg1(Calculus *) override { return false; }
    bool setArg2(Calculus *) override { return false; }
    bool setArg3(Calculus *) override { return false; }
    bool setArg4(Calculus *) override { return false; }
    void setParam(int) override {}
    int getParam() override { return -1; }
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;
};

#endif
