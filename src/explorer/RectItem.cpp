#include "explorer/RectItem.h"

#include <QPainter>

RectItem::RectItem(double x_, double y_, double width_, double height_, QString tooltip)
    : x(x_), y(y_), width(width_), height(height_)
{
    setFlag(QGraphicsItem::ItemIsSelectable);
    setFlag(QGraphicsItem::ItemSendsGeometryChanges);
    setCacheMode(QGraphicsItem::DeviceCoordinateCache);
    setZValue(0);
    setToolTip(tooltip);
    setPos(x, y);
}

QRectF RectItem::boundingRect() const
{
    return QRectF(-2, -2, width + 5, height + 5);
}

void RectItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    painter->setBrush(QBrush(hilight ? QColor(Qt::blue) : colour));
    painter->drawRect(0, 0, int(width), int(height));
}
