#ifndef PLOTWIDGET_H
#define PLOTWIDGET_H

#include <QVector>
#include <QWidget>

class Analyst;
class PlotItem;
class PlotView;

// The panel of one X-Y plot: its view, and the points of the last fill.
class PlotWidget : public QWidget
{
    Q_OBJECT

public:
    PlotWidget();

    void clear();
    void addItem(PlotItem *item);
    // Clears the plot and draws column ix - 1 against column iy - 1 of the table (combo
    // indexes: 0 is "NONE" and leaves the plot empty), one red point per row.
    void fill(Analyst *table, int ix, int iy, double xScale, double yScale, double size);
    PlotView *view() const { return plotView; }
    const QVector<PlotItem *> &points() const { return items; }
    // A PDF that replaces the old file only once whole; false with the reason in why.
    bool printToFile(QString fileName, QString *why = nullptr);

public slots:
    void slot_hilight(int gno);
    void slot_print();

private:
    PlotView *plotView;
    QVector<PlotItem *> items;
};

#endif
