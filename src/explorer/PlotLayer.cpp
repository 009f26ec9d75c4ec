#include "explorer/PlotLayer.h"

#include "explorer/PlotItem.h"

#include <QPaintEngine>
#include <QPainter>
#include <QStyleOptionGraphicsItem>
#include <algorithm>
#include <cmath>

namespace {
// Above this many pixels a point is painted as it is rather than from a picture: only a few
// points are then in sight.
constexpr int LargestSprite = 512 * 512;
} // namespace

PlotLayer::PlotLayer(const QList<PlotItem *> *points_, bool below_) : points(points_), below(below_)
{
    setFlag(QGraphicsItem::ItemUsesExtendedStyleOption);
    setZValue(below ? -1 : 0);
}

void PlotLayer::refit()
{
    QRectF box;
    for (const PlotItem *p : *points)
        if ((p->zValue() < 0) == below)
            box |= p->boundingRect().translated(p->pos());
    if (box != extent) {
        prepareGeometryChange();
        extent = box;
    }
    touch();
}

void PlotLayer::touch()
{
    sorted = false;
    update();
}

QRectF PlotLayer::boundingRect() const
{
    return extent;
}

void PlotLayer::sort()
{
    if (sorted)
        return;
    order.clear();
    bool flat = true;
    for (int k = 0; k < points->size(); ++k) {
        const double z = points->at(k)->zValue();
        if ((z < 0) != below)
            continue;
        if (!order.isEmpty() && z != points->at(order.first())->zValue())
            flat = false;
        order.append(k);
    }
    // Stacking as the scene's: lower z first, insertion order among equals.
    if (!flat)
        std::stable_sort(order.begin(), order.end(),
                         [this](int a, int b) { return points->at(a)->zValue() < points->at(b)->zValue(); });
    sorted = true;
}

PlotItem *PlotLayer::pointAt(const QPointF &scenePos, bool withToolTip)
{
    sort();
    for (int k = order.size() - 1; k >= 0; --k) {
        PlotItem *p = points->at(order[k]);
        if (p->boundingRect().translated(p->pos()).contains(scenePos) && (!withToolTip || !p->toolTip().isEmpty()))
            return p;
    }
    return nullptr;
}

const PlotLayer::Sprite &PlotLayer::sprite(const PlotItem *item, double sx, double sy, bool antialiased)
{
    const double r = item->getRadius();
    const QRgb colour = item->getColor().rgba();
    for (const Sprite &s : sprites)
        if (s.radius == r && s.shape == item->getShape() && s.colour == colour && s.hilight == item->isHilighted() &&
            s.sx == sx && s.sy == sy && s.antialiased == antialiased)
            return s;
    if (sprites.size() >= 16)
        sprites.clear();
    Sprite s{r, item->getShape(), colour, item->isHilighted(), sx, sy, antialiased, QImage(), 0, 0};
    // The point's box at the view's scale; its origin falls on a pixel corner.
    s.left = int(std::ceil((r + 2) * sx));
    s.top = int(std::ceil((r + 2) * sy));
    const int width = s.left + int(std::ceil((r + 3) * sx)) + 1;
    const int height = s.top + int(std::ceil((r + 3) * sy)) + 1;
    if (qint64(width) * height <= LargestSprite) {
        s.image = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
        s.image.fill(Qt::transparent);
        QPainter p(&s.image);
        p.setRenderHint(QPainter::Antialiasing, antialiased);
        p.translate(s.left, s.top);
        p.scale(sx, sy);
        const_cast<PlotItem *>(item)->paint(&p, nullptr, nullptr);
    }
    sprites.append(s);
    return sprites.last();
}

void PlotLayer::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget)
{
    sort();
    const QRectF exposed = option->exposedRect;
    const QTransform t = painter->worldTransform();
    // Pictures on screen; a printer or PDF file gets every point drawn as it is.
    const bool pictures = painter->paintEngine() && painter->paintEngine()->type() == QPaintEngine::Raster &&
                          t.type() <= QTransform::TxScale && t.m11() > 0 && t.m22() > 0;
    const bool antialiased = painter->testRenderHint(QPainter::Antialiasing);
    if (pictures)
        painter->setWorldTransform(QTransform());
    for (int k : order) {
        PlotItem *p = points->at(k);
        const QPointF at = p->pos();
        if (!exposed.intersects(p->boundingRect().translated(at)))
            continue;
        const Sprite *s = pictures ? &sprite(p, t.m11(), t.m22(), antialiased) : nullptr;
        if (s && !s->image.isNull()) {
            const QPointF d = t.map(at);
            painter->drawImage(QPoint(qRound(d.x()) - s->left, qRound(d.y()) - s->top), s->image);
            continue;
        }
        painter->save();
        painter->setWorldTransform(t);
        painter->translate(at);
        p->paint(painter, option, widget);
        painter->restore();
    }
    painter->setWorldTransform(t);
}
