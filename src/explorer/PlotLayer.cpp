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
// Larger areas than this many pixels are painted without looking for covered points.
constexpr qint64 LargestCover = qint64(8192) * 8192;
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
    double first = 0;
    for (int k = 0; k < points->size(); ++k) {
        const PlotItem *p = points->at(k);
        const double z = p->zValue();
        if ((z < 0) != below)
            continue;
        if (order.isEmpty())
            first = z;
        else if (z != first)
            flat = false;
        order.append({k, p->getRadius(), p->pos()});
    }
    // Stacking as the scene's: lower z first, insertion order among equals.
    if (!flat)
        std::stable_sort(order.begin(), order.end(), [this](const Placed &a, const Placed &b) {
            return points->at(a.point)->zValue() < points->at(b.point)->zValue();
        });
    sorted = true;
}

PlotItem *PlotLayer::pointAt(const QPointF &scenePos, bool withToolTip)
{
    sort();
    for (int k = order.size() - 1; k >= 0; --k) {
        PlotItem *p = points->at(order[k].point);
        if (order[k].box().contains(scenePos) && (!withToolTip || !p->toolTip().isEmpty()))
            return p;
    }
    return nullptr;
}

int PlotLayer::sprite(const PlotItem *item, double sx, double sy, bool antialiased)
{
    const double r = item->getRadius();
    const QRgb colour = item->getColor().rgba();
    for (int k = 0; k < sprites.size(); ++k) {
        const Sprite &s = sprites[k];
        if (s.radius == r && s.shape == item->getShape() && s.colour == colour && s.hilight == item->isHilighted() &&
            s.sx == sx && s.sy == sy && s.antialiased == antialiased)
            return k;
    }
    Sprite s{r, item->getShape(), colour, item->isHilighted(), sx, sy, antialiased, QImage(), 0, 0, 0, 0, 0, {}, {}};
    // The point's box at the view's scale; its origin falls on a pixel corner.
    s.left = int(std::ceil((r + 2) * sx));
    s.top = int(std::ceil((r + 2) * sy));
    const int width = s.left + int(std::ceil((r + 3) * sx)) + 1;
    const int height = s.top + int(std::ceil((r + 3) * sy)) + 1;
    if (qint64(width) * height <= LargestSprite) {
        s.width = width;
        s.height = height;
        s.image = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
        s.image.fill(Qt::transparent);
        {
            QPainter p(&s.image);
            p.setRenderHint(QPainter::Antialiasing, antialiased);
            p.translate(s.left, s.top);
            p.scale(sx, sy);
            const_cast<PlotItem *>(item)->paint(&p, nullptr, nullptr);
        }
        s.words = (width + 63) / 64;
        s.inked.fill(0, s.words * height);
        s.solid.fill(0, s.words * height);
        for (int y = 0; y < height; ++y) {
            const QRgb *row = reinterpret_cast<const QRgb *>(s.image.constScanLine(y));
            for (int x = 0; x < width; ++x) {
                const int alpha = qAlpha(row[x]);
                const quint64 bit = quint64(1) << (x & 63);
                if (alpha > 0)
                    s.inked[y * s.words + (x >> 6)] |= bit;
                if (alpha == 255)
                    s.solid[y * s.words + (x >> 6)] |= bit;
            }
        }
    }
    sprites.append(s);
    return sprites.size() - 1;
}

void PlotLayer::dropHidden(const QRect &area, int margin)
{
    // One bit per pixel of the area widened by the margin; set where nothing drawn earlier
    // can show any more: out of the area, or under a solid pixel of a stamp already counted.
    const int width = area.width() + 2 * margin;
    const int height = area.height() + 2 * margin;
    const int words = (width + 63) / 64 + 1;
    cover.fill(~quint64(0), words * height);
    for (int y = margin; y < margin + area.height(); ++y)
        for (int x = margin; x < margin + area.width(); ++x)
            cover[y * words + (x >> 6)] &= ~(quint64(1) << (x & 63));
    const int left = area.left() - margin;
    const int top = area.top() - margin;
    int kept = stamps.size();
    for (int k = stamps.size() - 1; k >= 0; --k) {
        Stamp &st = stamps[k];
        if (st.sprite < 0)
            continue;
        const Sprite &s = sprites[st.sprite];
        const int bx = st.x - left;
        const int by = st.y - top;
        if (bx < 0 || by < 0 || bx + s.width > width || by + s.height > height)
            continue;
        const int shift = bx & 63;
        const quint64 *ink = s.inked.constData();
        const quint64 *solid = s.solid.constData();
        bool shows = false;
        for (int y = 0; y < s.height && !shows; ++y) {
            const quint64 *c = cover.constData() + (by + y) * words + (bx >> 6);
            for (int w = 0; w < s.words; ++w) {
                const quint64 under = shift ? (c[w] >> shift) | (c[w + 1] << (64 - shift)) : c[w];
                if (ink[y * s.words + w] & ~under) {
                    shows = true;
                    break;
                }
            }
        }
        if (!shows) {
            st.sprite = -2;
            --kept;
            continue;
        }
        quint64 *base = cover.data();
        for (int y = 0; y < s.height; ++y) {
            quint64 *c = base + (by + y) * words + (bx >> 6);
            for (int w = 0; w < s.words; ++w) {
                const quint64 m = solid[y * s.words + w];
                c[w] |= m << shift;
                if (shift)
                    c[w + 1] |= m >> (64 - shift);
            }
        }
    }
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
    if (sprites.size() > 16)
        sprites.clear();
    stamps.clear();
    int largest = 0;
    int last = -1;
    const PlotItem *lastItem = nullptr;
    for (const Placed &placed : order) {
        if (!exposed.intersects(placed.box()))
            continue;
        const PlotItem *p = points->at(placed.point);
        // Neighbours mostly look alike: the last picture is tried first.
        int si = -1;
        if (pictures) {
            const bool same = lastItem && p->getRadius() == lastItem->getRadius() &&
                              p->getShape() == lastItem->getShape() && p->isHilighted() == lastItem->isHilighted() &&
                              p->getColor() == lastItem->getColor();
            si = same ? last : sprite(p, t.m11(), t.m22(), antialiased);
            last = si;
            lastItem = p;
        }
        if (si < 0 || sprites[si].image.isNull()) {
            stamps.append({-1, 0, 0, placed.point});
            continue;
        }
        const Sprite &s = sprites[si];
        const QPointF d = t.map(placed.pos);
        stamps.append({si, qRound(d.x()) - s.left, qRound(d.y()) - s.top, placed.point});
        largest = qMax(largest, qMax(s.width, s.height));
    }
    // Points stacked on points: most are covered whole by those drawn after them.
    const QRect area = t.mapRect(exposed).toAlignedRect();
    if (largest > 0 && qint64(area.width() + 2 * largest) * (area.height() + 2 * largest) <= LargestCover)
        dropHidden(area, largest + 2);

    painter->setWorldTransform(QTransform());
    for (const Stamp &st : stamps) {
        if (st.sprite >= 0) {
            painter->drawImage(QPoint(st.x, st.y), sprites[st.sprite].image);
        } else if (st.sprite == -1) {
            PlotItem *p = points->at(st.point);
            painter->save();
            painter->setWorldTransform(t);
            painter->translate(p->pos());
            p->paint(painter, option, widget);
            painter->restore();
        }
    }
    painter->setWorldTransform(t);
}
