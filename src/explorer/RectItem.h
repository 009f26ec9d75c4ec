#ifndef RECTITEM_H
#define RECTITEM_H

#include <QColor>
#include <QGraphicsItem>

// A filled rectangle a plot view can hold beside its points; not mirrored like the points.
class RectItem : public QGraphicsItem
{
public:
    RectItem(double x, double y, double width, double height, QString tooltip);

    void setHilight(bool on) { hilight = on; }
    int getNumber() const { return number; }
    void setColor(QColor c) { colour = c; }
    void setDim(double w, double h) { width = w; height = h; }

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

protected:
    void mouseDoubleClickEvent(QGraphicsSceneMouseEvent *) override {}

private:
    double x;
    double y;
    double width;
    double height;
    int number = 0;
    bool hilight = false;
    QColor colour = Qt::red;
};

#endif
