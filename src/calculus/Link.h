#ifndef LINK_H
#define LINK_H

#include <QGraphicsLineItem>
#include <QLineF>

class Calculus;

// The arrow of the white board that makes its source item argument 1 to 4 of its target
// item. Both ends hold it (the target in an argument slot, the source in its outgoing
// list); whichever is destroyed first deletes it, and its destructor makes both ends
// forget it.
class Link : public QGraphicsLineItem
{
public:
    Link(Calculus *source, Calculus *target, bool displayed);
    ~Link() override;

    void adjust();
    Calculus *from() const { return source; }
    Calculus *to() const { return target; }
    void setArg(Calculus *c);
    void setArgNo(int k) { argNo = k; }
    int getArgNo() const { return argNo; }
    bool changeOrig(Calculus *c);
    // A target that takes another arrow into the slot of this one no longer holds this one,
    // so this arrow must not reach it when it is deleted later.
    void forgetTarget(Calculus *c)
    {
        if (target == c)
            target = nullptr;
    }
    QLineF getLine() const { return segment; }
    void display() const;

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    Calculus *source;
    Calculus *target;
    QLineF segment{0, 0, 0, 0};
    int argNo = -1;
    bool displayed;
};

#endif
