#ifndef INFOEDGE_H
#define INFOEDGE_H

#include "calculus/Calculus.h"

// An edge info item of the board ("E_Labels", "E_Hilights"): copies an n x n matrix from
// its argument 1, n being the graph's vertex count, which the board hands to the graph view.
class infoEDGE : public Calculus
{
public:
    infoEDGE(QString name, bool displayed);

    void paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *) override { paintInfo(painter); }
    bool setLink1(Link *l) override { return acceptInfoLink(l); }
    bool setLink2(Link *) override { return false; }
    bool setLink3(Link *) override { return false; }
    bool setLink4(Link *) override { return false; }
    QString formula() override { return infoFormula(); }
    bool setLinkTo(Link *) override { return false; }
    bool setArg1(Calculus *c) override { return setInfoArg(c); }
    bool setArg2(Calculus *) override { return false; }
    bool setArg3(Calculus *) override { return false; }
    bool setArg4(Calculus *) override { return false; }
    void setParam(int) override {}
    int getParam() override { return -1; }
    void recompute() override;
};

#endif
