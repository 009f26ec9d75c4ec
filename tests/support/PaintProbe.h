#ifndef PAINTPROBE_H
#define PAINTPROBE_H

#include <QColor>
#include <QImage>
#include <QStringList>

class QGraphicsItem;

// Renders a board item alone, for the painting tests: as pixels, with the item's origin at
// the middle of a 200 x 200 white image, and as the list of texts it draws.
namespace PaintProbe {
QImage render(QGraphicsItem *item);
QColor at(const QImage &img, int x, int y); // in item coordinates
QStringList texts(QGraphicsItem *item);
// The channels that dominate a colour: "b" for blues, "rb" for magentas, "rgb" for white...
QString hue(const QColor &c);
} // namespace PaintProbe

#endif
