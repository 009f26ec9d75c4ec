#ifndef NODE_H
#define NODE_H

#include <QColor>
#include <QGraphicsEllipseItem>
#include <QList>
#include <QPoint>
#include <QPointF>
#include <QString>
#include <QVector>

class Edge;

// One vertex item of a graph view. A graph owns 32 of them for its whole life and
// switches them on and off; the `selected` flag here is the editing selection.
class Node : public QGraphicsEllipseItem
{
public:
    Node(double x, double y, double, double, QString name, bool interactive);
    ~Node() override;

    static void initColors();
    static QVector<QColor> NodeColor;
    static int NbNodeColors;

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

    QString nodeName() const { return name; }
    void setNodeName(QString n) { name = n; }

    void setPosition(double x, double y);
    void setPosition(QPointF p) { setPosition(p.x(), p.y()); }
    void setPosition(double x, double y, double z);
    void move(double dx, double dy);
    void move(QPointF d) { move(d.x(), d.y()); }
    double getCoordX() const { return coordX; }
    double getCoordY() const { return coordY; }
    double getCoordZ() const { return coordZ; }

    void setSelected(bool s) { selected = s; }
    void toggleSelected() { selected = !selected; }
    bool isNodeSelected() const { return selected; }
    void setExists(bool e) { exists = e; }
    bool getExists() const { return exists; }
    bool getVisible() const { return visible; }
    void setVisibleFlag(bool v) { visible = v; }
    void updateVisible();
    void setRadius(double r);
    double getRadius() const { return radius; }
    void hilight() { hilighted = true; }
    void unhilight() { hilighted = false; }
    bool isHilighted() const { return hilighted; }
    void addENeighbor(Edge *e) { eNeighbors.append(e); }
    void clearENeighbors() { eNeighbors.clear(); }
    const QList<Edge *> &edges() const { return eNeighbors; }

    QString getLabel() const { return label; }
    void setLabel(const QString &l) { label = l; }
    int getColor() const { return color; }
    void setColor(int c) { color = c; }
    bool isInteractive() const { return interactive; }

    static Node *nodeUnderMouse() { return node_under_mouse; }
    static void setNodeUnderMouse(Node *n) { node_under_mouse = n; }
    QPointF getMousePressPos() const { return mousePressPos; }
    void setMousePressPos(QPointF p) { mousePressPos = p; }

    void delete_me();
    void display() const;

    // Index into NodeColor for a colour value; never outside the table, even for
    // negative indices (an empty table gives 0).
    static int colorIndex(int color);

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseDoubleClickEvent(QGraphicsSceneMouseEvent *event) override;
    QVariant itemChange(GraphicsItemChange change, const QVariant &value) override;

private:
    void adjustEdges();

    QList<Edge *> eNeighbors;
    bool visible = true;
    QString name;
    QString label;
    int color = 0;
    double coordX = 0, coordY = 0, coordZ = 0;
    bool interactive;
    double radius = 20;
    bool exists = true;
    bool selected = false;
    bool hilighted = false;
    QPoint pressScreenPos;
    QPointF mousePressPos;

    static Node *node_under_mouse;
};

#endif
