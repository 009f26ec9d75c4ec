#include "explorer/PlotView.h"

#include "dialogs/DialogProvider.h"
#include "files/PdfFile.h"
#include "explorer/PlotItem.h"
#include "explorer/PlotLayer.h"
#include "explorer/RectItem.h"

#include <QGraphicsLineItem>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QToolTip>
#include <QPainter>
#include <QPrinter>
#include <QWheelEvent>
#include <cmath>

PlotView::PlotView()
{
    plotScene = new QGraphicsScene(this);
    plotScene->setItemIndexMethod(QGraphicsScene::NoIndex);
    setScene(plotScene);
    setCacheMode(QGraphicsView::CacheBackground);
    setViewportUpdateMode(QGraphicsView::BoundingRectViewportUpdate);
    setRenderHint(QPainter::Antialiasing);
    setBackgroundBrush(QBrush(Qt::white, Qt::SolidPattern));
    xAxis = new QGraphicsLineItem;
    yAxis = new QGraphicsLineItem;
    plotScene->addItem(xAxis);
    plotScene->addItem(yAxis);
    // Points deeper than 0 lie under the axis lines, the others over them.
    belowAxes = new PlotLayer(&items, true);
    aboveAxes = new PlotLayer(&items, false);
    plotScene->addItem(belowAxes);
    plotScene->addItem(aboveAxes);
}

PlotView::~PlotView()
{
    // The points are the view's own, not the scene's.
    qDeleteAll(items);
}

void PlotView::addItem(PlotItem *item, bool bounds)
{
    if (!item)
        return;
    items.append(item);
    if (bounds)
        updateBounds();
}

void PlotView::pointsChanged()
{
    // A change of depth may move a point from one side of the axes to the other.
    belowAxes->refit();
    aboveAxes->refit();
}

PlotItem *PlotView::pointAt(const QPointF &scenePos, bool withToolTip) const
{
    PlotItem *p = aboveAxes->pointAt(scenePos, withToolTip);
    return p ? p : belowAxes->pointAt(scenePos, withToolTip);
}

void PlotView::addItem(RectItem *item)
{
    if (!item)
        return;
    plotScene->addItem(item);
    updateBounds();
}

void PlotView::clear()
{
    qDeleteAll(items);
    items.clear();
    belowAxes->refit();
    aboveAxes->refit();
    plotScene->update();
}

void PlotView::updateBounds()
{
    xMin = xMax = yMin = yMax = 0;
    for (const PlotItem *item : items) {
        const double x = item->getCoordX();
        const double y = item->getCoordY();
        if (xMin > x)
            xMin = x;
        if (x > xMax)
            xMax = x;
        if (yMin > y)
            yMin = y;
        if (y > yMax)
            yMax = y;
    }
    xMax = 2 * (xMax + 50);
    yMax = 2 * (yMax + 50);
    xMin -= 100;
    yMin -= 100;
    xAxis->setLine(xMin, 0, xMax, 0);
    yAxis->setLine(0, -yMin, 0, -yMax);
    belowAxes->refit();
    aboveAxes->refit();
}

QLineF PlotView::xAxisLine() const
{
    return xAxis->line();
}

QLineF PlotView::yAxisLine() const
{
    return yAxis->line();
}

void PlotView::scaleView(double factor)
{
    const double w = transform().scale(factor, factor).mapRect(QRectF(0, 0, 1, 1)).width();
    if (w < 0.07 || w > 100)
        return;
    scale(factor, factor);
}

void PlotView::rotate(double a, double b, double c)
{
    const double ca = std::cos(a), sa = std::sin(a);
    const double cb = std::cos(b), sb = std::sin(b);
    const double cc = std::cos(c), sc = std::sin(c);
    for (PlotItem *item : items) {
        const double x = item->getCoordX(), y = item->getCoordY(), z = item->getCoordZ();
        const double y1 = y * ca - z * sa;
        const double z1 = z * ca + y * sa;
        const double x2 = x * cb + z1 * sb;
        const double z2 = z1 * cb - x * sb;
        const double x3 = x2 * cc - y1 * sc;
        const double y3 = y1 * cc + x2 * sc;
        item->setPosition(x3, y3, z2);
    }
    updateBounds();
}

void PlotView::wheelEvent(QWheelEvent *event)
{
    scaleView(std::exp2(-event->angleDelta().y() / 240.0));
}

void PlotView::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    // A turn refits the extents itself; nothing else here moves a point.
    case Qt::Key_Alt:
        rotateInPlane = true;
        break;
    case Qt::Key_Up:
        rotate(RotationStep, 0, 0);
        break;
    case Qt::Key_Down:
        rotate(-RotationStep, 0, 0);
        break;
    case Qt::Key_Right:
        rotateInPlane ? rotate(0, 0, RotationStep) : rotate(0, RotationStep, 0);
        break;
    case Qt::Key_Left:
        rotateInPlane ? rotate(0, 0, -RotationStep) : rotate(0, -RotationStep, 0);
        break;
    case Qt::Key_Minus:
        scaleView(1 / 1.1);
        break;
    case Qt::Key_Plus:
        scaleView(1.1);
        break;
    default:
        break;
    }
}

void PlotView::mouseDoubleClickEvent(QMouseEvent *event)
{
    // What the scene would do for point items: the topmost one under the mouse takes it.
    if (PlotItem *p = pointAt(mapToScene(event->pos()))) {
        p->activate();
        event->accept();
        return;
    }
    QGraphicsView::mouseDoubleClickEvent(event);
}

bool PlotView::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        QHelpEvent *help = static_cast<QHelpEvent *>(event);
        if (PlotItem *p = pointAt(mapToScene(help->pos()), true)) {
            QToolTip::showText(help->globalPos(), p->toolTip(), viewport());
            return true;
        }
    }
    return QGraphicsView::viewportEvent(event);
}

void PlotView::keyReleaseEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Alt)
        rotateInPlane = false;
}

void PlotView::print()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!DialogProvider::instance()->print(&printer, nullptr))
        return;
    QString why;
    if (!PdfFile::render(&printer, [this](QPainter *painter) { render(painter); }, &why))
        DialogProvider::instance()->warning(this, "Warning", "Failed to print plot.\n" + why);
}

bool PlotView::printToFile(QString fileName, QString *why)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(fileName);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageOrientation(QPageLayout::Landscape);
    QString reason;
    if (PdfFile::render(&printer, [this](QPainter *painter) { render(painter); }, &reason))
        return true;
    if (why)
        *why = reason;
    return false;
}
