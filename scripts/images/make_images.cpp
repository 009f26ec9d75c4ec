// Draws every picture compiled into Orvalith under ":/src/images/" and writes them, with the
// resource list images.qrc, into the folder given on the command line.
//
// The PNGs are committed, so a normal build never runs this. After changing a drawing:
//     bash scripts/make_images.sh
// (or `cmake --build <build dir> --target images`), then look at the contact sheet that
//     orv_make_images --sheet /tmp/sheet.png
// writes (every icon at 48, 24 and 16 pixels) before committing.
//
// Icons are drawn on a 48 x 48 grid with one palette and two stroke widths, so that they stay
// legible at the 16 and 24 pixels of menus and tool bars. The catalogue of names and sizes is
// ImageCatalogue::entries(); the program refuses to run when its drawings and the catalogue
// differ.

#include "app/ImageCatalogue.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QMap>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QSaveFile>
#include <QTextStream>
#include <QtMath>

#include <cstdio>
#include <functional>

namespace {

// ---- Palette and strokes -------------------------------------------------------------------

const QColor kInk(0x26, 0x34, 0x45);
const QColor kBlue(0x2f, 0x6d, 0xb3);
const QColor kBlueLight(0xd6, 0xe4, 0xf5);
const QColor kBlueDark(0x1d, 0x35, 0x57);
const QColor kGreen(0x2f, 0x9e, 0x55);
const QColor kRed(0xcf, 0x3b, 0x30);
const QColor kCyan(0x1a, 0xa7, 0xc0);
const QColor kOrange(0xf0, 0xa0, 0x30);
const QColor kYellow(0xf6, 0xcf, 0x6b);
const QColor kGrey(0x8a, 0x96, 0xa3);
const QColor kGreyLight(0xd3, 0xda, 0xe2);
const QColor kPaper(Qt::white);

const qreal kStroke = 3.0; // outlines and edges
const qreal kThin = 2.0;   // details, hatching, text lines
const qreal kVertex = 4.5; // vertex radius in a 48 grid

// One link colour per argument number, in the board's order.
QColor linkColour(int argument)
{
    switch (argument) {
    case 1: return kRed;
    case 2: return kGreen;
    case 3: return kBlue;
    default: return kCyan;
    }
}

QPen pen(const QColor &c, qreal w = kStroke)
{
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QFont font(qreal pixels, bool bold = true)
{
    QFont f("DejaVu Sans");
    f.setPixelSize(qMax(1, qRound(pixels)));
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

// ---- Shared shapes ---------------------------------------------------------------------------

void vertex(QPainter &p, QPointF c, const QColor &fill, qreal r = kVertex)
{
    p.setPen(pen(kInk, kThin));
    p.setBrush(fill);
    p.drawEllipse(c, r, r);
}

void edge(QPainter &p, QPointF a, QPointF b, const QColor &c = kInk, qreal w = kThin + 0.5)
{
    p.setPen(pen(c, w));
    p.drawLine(a, b);
}

void box(QPainter &p, const QRectF &r, const QColor &fill, const QColor &outline = kInk,
         qreal w = kThin, qreal radius = 2)
{
    p.setPen(pen(outline, w));
    p.setBrush(fill);
    p.drawRoundedRect(r, radius, radius);
}

// A closed outline in ink, filled.
void shape(QPainter &p, std::initializer_list<QPointF> outline, const QColor &fill)
{
    p.setPen(pen(kInk, kThin));
    p.setBrush(fill);
    p.drawPolygon(QPolygonF(QVector<QPointF>(outline)));
}

void arrowHead(QPainter &p, QPointF from, QPointF tip, qreal size, const QColor &c)
{
    const QLineF l(tip, from);
    const qreal a = qDegreesToRadians(l.angle());
    const qreal spread = qDegreesToRadians(28.0);
    const QPointF left = tip + QPointF(qCos(a + spread), -qSin(a + spread)) * size;
    const QPointF right = tip + QPointF(qCos(a - spread), -qSin(a - spread)) * size;
    p.setPen(pen(c, 1.0));
    p.setBrush(c);
    p.drawPolygon(QPolygonF({tip, left, right}));
}

// A line with a head at `to` (and at `from` when both).
void arrow(QPainter &p, QPointF from, QPointF to, const QColor &c, qreal w, qreal head, bool both = false)
{
    const QLineF l(from, to);
    const QPointF stopTo = l.pointAt(1 - head * 0.6 / l.length());
    const QPointF stopFrom = both ? l.pointAt(head * 0.6 / l.length()) : from;
    p.setPen(QPen(c, w, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(stopFrom, stopTo);
    arrowHead(p, from, to, head, c);
    if (both)
        arrowHead(p, to, from, head, c);
}

// The same small graph (a quadrilateral with one diagonal) wherever a graph is meant,
// scaled into `r`.
void miniGraph(QPainter &p, const QRectF &r, const QColor &fill = kBlue, qreal vr = 0)
{
    auto at = [&r](qreal x, qreal y) { return QPointF(r.left() + x * r.width(), r.top() + y * r.height()); };
    const QPointF v[4] = {at(0.2, 0.22), at(0.82, 0.18), at(0.78, 0.8), at(0.18, 0.78)};
    const qreal w = qMax(1.5, r.width() / 12);
    for (auto [a, b] : {std::pair{0, 1}, {1, 2}, {2, 3}, {3, 0}, {0, 2}})
        edge(p, v[a], v[b], kInk, w);
    const qreal radius = vr > 0 ? vr : qMax(2.0, r.width() / 7);
    for (const QPointF &c : v) {
        p.setPen(pen(kInk, qMax(1.0, w * 0.7)));
        p.setBrush(fill);
        p.drawEllipse(c, radius, radius);
    }
}

// A tiny board: one objective on top, linked to two items below by the first two link colours.
void miniBoard(QPainter &p, const QRectF &r)
{
    const qreal bw = r.width() * 0.42, bh = r.height() * 0.3;
    const QRectF top(r.center().x() - bw / 2, r.top(), bw, bh);
    const QRectF left(r.left(), r.bottom() - bh, bw, bh);
    const QRectF right(r.right() - bw, r.bottom() - bh, bw, bh);
    const qreal w = qMax(1.5, r.width() / 14);
    edge(p, QPointF(top.center().x() - bw * 0.2, top.bottom()), QPointF(left.center().x(), left.top()), kRed, w);
    edge(p, QPointF(top.center().x() + bw * 0.2, top.bottom()), QPointF(right.center().x(), right.top()), kGreen, w);
    const qreal ow = qMax(1.0, w * 0.6);
    box(p, top, kOrange, kInk, ow, 1);
    box(p, left, kBlueLight, kInk, ow, 1);
    box(p, right, kBlueLight, kInk, ow, 1);
}

enum class Badge { Plus, Minus, Cross, Swap, Move };

// A round sign in the lower right corner, over whatever the icon shows.
void badge(QPainter &p, Badge kind)
{
    const QPointF c(37, 37);
    const qreal r = 10;
    QColor fill = kBlue;
    if (kind == Badge::Plus)
        fill = kGreen;
    else if (kind == Badge::Minus || kind == Badge::Cross)
        fill = kRed;
    p.setPen(pen(kPaper, 2));
    p.setBrush(fill);
    p.drawEllipse(c, r, r);
    p.setPen(pen(kPaper, kStroke));
    switch (kind) {
    case Badge::Plus:
        p.drawLine(c + QPointF(-5, 0), c + QPointF(5, 0));
        p.drawLine(c + QPointF(0, -5), c + QPointF(0, 5));
        break;
    case Badge::Minus:
        p.drawLine(c + QPointF(-5, 0), c + QPointF(5, 0));
        break;
    case Badge::Cross:
        p.drawLine(c + QPointF(-4, -4), c + QPointF(4, 4));
        p.drawLine(c + QPointF(-4, 4), c + QPointF(4, -4));
        break;
    case Badge::Swap:
        arrow(p, c + QPointF(-6, -2.5), c + QPointF(6, -2.5), kPaper, 2, 4.5);
        arrow(p, c + QPointF(6, 2.5), c + QPointF(-6, 2.5), kPaper, 2, 4.5);
        break;
    case Badge::Move:
        arrow(p, c + QPointF(-7, 0), c + QPointF(7, 0), kPaper, 1.8, 4, true);
        arrow(p, c + QPointF(0, -7), c + QPointF(0, 7), kPaper, 1.8, 4, true);
        break;
    }
}

// ---- Documents: open, save, print ------------------------------------------------------------

using Content = std::function<void(QPainter &, const QRectF &)>;

void openFolder(QPainter &p, const Content &content)
{
    // Back of the folder with its tab.
    shape(p, {QPointF(4, 40), QPointF(4, 10), QPointF(16, 10), QPointF(19, 14), QPointF(38, 14), QPointF(38, 40)},
          kOrange);
    // The sheet being taken out.
    box(p, QRectF(11, 5, 26, 24), kPaper, kInk, kThin, 1);
    content(p, QRectF(15, 8, 18, 16));
    // Front flap, open towards the viewer.
    shape(p, {QPointF(4, 40), QPointF(10, 22), QPointF(45, 22), QPointF(38, 40)}, kYellow);
}

void floppy(QPainter &p, const Content &content)
{
    QPainterPath body;
    body.moveTo(6, 8);
    body.lineTo(36, 8);
    body.lineTo(42, 14);
    body.lineTo(42, 40);
    body.quadTo(42, 42, 40, 42);
    body.lineTo(8, 42);
    body.quadTo(6, 42, 6, 40);
    body.closeSubpath();
    p.setPen(pen(kInk, kThin));
    p.setBrush(kBlue);
    p.drawPath(body);
    // Metal shutter with its window.
    box(p, QRectF(13, 8, 20, 11), kGreyLight, kInk, kThin, 1);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawRect(QRectF(26, 10.5, 4, 6));
    // Label carrying what is saved.
    box(p, QRectF(11, 23, 26, 19), kPaper, kInk, kThin, 1);
    content(p, QRectF(15, 25.5, 18, 14));
}

void printer(QPainter &p, const Content &content)
{
    // Sheet coming out of the top, showing what is printed.
    box(p, QRectF(10, 3, 28, 24), kPaper, kInk, kThin, 1);
    content(p, QRectF(14, 6, 20, 14));
    // Body.
    box(p, QRectF(4, 21, 40, 16), kGreyLight, kInk, kThin, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawEllipse(QPointF(37, 27), 2, 2);
    // Tray and the printed page below it.
    box(p, QRectF(11, 32, 26, 12), kPaper, kInk, kThin, 1);
    p.setPen(pen(kGrey, 1.5));
    p.drawLine(QPointF(15, 37), QPointF(33, 37));
    p.drawLine(QPointF(15, 40.5), QPointF(28, 40.5));
}

// ---- Icons, one per command ------------------------------------------------------------------

void paintRun(QPainter &p)
{
    p.setPen(pen(kGreen.darker(130), kThin));
    p.setBrush(kGreen);
    p.drawPolygon(QPolygonF({QPointF(13, 7), QPointF(41, 24), QPointF(13, 41)}));
}

void paintHalt(QPainter &p)
{
    box(p, QRectF(9, 9, 30, 30), kRed, kRed.darker(130), kThin, 4);
}

void paintAbout(QPainter &p)
{
    p.setPen(pen(kBlueDark, kThin));
    p.setBrush(kBlue);
    p.drawEllipse(QPointF(24, 24), 20, 20);
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(24, 13.5), 3.5, 3.5);
    p.drawRoundedRect(QRectF(20.5, 20, 7, 18), 2, 2);
}

void paintExit(QPainter &p)
{
    // Door frame and the open door.
    box(p, QRectF(5, 4, 24, 40), kGreyLight, kInk, kThin, 1);
    shape(p, {QPointF(5, 4), QPointF(19, 9), QPointF(19, 44), QPointF(5, 44)}, kBlue);
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(16, 27), 1.6, 1.6);
    arrow(p, QPointF(22, 24), QPointF(46, 24), kRed, 4.5, 11);
}

void paintConsole(QPainter &p)
{
    box(p, QRectF(3, 7, 42, 34), kBlueDark, kInk, kThin, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(kGrey);
    p.drawRoundedRect(QRectF(3, 7, 42, 7), 3, 3);
    p.setPen(pen(QColor(0x7e, 0xe2, 0x9a), kStroke));
    p.drawPolyline(QPolygonF({QPointF(10, 20), QPointF(17, 26), QPointF(10, 32)}));
    p.drawLine(QPointF(21, 33), QPointF(32, 33));
}

void paintDoc(QPainter &p)
{
    shape(p, {QPointF(9, 3), QPointF(30, 3), QPointF(39, 12), QPointF(39, 45), QPointF(9, 45)}, kPaper);
    shape(p, {QPointF(30, 3), QPointF(30, 12), QPointF(39, 12)}, kBlueLight);
    p.setPen(pen(kBlue, kStroke));
    p.drawLine(QPointF(14, 11), QPointF(24, 11));
    p.setPen(pen(kGrey, kThin));
    for (qreal y : {19.0, 25.0, 31.0})
        p.drawLine(QPointF(14, y), QPointF(34, y));
    p.drawLine(QPointF(14, 37), QPointF(27, 37));
}

void paintGraph(QPainter &p)
{
    const QPointF v[5] = {QPointF(24, 6), QPointF(42, 19), QPointF(35, 41), QPointF(13, 41), QPointF(6, 19)};
    for (auto [a, b] : {std::pair{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 0}, {0, 2}, {0, 3}})
        edge(p, v[a], v[b]);
    for (const QPointF &c : v)
        vertex(p, c, kBlue, 5);
}

void paintProblem(QPainter &p)
{
    // A white board on its easel, with linked items on it.
    p.setPen(pen(kInk, kStroke));
    p.drawLine(QPointF(14, 36), QPointF(9, 46));
    p.drawLine(QPointF(34, 36), QPointF(39, 46));
    box(p, QRectF(3, 4, 42, 32), kPaper, kInk, kStroke, 2);
    miniBoard(p, QRectF(8, 8, 32, 24));
}

void paintAnalyst(QPainter &p)
{
    // Values of the graphs found, and a bound through them.
    p.setPen(pen(kInk, kStroke));
    p.drawPolyline(QPolygonF({QPointF(7, 5), QPointF(7, 41), QPointF(44, 41)}));
    QPen dashed(kRed, kThin, Qt::DashLine, Qt::RoundCap);
    p.setPen(dashed);
    p.drawLine(QPointF(10, 36), QPointF(43, 7));
    const QPointF pts[] = {QPointF(13, 35), QPointF(18, 31), QPointF(21, 33), QPointF(25, 26),
                           QPointF(29, 28), QPointF(32, 21), QPointF(37, 19), QPointF(39, 13)};
    for (const QPointF &c : pts)
        vertex(p, c, kBlue, 2.8);
}

void paintBackup(QPainter &p)
{
    // The copy kept behind the graph.
    box(p, QRectF(14, 3, 30, 28), kBlueLight, kInk, kThin, 2);
    miniGraph(p, QRectF(26, 6, 14, 12), kGrey, 1.8);
    box(p, QRectF(4, 15, 30, 29), kPaper, kInk, kThin, 2);
    miniGraph(p, QRectF(8, 19, 22, 21));
}

void paintClear(QPainter &p)
{
    // A database cylinder being emptied.
    const QRectF top(6, 5, 30, 10);
    QPainterPath body;
    body.moveTo(6, 10);
    body.lineTo(6, 36);
    body.arcTo(QRectF(6, 31, 30, 10), 180, 180);
    body.lineTo(36, 10);
    body.closeSubpath();
    p.setPen(pen(kInk, kThin));
    p.setBrush(kBlueLight);
    p.drawPath(body);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(6, 14, 30, 10), 180 * 16, 180 * 16);
    p.drawArc(QRectF(6, 22, 30, 10), 180 * 16, 180 * 16);
    p.setBrush(kBlue);
    p.drawEllipse(top);
    badge(p, Badge::Cross);
}

void paintRefresh(QPainter &p)
{
    const QRectF circle(8, 8, 32, 32);
    p.setPen(QPen(kBlue, 4.5, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    // Two arcs chasing each other, counter-clockwise from the right and from the left.
    for (int start : {20, 200}) {
        p.drawArc(circle, start * 16, 125 * 16);
        const qreal end = qDegreesToRadians(qreal(start + 125));
        const QPointF tip(24 + 16 * qCos(end), 24 - 16 * qSin(end));
        const QPointF tangent(-qSin(end), -qCos(end)); // direction of travel
        arrowHead(p, tip - tangent * 4, tip + tangent * 7, 11, kBlue);
    }
}

void paintLoad(QPainter &p)
{
    openFolder(p, miniBoard);
}

void paintLoadGraph(QPainter &p)
{
    openFolder(p, [](QPainter &q, const QRectF &r) { miniGraph(q, r); });
}

void paintRecord(QPainter &p)
{
    floppy(p, miniBoard);
}

void paintSaveGraph(QPainter &p)
{
    floppy(p, [](QPainter &q, const QRectF &r) { miniGraph(q, r); });
}

void paintPrint(QPainter &p)
{
    printer(p, miniBoard);
}

void paintPrintGraph(QPainter &p)
{
    printer(p, [](QPainter &q, const QRectF &r) { miniGraph(q, r); });
}

void paintAlignX(QPainter &p)
{
    p.setPen(pen(kInk, kStroke));
    p.drawLine(QPointF(6, 3), QPointF(6, 45));
    for (auto [y, w] : {std::pair{7.0, 34.0}, {20.0, 20.0}, {33.0, 28.0}})
        box(p, QRectF(10, y, w, 9), kBlueLight, kBlue, kThin, 1.5);
}

void paintAlignY(QPainter &p)
{
    p.setPen(pen(kInk, kStroke));
    p.drawLine(QPointF(3, 6), QPointF(45, 6));
    for (auto [x, h] : {std::pair{7.0, 34.0}, {20.0, 20.0}, {33.0, 28.0}})
        box(p, QRectF(x, 10, 9, h), kBlueLight, kBlue, kThin, 1.5);
}

void paintHSpace(QPainter &p)
{
    for (qreal x : {3.0, 19.0, 35.0})
        box(p, QRectF(x, 6, 10, 20), kBlueLight, kBlue, kThin, 1.5);
    p.setPen(pen(kInk, kThin));
    for (qreal x : {8.0, 24.0, 40.0})
        p.drawLine(QPointF(x, 31), QPointF(x, 43));
    arrow(p, QPointF(8, 37), QPointF(24, 37), kInk, kThin, 6, true);
    arrow(p, QPointF(24, 37), QPointF(40, 37), kInk, kThin, 6, true);
}

void paintVSpace(QPainter &p)
{
    for (qreal y : {3.0, 19.0, 35.0})
        box(p, QRectF(6, y, 20, 10), kBlueLight, kBlue, kThin, 1.5);
    p.setPen(pen(kInk, kThin));
    for (qreal y : {8.0, 24.0, 40.0})
        p.drawLine(QPointF(31, y), QPointF(43, y));
    arrow(p, QPointF(37, 8), QPointF(37, 24), kInk, kThin, 6, true);
    arrow(p, QPointF(37, 24), QPointF(37, 40), kInk, kThin, 6, true);
}

// The lower item becomes argument `n` of the upper one.
void paintLink(QPainter &p, int n)
{
    const QColor c = linkColour(n);
    box(p, QRectF(4, 3, 26, 11), kOrange, kInk, kThin, 2);
    box(p, QRectF(4, 34, 26, 11), kBlueLight, kInk, kThin, 2);
    arrow(p, QPointF(17, 34), QPointF(17, 14.5), c, 4.5, 10);
    p.setPen(pen(kPaper, 2));
    p.setBrush(c);
    p.drawEllipse(QPointF(37, 24), 10, 10);
    p.setPen(kPaper);
    p.setFont(font(15));
    p.drawText(QRectF(27, 14, 20, 20), Qt::AlignCenter, QString::number(n));
}

void paintPlace(QPainter &p)
{
    // Scattered vertices drawn where the layout puts them.
    const QPointF v[4] = {QPointF(7, 8), QPointF(29, 6), QPointF(24, 25), QPointF(6, 28)};
    for (auto [a, b] : {std::pair{0, 1}, {1, 2}, {2, 3}, {3, 0}, {0, 2}})
        edge(p, v[a], v[b]);
    for (const QPointF &c : v)
        vertex(p, c, kBlue, 5);
    badge(p, Badge::Move);
}

void paintPlaceCircle(QPainter &p)
{
    QPen dashed(kGrey, kThin, Qt::DashLine);
    p.setPen(dashed);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(24, 24), 18, 18);
    QPointF v[6];
    for (int i = 0; i < 6; ++i) {
        const qreal a = qDegreesToRadians(90.0 + 60.0 * i);
        v[i] = QPointF(24 + 18 * qCos(a), 24 - 18 * qSin(a));
    }
    for (auto [a, b] : {std::pair{0, 2}, {2, 4}, {4, 0}, {1, 3}})
        edge(p, v[a], v[b]);
    for (const QPointF &c : v)
        vertex(p, c, kBlue, 5);
}

// Vertices in a dashed selection frame, coloured by whether each is selected.
void selection(QPainter &p, const bool selected[4])
{
    QPen dashed(kBlue, kThin, Qt::DashLine);
    p.setPen(dashed);
    p.setBrush(QColor(kBlueLight.red(), kBlueLight.green(), kBlueLight.blue(), 110));
    p.drawRect(QRectF(2.5, 2.5, 43, 43));
    const QPointF v[4] = {QPointF(11, 11), QPointF(34, 10), QPointF(30, 31), QPointF(10, 33)};
    for (auto [a, b] : {std::pair{0, 1}, {1, 2}, {2, 3}, {3, 0}})
        edge(p, v[a], v[b]);
    for (int i = 0; i < 4; ++i)
        vertex(p, v[i], selected[i] ? kOrange : kPaper, 5.5);
}

void paintSelect(QPainter &p)
{
    const bool all[4] = {true, true, true, true};
    selection(p, all);
}

void paintUnselect(QPainter &p)
{
    const bool none[4] = {false, false, false, false};
    selection(p, none);
    badge(p, Badge::Cross);
}

void paintToggleSelect(QPainter &p)
{
    const bool half[4] = {true, false, true, false};
    selection(p, half);
    badge(p, Badge::Swap);
}

void paintAddV(QPainter &p)
{
    vertex(p, QPointF(19, 19), kBlue, 13);
    badge(p, Badge::Plus);
}

void paintRemV(QPainter &p)
{
    vertex(p, QPointF(19, 19), kBlue, 13);
    badge(p, Badge::Minus);
}

void paintAddE(QPainter &p)
{
    edge(p, QPointF(8, 31), QPointF(31, 8), kGreen, 5);
    vertex(p, QPointF(8, 31), kBlue, 6);
    vertex(p, QPointF(31, 8), kBlue, 6);
    badge(p, Badge::Plus);
}

void paintRemE(QPainter &p)
{
    QPen cut(kRed, 4, Qt::CustomDashLine, Qt::FlatCap);
    cut.setDashPattern({1.2, 0.8});
    p.setPen(cut);
    p.drawLine(QPointF(8, 31), QPointF(31, 8));
    vertex(p, QPointF(8, 31), kBlue, 6);
    vertex(p, QPointF(31, 8), kBlue, 6);
    badge(p, Badge::Minus);
}

// ---- Application icon, splash and the board picture -----------------------------------------

// The Petersen graph: the outer 5-cycle, the inner pentagram and the spokes.
void petersen(QPainter &p, QPointF c, qreal outer, qreal inner, const QPen &edgePen, const QColor &fill,
              const QColor &highlight, qreal r)
{
    QPointF o[5], in[5];
    for (int i = 0; i < 5; ++i) {
        const qreal a = qDegreesToRadians(90.0 + 72.0 * i);
        o[i] = c + QPointF(outer * qCos(a), -outer * qSin(a));
        in[i] = c + QPointF(inner * qCos(a), -inner * qSin(a));
    }
    p.setPen(edgePen);
    for (int i = 0; i < 5; ++i) {
        p.drawLine(o[i], o[(i + 1) % 5]);
        p.drawLine(in[i], in[(i + 2) % 5]);
        p.drawLine(o[i], in[i]);
    }
    p.setPen(QPen(edgePen.color(), edgePen.widthF() * 0.6));
    for (int i = 0; i < 5; ++i) {
        p.setBrush(fill);
        p.drawEllipse(in[i], r, r);
        p.setBrush(i == 0 ? highlight : fill);
        p.drawEllipse(o[i], r, r);
    }
}

void paintAppIcon(QPainter &p, const QSize &size)
{
    const qreal s = size.width() / 256.0;
    p.scale(s, s);
    QLinearGradient bg(0, 0, 0, 256);
    bg.setColorAt(0, kBlue);
    bg.setColorAt(1, kBlueDark);
    p.setPen(Qt::NoPen);
    p.setBrush(bg);
    p.drawRoundedRect(QRectF(8, 8, 240, 240), 44, 44);
    petersen(p, QPointF(128, 134), 90, 46, pen(kPaper, 8), kPaper, kOrange, 13);
}

void paintSplash(QPainter &p, const QSize &size)
{
    const qreal w = size.width(), h = size.height();
    QLinearGradient bg(0, 0, w, h);
    bg.setColorAt(0, kBlueDark);
    bg.setColorAt(1, kBlue);
    p.fillRect(QRectF(0, 0, w, h), bg);

    QColor faint(255, 255, 255, 150);
    petersen(p, QPointF(w - 100, h / 2 + 6), 82, 40, pen(faint, 4), kPaper, kOrange, 8);

    p.setPen(kPaper);
    p.setFont(font(46));
    p.drawText(QRectF(32, 70, w, 70), Qt::AlignLeft | Qt::AlignVCenter, "Orvalith");
    p.setPen(kBlueLight);
    p.setFont(font(17, false));
    p.drawText(QRectF(35, 140, w, 30), Qt::AlignLeft | Qt::AlignVCenter, "Extremal graphs,");
    p.drawText(QRectF(35, 164, w, 30), Qt::AlignLeft | Qt::AlignVCenter, "searched and explained");
    p.setPen(QColor(255, 255, 255, 190));
    p.setFont(font(13, false));
    p.drawText(QRectF(35, h - 52, w, 24), Qt::AlignLeft | Qt::AlignVCenter, "Loading\u2026");
}

// One board item: a framed label, filled by its kind, dark blue when selected.
struct BoardItem {
    QString text;
    QRectF rect;
    QColor fill;
};

void paintBoardPicture(QPainter &p, const QSize &size)
{
    const qreal w = size.width(), h = size.height();
    p.fillRect(QRectF(0, 0, w, h), QColor(0xee, 0xf1, 0xf4));

    // The box of items on the left.
    const QRectF palette(12, 12, 220, h - 24);
    box(p, palette, QColor(0xf7, 0xf8, 0xfa), kGrey, 1.5, 4);
    p.setFont(font(17));
    qreal y = 24;
    for (const char *section : {"Invariants", "Operators", "Constraints", "Objectives"}) {
        box(p, QRectF(22, y, 200, 34), kGreyLight, kGrey, 1, 3);
        p.setPen(kInk);
        p.drawText(QRectF(34, y, 190, 34), Qt::AlignLeft | Qt::AlignVCenter, section);
        y += 44;
        if (QString(section) == "Invariants") {
            p.setFont(font(15, false));
            for (const char *name : {"WIENER", "DIAMETER", "ORDER", "SIZE", "RANDIC"}) {
                p.drawText(QRectF(44, y, 170, 26), Qt::AlignLeft | Qt::AlignVCenter, name);
                y += 28;
            }
            y += 10;
            p.setFont(font(17));
        }
    }

    // The board itself.
    const QRectF board(246, 12, w - 258, h - 24);
    box(p, board, kPaper, kGrey, 1.5, 4);
    const qreal cx = board.center().x();
    const QColor invariant(0xe4, 0xee, 0xfa), operatorFill(0xfd, 0xf0, 0xd2),
        constraintFill(0xe3, 0xf4, 0xe7), objective(kOrange);
    const BoardItem items[] = {
        {"MAXIMIZE", QRectF(cx - 250, 50, 170, 52), objective},
        {"CONNECTED", QRectF(cx + 80, 50, 170, 52), constraintFill},
        {"/", QRectF(cx - 230, 210, 130, 52), operatorFill},
        {"WIENER", QRectF(cx - 330, 400, 160, 52), invariant},
        {"ORDER", QRectF(cx - 130, 400, 160, 52), invariant},
        {"DIAMETER", QRectF(cx + 130, 400, 180, 52), kBlueDark},
    };
    auto bottom = [&items](int i, qreal dx) { return QPointF(items[i].rect.center().x() + dx, items[i].rect.bottom()); };
    auto top = [&items](int i) { return QPointF(items[i].rect.center().x(), items[i].rect.top()); };
    // Links: argument 1 red, argument 2 green, as on the board.
    edge(p, bottom(0, 0), top(2), linkColour(1), 5);
    edge(p, bottom(2, -25), top(3), linkColour(1), 5);
    edge(p, bottom(2, 25), top(4), linkColour(2), 4);
    p.setFont(font(20));
    for (const BoardItem &it : items) {
        box(p, it.rect, it.fill, kInk, 2, 6);
        p.setPen(it.fill == kBlueDark ? kPaper : kInk);
        p.drawText(it.rect, Qt::AlignCenter, it.text);
    }
    p.setPen(kGrey);
    p.setFont(font(15, false));
    p.drawText(QRectF(board.left() + 20, board.bottom() - 40, board.width() - 40, 30),
               Qt::AlignLeft | Qt::AlignVCenter, "Select two items, then press 1, 2, 3 or 4 to link them");
}

// ---- The table ---------------------------------------------------------------------------------

using Painter = std::function<void(QPainter &, const QSize &)>;

// A 48-grid icon scaled to the size in the catalogue.
Painter icon(void (*f)(QPainter &))
{
    return [f](QPainter &p, const QSize &size) {
        p.scale(size.width() / 48.0, size.height() / 48.0);
        f(p);
    };
}

const QMap<QString, Painter> &painters()
{
    static const QMap<QString, Painter> table = {
        {"ORV_Loading.png", paintSplash},
        {"icon_orv.png", paintAppIcon},
        {"print_screen_problem.png", paintBoardPicture},
        {"about.png", icon(paintAbout)},
        {"adde.png", icon(paintAddE)},
        {"addv.png", icon(paintAddV)},
        {"alignx.png", icon(paintAlignX)},
        {"aligny.png", icon(paintAlignY)},
        {"analyst.png", icon(paintAnalyst)},
        {"backup.png", icon(paintBackup)},
        {"clear.png", icon(paintClear)},
        {"console.png", icon(paintConsole)},
        {"doc.png", icon(paintDoc)},
        {"exit.png", icon(paintExit)},
        {"graph.png", icon(paintGraph)},
        {"halt.png", icon(paintHalt)},
        {"hspace.png", icon(paintHSpace)},
        {"link1.png", icon([](QPainter &p) { paintLink(p, 1); })},
        {"link2.png", icon([](QPainter &p) { paintLink(p, 2); })},
        {"link3.png", icon([](QPainter &p) { paintLink(p, 3); })},
        {"link4.png", icon([](QPainter &p) { paintLink(p, 4); })},
        {"load.png", icon(paintLoad)},
        {"load_graph.png", icon(paintLoadGraph)},
        {"place.png", icon(paintPlace)},
        {"place_circle.png", icon(paintPlaceCircle)},
        {"print.png", icon(paintPrint)},
        {"print_graph.png", icon(paintPrintGraph)},
        {"problem.png", icon(paintProblem)},
        {"record.png", icon(paintRecord)},
        {"refresh.png", icon(paintRefresh)},
        {"reme.png", icon(paintRemE)},
        {"remv.png", icon(paintRemV)},
        {"run.png", icon(paintRun)},
        {"save_graph.png", icon(paintSaveGraph)},
        {"select.png", icon(paintSelect)},
        {"toggleselect.png", icon(paintToggleSelect)},
        {"unselect.png", icon(paintUnselect)},
        {"vspace.png", icon(paintVSpace)},
    };
    return table;
}

QImage draw(const ImageCatalogue::Entry &entry)
{
    QImage img(entry.size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    painters().value(entry.name)(p, entry.size);
    p.end();
    return img;
}

bool writeQrc(const QString &dir)
{
    QSaveFile f(QDir(dir).filePath("images.qrc"));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QTextStream out(&f);
    out << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/src/images\">\n";
    for (const ImageCatalogue::Entry &e : ImageCatalogue::entries())
        out << "    <file>" << e.name << "</file>\n";
    out << "</qresource>\n</RCC>\n";
    out.flush();
    return out.status() == QTextStream::Ok && f.flush() && f.commit();
}

// Every icon at 48, 24 and 16 pixels on white and on a tool bar grey, then the large pictures.
QImage contactSheet()
{
    const int cols = 6, cell = 150, rowH = 96;
    QVector<ImageCatalogue::Entry> icons, large;
    for (const ImageCatalogue::Entry &e : ImageCatalogue::entries())
        (e.size == QSize(48, 48) ? icons : large).append(e);
    const int iconRows = (icons.size() + cols - 1) / cols;
    QImage sheet(cols * cell, iconRows * rowH + 320, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int i = 0; i < icons.size(); ++i) {
        const QPoint o((i % cols) * cell, (i / cols) * rowH);
        const QImage img = draw(icons[i]);
        p.fillRect(QRect(o + QPoint(100, 0), QSize(50, 76)), QColor(0xe4, 0xe6, 0xea));
        p.drawImage(QRect(o + QPoint(4, 4), QSize(48, 48)), img);
        p.drawImage(QRect(o + QPoint(60, 16), QSize(24, 24)), img);
        p.drawImage(QRect(o + QPoint(104, 8), QSize(24, 24)), img);
        p.drawImage(QRect(o + QPoint(108, 40), QSize(16, 16)), img);
        p.setPen(Qt::black);
        p.setFont(font(11, false));
        p.drawText(QRect(o + QPoint(4, 58), QSize(cell - 4, 18)), Qt::AlignLeft, icons[i].name);
    }
    int x = 0;
    for (const ImageCatalogue::Entry &e : large) {
        const QSize fit = e.size.scaled(QSize(300, 300), Qt::KeepAspectRatio);
        p.drawImage(QRect(QPoint(x, iconRows * rowH + 10), fit), draw(e));
        x += fit.width() + 10;
    }
    return sheet;
}

int usage()
{
    std::fprintf(stderr, "usage: orv_make_images OUTPUT_DIR\n       orv_make_images --sheet FILE.png\n");
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QStringList names;
    for (const ImageCatalogue::Entry &e : ImageCatalogue::entries())
        names << e.name;
    QStringList drawn = painters().keys();
    names.sort();
    if (names != drawn) {
        std::fprintf(stderr, "the drawings and ImageCatalogue::entries() name different images\n");
        return 1;
    }

    const QStringList args = app.arguments().mid(1);
    if (args.size() == 2 && args[0] == "--sheet") {
        if (!contactSheet().save(args[1])) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(args[1]));
            return 1;
        }
        return 0;
    }
    if (args.size() != 1 || args[0].startsWith("-"))
        return usage();

    const QDir dir(args[0]);
    if (!dir.exists()) {
        std::fprintf(stderr, "no folder %s\n", qPrintable(args[0]));
        return 1;
    }
    for (const ImageCatalogue::Entry &e : ImageCatalogue::entries()) {
        if (!draw(e).save(dir.filePath(e.name), "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(dir.filePath(e.name)));
            return 1;
        }
    }
    if (!writeQrc(args[0])) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(dir.filePath("images.qrc")));
        return 1;
    }
    return 0;
}
