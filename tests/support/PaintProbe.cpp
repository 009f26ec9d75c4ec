#include "PaintProbe.h"

#include <QGraphicsItem>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QStyleOptionGraphicsItem>
#include <QTextItem>

namespace {
class TextEngine : public QPaintEngine
{
public:
    QStringList texts;
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &) override {}
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
    void drawPath(const QPainterPath &) override {}
    void drawTextItem(const QPointF &, const QTextItem &t) override { texts << t.text(); }
    Type type() const override { return User; }
};

class TextDevice : public QPaintDevice
{
public:
    TextEngine engine;
    QPaintEngine *paintEngine() const override { return const_cast<TextEngine *>(&engine); }

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth:
        case PdmHeight: return 200;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return 96;
        case PdmDepth: return 32;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        default: return 1;
        }
    }
};
} // namespace

namespace PaintProbe {
QImage render(QGraphicsItem *item)
{
    QImage img(200, 200, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.translate(100, 100);
    QStyleOptionGraphicsItem option;
    item->paint(&p, &option, nullptr);
    return img;
}

QColor at(const QImage &img, int x, int y)
{
    return img.pixelColor(x + 100, y + 100);
}

QStringList texts(QGraphicsItem *item)
{
    TextDevice device;
    {
        QPainter p(&device);
        QStyleOptionGraphicsItem option;
        item->paint(&p, &option, nullptr);
    }
    return device.engine.texts;
}

QString hue(const QColor &c)
{
    const int top = qMax(c.red(), qMax(c.green(), c.blue()));
    QString h;
    if (top < 90)
        return "dark";
    if (c.red() > 0.7 * top)
        h += 'r';
    if (c.green() > 0.7 * top)
        h += 'g';
    if (c.blue() > 0.7 * top)
        h += 'b';
    return h;
}
} // namespace PaintProbe
