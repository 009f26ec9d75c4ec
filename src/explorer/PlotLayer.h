#ifndef PLOTLAYER_H
#define PLOTLAYER_H

#include <QColor>
#include <QGraphicsItem>
#include <QImage>
#include <QList>
#include <QVector>

class PlotItem;

// Paints the points of a plot view that lie on one side of the axis lines in depth: those
// with a negative z value below them, the others above. A plot of a catalogue has hundreds of
// thousands of points: one scene item each costs more to insert, sort and visit than to draw,
// so the points stay out of the scene and one layer paints them, in the order the scene would
// stack them (z value, then insertion), each from a picture of its look at the view's scale
// that all points alike share.
class PlotLayer : public QGraphicsItem
{
public:
    PlotLayer(const QList<PlotItem *> *points, bool below);

    // The points moved or came and went: the extent is found anew. O(points).
    void refit();
    // Their depth or look changed: the order is found anew at the next paint.
    void touch();
    // The topmost point of this layer whose box holds the scene position (with a tooltip,
    // when asked), or null.
    PlotItem *pointAt(const QPointF &scenePos, bool withToolTip);

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    struct Sprite {
        double radius;
        int shape;
        QRgb colour;
        bool hilight;
        double sx;
        double sy;
        bool antialiased;
        QImage image;
        int left;
        int top;
        int width = 0;
        int height = 0;
        // Per row of the picture, (width + 63) / 64 words: the pixels with any ink, and
        // those that cover what lies under them.
        int words = 0;
        QVector<quint64> inked;
        QVector<quint64> solid;
    };
    // A point to draw: its picture (-1: drawn as it is) and the picture's top left pixel.
    struct Stamp {
        int sprite;
        int x;
        int y;
        int point;
    };
    void sort();
    int sprite(const PlotItem *item, double sx, double sy, bool antialiased);
    // Drops the stamps that would change no pixel of the area: each one whose inked pixels
    // all lie out of the area or under solid pixels of stamps drawn after it.
    void dropHidden(const QRect &area, int margin);

    // A point in stacking order, with its scene position and radius: painting reads these,
    // not the items. Its box is the item's bounding rectangle there.
    struct Placed {
        int point;
        double radius;
        QPointF pos;
        QRectF box() const { return QRectF(pos.x() - radius - 2, pos.y() - radius - 2, 2 * radius + 5, 2 * radius + 5); }
    };

    const QList<PlotItem *> *points;
    bool below;
    bool sorted = false;
    QVector<Placed> order;
    QRectF extent;
    QVector<Sprite> sprites;
    QVector<Stamp> stamps;
    QVector<quint64> cover;
};

#endif
