#ifndef PLOTITEM_H
#define PLOTITEM_H

#include <QColor>
#include <QGraphicsItem>

class Analyst;
class Graph;

// One point of an X-Y plot. Plot coordinates grow upward, scene coordinates downward, so the
// point sits at (x, -y); z orders points by depth after a turn. The plot view keeps its points
// out of the scene and has them painted, found under the mouse and stacked by its layers.
class PlotItem : public QGraphicsItem
{
public:
    PlotItem(double x, double y, Analyst *analyst, Graph *graph, int number, QString tooltip, double radius);

    void setPosition(double x, double y, double z);
    double getCoordX() const { return coordX; }
    double getCoordY() const { return coordY; }
    double getCoordZ() const { return coordZ; }
    int getNumber() const { return number; }
    bool isHilighted() const { return hilight; }
    double getRadius() const { return radius; }
    int getShape() const { return shape; }
    QColor getColor() const { return colour; }
    // What a double click on the point does: the table is asked for its graph.
    void activate();

    // These store only: the caller repaints.
    void setHilight(bool on) { hilight = on; }
    void setColor(QColor c) { colour = c; }
    void setShape(int s) { shape = s; }
    void setRadius(double r) { radius = r; }
    void setGraph(Graph *g) { graph = g; }

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    double coordX;
    double coordY;
    double coordZ = 0;
    Analyst *analyst;
    Graph *graph;
    int number;
    double radius;
    bool hilight = false;
    int shape = 0;
    QColor colour = Qt::red;
};

#endif
