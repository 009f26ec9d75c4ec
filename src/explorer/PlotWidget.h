#ifndef PLOTWIDGET_H
#define PLOTWIDGET_H

#include <QElapsedTimer>
#include <QPointer>
#include <QVector>
#include <QWidget>

class Analyst;
class PlotItem;
class PlotView;
class QTimer;

// The panel of one X-Y plot: its view, and the points of the last fill.
class PlotWidget : public QWidget
{
    Q_OBJECT

public:
    // A fill in slices adds at most this many points, or works at most this long, before the
    // event loop runs again.
    static constexpr int SlicePoints = 20000;
    static constexpr int SliceMilliseconds = 40;
    // Meanwhile the points so far are shown at most this often: each showing paints them all.
    static constexpr int ShowMilliseconds = 250;

    PlotWidget();

    // Also ends a fill in slices.
    void clear();
    void addItem(PlotItem *item);
    // Clears the plot and draws column ix - 1 against column iy - 1 of the table (combo
    // indexes: 0 is "NONE" and leaves the plot empty), one red point per row.
    void fill(Analyst *table, int ix, int iy, double xScale, double yScale, double size);
    // The same fill, its first slice now and the others from the event loop, so that the
    // window stays live during a fill of many rows. Rows are read as the fill reaches them.
    void fillInSlices(Analyst *table, int ix, int iy, double xScale, double yScale, double size);
    bool isFilling() const { return !!source; }
    PlotView *view() const { return plotView; }
    const QVector<PlotItem *> &points() const { return items; }
    // A PDF that replaces the old file only once whole; false with the reason in why.
    bool printToFile(QString fileName, QString *why = nullptr);

public slots:
    void slot_hilight(int gno);
    void slot_print();

private:
    // Readies a fill; false when there is nothing to draw.
    bool begin(Analyst *table, int ix, int iy, double xScale, double yScale, double size);
    // Adds the points of the next rows, all of them or one slice; false once the last is in.
    bool addRows(bool slice);
    void nextSlice();
    // The table of a fill under way was rebuilt: the fill ends, with its points.
    void sourceRebuilt();

    PlotView *plotView;
    QVector<PlotItem *> items;
    // The fill under way: its table and choices, and the next row.
    QPointer<Analyst> source;
    int xColumn = 0;
    int yColumn = 0;
    double xScale = 1;
    double yScale = 1;
    double radius = 1;
    int next = 0;
    // The graph highlighted since the fill began: points added later are highlighted too.
    int hilighted = -1;
    QTimer *slices;
    QElapsedTimer shown;
};

#endif
