#include "explorer/PlotItem.h"

#include "explorer/Analyst.h"

#include <QPainter>
#include <QRadialGradient>

PlotItem::PlotItem(double x, double y, Analyst *analyst_, Graph *graph_, int number_, QString tooltip, double radius_)
    : coordX(x), coordY(y), analyst(analyst_), graph(graph_), number(number_), radius(radius_)
{
    setZValue(1);
    setToolTip(tooltip);
    setPos(x, -y);
}

void PlotItem::setPosition(double x, double y, double z)
{
    coordX = x;
    coordY = y;
    coordZ = z;
    setPos(x, -y);
    setZValue(z);
}

QRectF PlotItem::boundingRect() const
{
    return QRectF(-radius - 2, -radius - 2, 2 * radius + 5, 2 * radius + 5);
}

void PlotItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    const double r = radius;
    QRadialGradient gradient(-3, -3, r);
    gradient.setCenter(-10, -10);
    gradient.setFocalPoint(-10, -10);
    gradient.setColorAt(0, colour);
    gradient.setColorAt(1, colour.darker(200));
    painter->setBrush(hilight ? QBrush(Qt::blue) : QBrush(gradient));
    painter->setPen(QPen(Qt::black));
    const QRect box(int(-r), int(-r), int(2 * r), int(2 * r));
    switch (shape) {
    case 1:
        painter->drawRect(box);
        break;
    case 2: {
        const QPointF p[3] = {{-r, r}, {r, r}, {0, -r}};
        painter->drawConvexPolygon(p, 3);
        break;
    }
    case 3: {
        const QPointF p[3] = {{-r, -r}, {r, -r}, {0, r}};
        painter->drawConvexPolygon(p, 3);
        break;
    }
    case 4: {
        const QPointF p[4] = {{-r, 0}, {0, r}, {r, 0}, {0, -r}};
        painter->drawConvexPolygon(p, 4);
        break;
    }
    case 5: {
        const QPointF p[6] = {{-r, 0}, {-r / 2, r}, {r / 2, r}, {r, 0}, {r / 2, -r}, {-r / 2, -r}};
        painter->drawConvexPolygon(p, 6);
        break;
    }
    default:
        painter->drawEllipse(box);
        break;
    }
}

void PlotItem::activate()
{
    if (analyst)
        analyst->load(number);
}
