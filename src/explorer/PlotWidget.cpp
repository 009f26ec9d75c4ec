#include "explorer/PlotWidget.h"

#include "explorer/Analyst.h"
#include "explorer/PlotItem.h"
#include "explorer/PlotView.h"

#include <QGridLayout>

PlotWidget::PlotWidget()
{
    plotView = new PlotView;
    QGridLayout *grid = new QGridLayout(this);
    grid->addWidget(plotView, 1, 0, 10, 2);
}

void PlotWidget::clear()
{
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

void PlotWidget::fill(Analyst *table, int ix, int iy, double xScale, double yScale, double size)
{
    clear();
    if (ix <= 0 || iy <= 0 || !table || table->nbRows() <= 0)
        return;
    items.reserve(table->nbRows());
    for (int r = 0; r < table->nbRows(); ++r) {
        const double x = table->value(r, ix - 1);
        const double y = table->value(r, iy - 1);
        const QString tip = "(" + QString::number(x, 'g', 6) + " , " + QString::number(y, 'g', 6) + ")";
        PlotItem *item = new PlotItem(x, y, table, nullptr, table->graphNo(r), tip, size);
        item->setPosition(x * xScale, y * yScale, 0);
        plotView->addItem(item, false);
        items.append(item);
    }
    plotView->updateBounds();
}

void PlotWidget::slot_hilight(int gno)
{
    for (PlotItem *item : items) {
        const bool on = item->getNumber() == gno;
        item->setHilight(on);
        item->setZValue(on ? 10 : 0);
        item->update();
    }
}

void PlotWidget::slot_print()
{
    plotView->print();
}

bool PlotWidget::printToFile(QString fileName, QString *why)
{
    return plotView->printToFile(fileName, why);
}
