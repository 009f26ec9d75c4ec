#include "calculus/Link.h"

#include "calculus/Calculus.h"

#include <QPainter>
#include <iostream>

Link::Link(Calculus *source_, Calculus *target_, bool displayed_)
    : QGraphicsLineItem(nullptr), source(source_), target(target_), displayed(displayed_)
{
    if (source && target && source != target && displayed) {
        setZValue(-1.0);
        adjust();
        setLine(segment);
        setVisible(true);
    }
}

Link::~Link()
{
    if (source)
        source->removeLink(this);
    if (target)
        target->removeLink(this);
}

void Link::adjust()
{
    if (!source || !target || source == target || !source->isVisible() || !target->isVisible()) {
        hide();
        return;
    }
    show();
    const QPointF p1 = mapFromItem(source, 0, 30);
    const QPointF p2 = mapFromItem(target, 0, -30);
    prepareGeometryChange();
    segment = QLineF(p1, p2).length() > 5.0 ? QLineF(p1, p2) : QLineF(p1, p1);
    setLine(segment);
    update();
}

void Link::setArg(Calculus *c)
{
    source = c;
    setVisible(true);
    adjust();
}

bool Link::changeOrig(Calculus *c)
{
    const bool removed = source ? source->removeLink(this) : false;
    source = c;
    if (source)
        source->setLinkTo(this);
    return removed;
}

void Link::display() const
{
    std::cerr << "Link From " << (source ? source->getName().toStdString() : std::string()) << " To "
              << (target ? target->getName().toStdString() : std::string()) << std::endl;
}

QRectF Link::boundingRect() const
{
    if (!source || !target || source == target)
        return QRectF(0, 0, 0, 0);
    return QRectF(segment.p1(), segment.p2()).normalized().adjusted(-1.5, -1.5, 1.5, 1.5);
}

void Link::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    QColor colour = Qt::black;
    int width = 1;
    switch (argNo) {
    case 1: colour = Qt::red; width = 4; break;
    case 2: colour = Qt::green; width = 3; break;
    case 3: colour = Qt::blue; width = 2; break;
    case 4: colour = Qt::cyan; width = 1; break;
    default: break;
    }
    painter->setPen(QPen(colour, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter->setBrush(QBrush(colour, Qt::SolidPattern));
    painter->drawLine(segment);

    const QPointF m = (segment.p1() + segment.p2()) / 2.0;
    painter->setPen(QPen(Qt::white, 1));
    painter->drawEllipse(QRectF(m - QPointF(8, 8), QSizeF(16, 16)));
    painter->drawText(QRectF(m + QPointF(-6, -8), m + QPointF(6, 6)), QString::number(argNo));
}
