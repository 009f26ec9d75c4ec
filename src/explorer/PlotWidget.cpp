#include "explorer/PlotWidget.h"

#include "explorer/Analyst.h"
#include "explorer/PlotItem.h"
#include "explorer/PlotView.h"

#include <QGridLayout>
#include <QTimer>

PlotWidget::PlotWidget()
{
    plotView = new PlotView;
    QGridLayout *grid = new QGridLayout(this);
    grid->addWidget(plotView, 1, 0, 10, 2);
    slices = new QTimer(this);
    slices->setSingleShot(true);
    slices->setInterval(0);
    connect(slices, &QTimer::timeout, this, &PlotWidget::nextSlice);
}

void PlotWidget::clear()
{
    slices->stop();
    source = nullptr;
    hilighted = -1;
    items.clear();
    plotView->clear();
}

void PlotWidget::addItem(PlotItem *item)
{
    if (!item)
        return;
    plotView->addItem(item);
    items.append(item);
}

bool PlotWidget::begin(Analyst *table, int ix, int iy, double sx, double sy, double size)
{
    clear();
    if (ix <= 0 || iy <= 0 || !table || table->nbRows() <= 0)
        return false;
    source = table;
    // Rows are read as the fill reaches them: a table rebuilt meanwhile would mix its rows
    // with the old ones.
    connect(table, &Analyst::signal_total_data, this, &PlotWidget::sourceRebuilt, Qt::UniqueConnection);
    xColumn = ix - 1;
    yColumn = iy - 1;
    xScale = sx;
    yScale = sy;
    radius = size;
    next = 0;
    items.reserve(table->nbRows());
    shown.start();
    return true;
}

bool PlotWidget::addRows(bool slice)
{
    Analyst *table = source;
    if (!table) {
        source = nullptr;
        return false;
    }
    QElapsedTimer clock;
    clock.start();
    for (int made = 0; next < table->nbRows(); ++next, ++made) {
        if (slice && made > 0 && (made >= SlicePoints || ((made & 1023) == 0 && clock.elapsed() >= SliceMilliseconds)))
            break;
        const double x = table->value(next, xColumn);
        const double y = table->value(next, yColumn);
        const QString tip = "(" + QString::number(x, 'g', 6) + " , " + QString::number(y, 'g', 6) + ")";
        const int number = table->graphNo(next);
        PlotItem *item = new PlotItem(x, y, table, nullptr, number, tip, radius);
        item->setPosition(x * xScale, y * yScale, 0);
        if (hilighted >= 0 && number == hilighted) {
            item->setHilight(true);
            item->setZValue(10);
        }
        plotView->addItem(item, false);
        items.append(item);
    }
    const bool more = next < table->nbRows();
    // The extents, and with them the points shown, follow the fill now and then and at its end.
    if (!more || shown.elapsed() >= ShowMilliseconds) {
        plotView->updateBounds();
        shown.restart();
    }
    if (!more)
        source = nullptr;
    return more;
}

void PlotWidget::fill(Analyst *table, int ix, int iy, double sx, double sy, double size)
{
    if (begin(table, ix, iy, sx, sy, size))
        addRows(false);
}

void PlotWidget::fillInSlices(Analyst *table, int ix, int iy, double sx, double sy, double size)
{
    if (begin(table, ix, iy, sx, sy, size) && addRows(true))
        slices->start();
}

void PlotWidget::sourceRebuilt()
{
    if (isFilling() && sender() == source)
        clear();
}

void PlotWidget::nextSlice()
{
    if (addRows(true))
        slices->start();
}

void PlotWidget::slot_hilight(int gno)
{
    if (isFilling())
        hilighted = gno;
    for (PlotItem *item : items) {
        const bool on = item->getNumber() == gno;
        item->setHilight(on);
        item->setZValue(on ? 10 : 0);
    }
    plotView->pointsChanged();
}

void PlotWidget::slot_print()
{
    plotView->print();
}

bool PlotWidget::printToFile(QString fileName, QString *why)
{
    return plotView->printToFile(fileName, why);
}
