#include "graph/Edge.h"

#include "graph/Node.h"

#include <QLineF>
#include <QPainter>
#include <QTextOption>
#include <cmath>
#include <iostream>

int Edge::edgeWidth = 2;

namespace {
bool differs(const QPointF &a, const QPointF &b)
{
    return std::fabs(a.x() - b.x()) > 1e-12 || std::fabs(a.y() - b.y()) > 1e-12;
}
} // namespace

Edge::Edge(Node *orig_, Node *dest_) : orig(orig_), dest(dest_)
{
    setZValue(-10000);
    adjust();
    setLine(QLineF(sourcePoint, destPoint));
}

Edge::~Edge() = default;

void Edge::adjust()
{
    if (!orig || !dest)
        return;
    if (!orig->getVisible() || !dest->getVisible()) {
        visible = false;
        setVisible(false);
        return;
    }
    if (isVisible() != visible)
        setVisible(visible);
    if (visible) {
        setZValue(std::min(orig->zValue(), dest->zValue()) - 0.1);
        const QPointF p1 = mapFromItem(orig, 0, 0);
        const QPointF p2 = mapFromItem(dest, 0, 0);
        if (QLineF(p1, p2).length() > 5.0) {
            if (differs(sourcePoint, p1) || differs(destPoint, p2)) {
                prepareGeometryChange();
                sourcePoint = p1;
                destPoint = p2;
            }
        } else if (differs(sourcePoint, destPoint) || differs(sourcePoint, p1)) {
            prepareGeometryChange();
            sourcePoint = p1;
            destPoint = p1;
        }
    }
    update();
}

void Edge::resetVisible(bool v)
{
    visible = v && orig && dest && orig->getVisible() && dest->getVisible();
    setVisible(visible);
    adjust();
}

QRectF Edge::boundingRect() const
{
    if (!orig || !dest)
        return QRectF();
    const double minX = std::min(sourcePoint.x(), destPoint.x());
    const double minY = std::min(sourcePoint.y(), destPoint.y());
    const double maxX = std::max(sourcePoint.x(), destPoint.x());
    const double maxY = std::max(sourcePoint.y(), destPoint.y());
    return QRectF(QPointF(minX - 20, minY - 10), QPointF(maxX + 20, maxY + 10))
        .normalized()
        .adjusted(-1.5, -1.5, 1.5, 1.5);
}

void Edge::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    if (!orig || !dest || !orig->getVisible() || !dest->getVisible()) {
        visible = false;
        return;
    }
    QPen pen = hilighted ? QPen(QBrush(Qt::red), edgeWidth + 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin)
                         : QPen(QBrush(Qt::black), edgeWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter->setPen(pen);
    painter->setBrush(QBrush(Qt::white));
    painter->drawLine(QLineF(sourcePoint, destPoint));
    if (!label.isEmpty()) {
        const QPointF m = (sourcePoint + destPoint) / 2.0;
        const QRectF box(m.x() - 20, m.y() - 10, 40, 20);
        painter->drawRect(box);
        painter->drawText(box, label, QTextOption());
    }
}

double Edge::length() const
{
    return QLineF(sourcePoint, destPoint).length();
}

void Edge::display() const
{
    std::cerr << "Edge(" << (orig ? orig->nodeName().toStdString() : std::string()) << " ; "
              << (dest ? dest->nodeName().toStdString() : std::string()) << ")\n";
}

void Edge::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    update();
    QGraphicsLineItem::mousePressEvent(event);
}

void Edge::mouseReleaseEvent(QGraphicsSceneMouseEvent *event)
{
    update();
    QGraphicsLineItem::mouseReleaseEvent(event);
}
