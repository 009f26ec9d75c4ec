#ifndef PLOTVIEW_H
#define PLOTVIEW_H

#include <QGraphicsView>
#include <QList>

class PlotItem;
class PlotLayer;
class QGraphicsLineItem;
class RectItem;

// The zoomable scene of one X-Y plot with its two axis lines. The arrow keys turn the cloud
// of points in three dimensions (with Alt, in the plane of the screen); the wheel, "+" and
// "-" zoom. GUI thread only.
class PlotView : public QGraphicsView
{
    Q_OBJECT

public:
    static constexpr double RotationStep = 3.14159265 / 64;

    PlotView();
    ~PlotView() override;

    // Adds the point and recomputes the extents; a fill passes false and calls updateBounds()
    // once at its end, which gives the same extents without a pass over every point per point.
    void addItem(PlotItem *item, bool bounds = true);
    // The points' highlight or depth changed: they are stacked and painted anew.
    void pointsChanged();
    // The topmost point under the scene position, as the scene would stack them, or null.
    PlotItem *pointAt(const QPointF &scenePos, bool withToolTip = false) const;
    void addItem(RectItem *item);
    void clear();
    void updateBounds();
    void scaleView(double factor);
    void rotate(double a, double b, double c);
    void print();
    // A PDF that replaces the old file only once whole; false with the reason in why.
    bool printToFile(QString fileName, QString *why = nullptr);

    const QList<PlotItem *> &points() const { return items; }
    QLineF xAxisLine() const;
    QLineF yAxisLine() const;

protected:
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    QGraphicsScene *plotScene;
    QList<PlotItem *> items;
    bool rotateInPlane = false;
    double xMin = 0;
    double xMax = 0;
    double yMin = 0;
    double yMax = 0;
    QGraphicsLineItem *xAxis;
    QGraphicsLineItem *yAxis;
    PlotLayer *belowAxes;
    PlotLayer *aboveAxes;
};

#endif
