#include "graph/Node.h"

#include "graph/Edge.h"

#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QRadialGradient>
#include <cstdlib>
#include <iostream>

QVector<QColor> Node::NodeColor;
int Node::NbNodeColors = 0;
Node *Node::node_under_mouse = nullptr;

Node::Node(double x, double y, double, double, QString name_, bool interactive_)
    : name(name_), interactive(interactive_)
{
    if (interactive) {
        setFlag(QGraphicsItem::ItemIsMovable);
        setFlag(QGraphicsItem::ItemIsSelectable);
        setFlag(QGraphicsItem::ItemSendsGeometryChanges);
        setCacheMode(QGraphicsItem::DeviceCoordinateCache);
        setZValue(1);
        setToolTip(name);
        setPos(x, y);
    }
}

Node::~Node()
{
    if (node_under_mouse == this)
        node_under_mouse = nullptr;
}

void Node::initColors()
{
    const Qt::GlobalColor table[16] = {Qt::yellow,   Qt::cyan,      Qt::red,         Qt::green,
                                       Qt::gray,     Qt::magenta,   Qt::white,       Qt::lightGray,
                                       Qt::blue,     Qt::darkBlue,  Qt::darkCyan,    Qt::darkGray,
                                       Qt::darkGreen, Qt::darkMagenta, Qt::darkRed, Qt::darkYellow};
    for (Qt::GlobalColor c : table)
        NodeColor.append(QColor(c));
    NbNodeColors = NodeColor.size();
}

int Node::colorIndex(int c)
{
    if (NbNodeColors <= 0)
        return 0;
    int k = c % NbNodeColors;
    if (k < 0)
        k += NbNodeColors;
    return k;
}

QRectF Node::boundingRect() const
{
    return QRectF(-2 - radius, -2 - radius, 2 * radius + 5, 2 * radius + 5);
}

QPainterPath Node::shape() const
{
    QPainterPath path;
    path.addEllipse(QRectF(-radius, -radius, 2 * radius, 2 * radius));
    return path;
}

void Node::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    if (!interactive)
        return;
    setToolTip(name);
    const int k = colorIndex(color);
    const QColor base = NbNodeColors > 0 ? NodeColor[k] : QColor(Qt::yellow);
    QRadialGradient gradient;
    QColor penColor;
    if (hilighted) {
        gradient = QRadialGradient(QPointF(3, 3), radius, QPointF(3, 3));
        gradient.setColorAt(0, Qt::green);
        gradient.setColorAt(1, Qt::red);
        penColor = Qt::yellow;
    } else {
        gradient = QRadialGradient(QPointF(0, 0), radius, QPointF(-10, -10));
        gradient.setColorAt(0, base);
        gradient.setColorAt(1, base.darker(200));
        penColor = k < 8 ? Qt::black : Qt::white;
    }
    QPen pen(penColor);
    if (selected) {
        pen = QPen(Qt::blue);
        pen.setWidth(4);
    }
    painter->setBrush(gradient);
    painter->setPen(pen);
    const int r = static_cast<int>(-radius);
    const int d = static_cast<int>(2 * radius);
    painter->drawEllipse(QRect(r, r, d, d));
    painter->drawText(QRect(-15, -10, 30, 30), 0, label);
}

void Node::adjustEdges()
{
    for (Edge *e : eNeighbors)
        e->adjust();
}

void Node::setPosition(double x, double y)
{
    coordX = x;
    coordY = y;
    coordZ = 0;
    setPos(x, y);
    adjustEdges();
}

void Node::setPosition(double x, double y, double z)
{
    coordX = x;
    coordY = y;
    coordZ = z;
    setPos(x, y);
    setZValue(z);
    adjustEdges();
}

void Node::move(double dx, double dy)
{
    setPos(pos() + QPointF(dx, dy));
    adjustEdges();
}

void Node::setRadius(double r)
{
    // The bounding rectangle follows the radius; the scene is told so it repaints the right area.
    prepareGeometryChange();
    radius = r;
}

void Node::updateVisible()
{
    setVisible(visible);
    update();
}

void Node::delete_me()
{
    visible = false;
    exists = false;
    setVisible(false);
    update();
    for (Edge *e : eNeighbors)
        e->resetVisible(false);
}

void Node::display() const
{
    std::cerr << "Node: " << name.toStdString() << "\n" << eNeighbors.size() << "\n";
}

void Node::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    node_under_mouse = this;
    pressScreenPos = event->screenPos();
    selected = !selected;
    update();
    QGraphicsEllipseItem::mousePressEvent(event);
}

void Node::mouseReleaseEvent(QGraphicsSceneMouseEvent *event)
{
    node_under_mouse = nullptr;
    const QPoint d = event->screenPos() - pressScreenPos;
    if (std::abs(d.x()) > 5 || std::abs(d.y()) > 5) {
        const QPointF p = event->scenePos();
        setPosition(p.x(), p.y(), 0);
        update();
    }
    QGraphicsEllipseItem::mouseReleaseEvent(event);
}

void Node::mouseDoubleClickEvent(QGraphicsSceneMouseEvent *)
{
}

QVariant Node::itemChange(GraphicsItemChange change, const QVariant &value)
{
    if (change == QGraphicsItem::ItemPositionHasChanged)
        adjustEdges();
    return QGraphicsEllipseItem::itemChange(change, value);
}
