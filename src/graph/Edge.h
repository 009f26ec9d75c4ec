#ifndef EDGE_H
#define EDGE_H

#include <QGraphicsLineItem>
#include <QPointF>
#include <QString>

class Node;

// The edge item of one vertex pair; shown when the pair is an edge of the shown graph
// and both ends are shown.
class Edge : public QGraphicsLineItem
{
public:
    Edge(Node *orig, Node *dest);
    ~Edge() override;

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

    void adjust();
    void resetVisible(bool v);
    bool getVisible() const { return visible; }
    Node *from() const { return orig; }
    Node *to() const { return dest; }
    void setOrig(Node *n) { orig = n; }
    void setDest(Node *n) { dest = n; }
    static void setEdgeWidth(int w) { edgeWidth = w; }
    static int getEdgeWidth() { return edgeWidth; }
    double length() const;
    void display() const;

    QString getLabel() const { return label; }
    void setLabel(const QString &l) { label = l; }
    bool isHilighted() const { return hilighted; }
    void setHilighted(bool h) { hilighted = h; }
    QPointF getSourcePoint() const { return sourcePoint; }
    QPointF getDestPoint() const { return destPoint; }

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;

private:
    Node *orig;
    Node *dest;
    QPointF sourcePoint;
    QPointF destPoint;
    // Hidden until the owning graph gives it the adjacency entry.
    bool visible = false;
    QString label;
    bool hilighted = false;

    static int edgeWidth;
};

#endif
