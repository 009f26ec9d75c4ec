#include "explorer/Analyst.h"
#include "explorer/PlotItem.h"
#include "explorer/PlotView.h"
#include "explorer/PlotWidget.h"

#include <QMatrix4x4>
#include <QSignalSpy>
#include <QTimer>
#include <QToolTip>
#include <QtTest>
#include <cmath>

namespace {
using Rows = QVector<QVector<double>>;

// A two-column table with the given rows, graph numbers as given.
void fillTable(Analyst &a, const Rows &rows, const QVector<int> &graphs)
{
    a.clear();
    a.setHeader({"X", "Y"});
    for (int r = 0; r < rows.size(); ++r)
        a.push_back(rows[r], graphs.value(r, r));
    a.buildTable();
}

struct Cloud {
    Analyst table;
    PlotWidget plot;
    explicit Cloud(const Rows &rows, const QVector<int> &graphs = {}, double sx = 1, double sy = 1)
    {
        fillTable(table, rows, graphs);
        plot.fill(&table, 1, 2, sx, sy, 20);
    }
};
} // namespace

class TestPlotView : public QObject
{
    Q_OBJECT

private slots:
    void axisExtents_data();
    void axisExtents();
    void nothingToDraw_data();
    void nothingToDraw();
    void rotationMatrix_data();
    void rotationMatrix();
    void keysTurnAndRestore();
    void zoomLimits_data();
    void zoomLimits();
    void doubleClickHighlights();
    void fillInSlicesYields();
    void printToFile();
};

void TestPlotView::axisExtents_data()
{
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<double>("scale");
    QTest::addColumn<QLineF>("xAxis");
    QTest::addColumn<QLineF>("yAxis");
    QTest::addColumn<QPointF>("firstPos");
    QTest::addColumn<QString>("firstTip");
    QTest::newRow("(3,4), scales 10") << Rows{{3, 4}} << 10.0 << QLineF(-100, 0, 160, 0) << QLineF(0, 100, 0, -180)
                                      << QPointF(30, -40) << "(3 , 4)";
    QTest::newRow("x = -5, scale 1") << Rows{{-5, 0}} << 1.0 << QLineF(-105, 0, 100, 0) << QLineF(0, 100, 0, -100)
                                     << QPointF(-5, 0) << "(-5 , 0)";
    QTest::newRow("unscaled tooltip") << Rows{{0.5, 12}} << 10.0 << QLineF(-100, 0, 110, 0)
                                      << QLineF(0, 100, 0, -340) << QPointF(5, -120) << "(0.5 , 12)";
    QTest::newRow("extremes of several") << Rows{{1, -30}, {-7, 2}, {4, 9}} << 1.0 << QLineF(-107, 0, 108, 0)
                                         << QLineF(0, 130, 0, -118) << QPointF(1, 30) << "(1 , -30)";
}

void TestPlotView::axisExtents()
{
    QFETCH(Rows, rows);
    QFETCH(double, scale);
    QFETCH(QLineF, xAxis);
    QFETCH(QLineF, yAxis);
    QFETCH(QPointF, firstPos);
    QFETCH(QString, firstTip);
    Cloud c(rows, {}, scale, scale);
    QCOMPARE(c.plot.points().size(), rows.size());
    QCOMPARE(c.plot.view()->points().size(), rows.size());
    QCOMPARE(c.plot.view()->xAxisLine(), xAxis);
    QCOMPARE(c.plot.view()->yAxisLine(), yAxis);
    QCOMPARE(c.plot.points()[0]->pos(), firstPos);
    QCOMPARE(c.plot.points()[0]->toolTip(), firstTip);
    QCOMPARE(c.plot.points()[0]->zValue(), 0.0);
    // One point at a time gives the same extents as the fill's single pass.
    PlotView one;
    for (const QVector<double> &r : rows)
        one.addItem(new PlotItem(r[0], r[1], nullptr, nullptr, 0, QString(), 5));
    if (scale == 1.0) {
        QCOMPARE(one.xAxisLine(), xAxis);
        QCOMPARE(one.yAxisLine(), yAxis);
    }
}

void TestPlotView::nothingToDraw_data()
{
    QTest::addColumn<int>("ix");
    QTest::addColumn<int>("iy");
    QTest::addColumn<bool>("emptyTable");
    QTest::newRow("x NONE") << 0 << 2 << false;
    QTest::newRow("y NONE") << 1 << 0 << false;
    QTest::newRow("no choice") << -1 << -1 << false;
    QTest::newRow("empty table") << 1 << 2 << true;
}

void TestPlotView::nothingToDraw()
{
    QFETCH(int, ix);
    QFETCH(int, iy);
    QFETCH(bool, emptyTable);
    Cloud c({{3, 4}}, {}, 10, 10);
    if (emptyTable)
        fillTable(c.table, {}, {});
    c.plot.fill(&c.table, ix, iy, 10, 10, 20);
    QVERIFY(c.plot.points().isEmpty());
    QVERIFY(c.plot.view()->points().isEmpty());
    // The axes keep the extents of the last fill.
    QCOMPARE(c.plot.view()->xAxisLine(), QLineF(-100, 0, 160, 0));
}

void TestPlotView::rotationMatrix_data()
{
    QTest::addColumn<QVector3D>("point");
    QTest::addColumn<QVector3D>("angles");
    const float q = float(M_PI / 2);
    QTest::newRow("x axis turns y to z") << QVector3D(0, 1, 0) << QVector3D(q, 0, 0);
    QTest::newRow("y axis turns x to -z") << QVector3D(1, 0, 0) << QVector3D(0, q, 0);
    QTest::newRow("z axis turns x to y") << QVector3D(1, 0, 0) << QVector3D(0, 0, q);
    QTest::newRow("all three") << QVector3D(3, -2, 5) << QVector3D(0.3f, -1.1f, 0.7f);
    QTest::newRow("one step") << QVector3D(40, 70, 0) << QVector3D(float(PlotView::RotationStep), 0, 0);
}

void TestPlotView::rotationMatrix()
{
    QFETCH(QVector3D, point);
    QFETCH(QVector3D, angles);
    PlotView view;
    PlotItem *item = new PlotItem(0, 0, nullptr, nullptr, 0, QString(), 5);
    item->setPosition(point.x(), point.y(), point.z());
    view.addItem(item);
    view.rotate(angles.x(), angles.y(), angles.z());
    // About x first, then y, then z: the product Rz * Ry * Rx.
    QMatrix4x4 m;
    m.rotate(qRadiansToDegrees(angles.z()), 0, 0, 1);
    m.rotate(qRadiansToDegrees(angles.y()), 0, 1, 0);
    m.rotate(qRadiansToDegrees(angles.x()), 1, 0, 0);
    const QVector3D expected = m.map(point);
    QVERIFY(std::fabs(item->getCoordX() - expected.x()) < 1e-4);
    QVERIFY(std::fabs(item->getCoordY() - expected.y()) < 1e-4);
    QVERIFY(std::fabs(item->getCoordZ() - expected.z()) < 1e-4);
    QCOMPARE(item->pos(), QPointF(item->getCoordX(), -item->getCoordY()));
    QCOMPARE(item->zValue(), item->getCoordZ());
}

void TestPlotView::keysTurnAndRestore()
{
    Cloud c({{3, 4}, {-7, 2.5}, {100, -60}}, {}, 10, 10);
    PlotView *view = c.plot.view();
    QVector<QPointF> before;
    for (PlotItem *p : c.plot.points())
        before.append(p->pos());
    QTest::keyClick(view, Qt::Key_Up);
    QVERIFY(c.plot.points()[0]->getCoordZ() != 0);
    QTest::keyClick(view, Qt::Key_Down);
    for (int k = 0; k < before.size(); ++k) {
        QVERIFY(std::fabs(c.plot.points()[k]->pos().x() - before[k].x()) < 1e-9);
        QVERIFY(std::fabs(c.plot.points()[k]->pos().y() - before[k].y()) < 1e-9);
    }
    // With Alt held, Right turns in the plane of the screen: depth stays 0.
    QTest::keyPress(view, Qt::Key_Alt);
    QTest::keyClick(view, Qt::Key_Right);
    QTest::keyRelease(view, Qt::Key_Alt);
    for (PlotItem *p : c.plot.points())
        QVERIFY(std::fabs(p->getCoordZ()) < 1e-9);
    const double r0 = std::hypot(before[0].x(), before[0].y());
    QVERIFY(std::fabs(std::hypot(c.plot.points()[0]->getCoordX(), c.plot.points()[0]->getCoordY()) - r0) < 1e-9);
    QVERIFY(std::fabs(c.plot.points()[0]->pos().x() - before[0].x()) > 0.1);
    // Without Alt, Right turns about the vertical axis: depth appears.
    QTest::keyClick(view, Qt::Key_Right);
    QVERIFY(std::fabs(c.plot.points()[0]->getCoordZ()) > 0.1);
}

void TestPlotView::zoomLimits_data()
{
    QTest::addColumn<double>("factor");
    QTest::addColumn<int>("steps");
    QTest::addColumn<double>("expected");
    QTest::newRow("one step in") << 2.0 << 1 << 2.0;
    QTest::newRow("up to 100, not past") << 2.0 << 10 << 64.0;
    QTest::newRow("down to 0.07, not past") << 0.5 << 10 << 0.125;
    QTest::newRow("refused at once") << 200.0 << 1 << 1.0;
}

void TestPlotView::zoomLimits()
{
    QFETCH(double, factor);
    QFETCH(int, steps);
    QFETCH(double, expected);
    PlotView view;
    for (int k = 0; k < steps; ++k)
        view.scaleView(factor);
    QCOMPARE(view.transform().m11(), expected);
    PlotView keys;
    QTest::keyClick(&keys, Qt::Key_Plus);
    QCOMPARE(keys.transform().m11(), 1.1);
    QTest::keyClick(&keys, Qt::Key_Minus);
    QVERIFY(std::fabs(keys.transform().m11() - 1.0) < 1e-12);
}

void TestPlotView::doubleClickHighlights()
{
    Cloud c({{1, 1}, {2, 5}, {3, 2}, {4, 8}}, {0, 1, 2, 1}, 20, 20);
    connect(&c.table, &Analyst::signal_load_graph, &c.plot, &PlotWidget::slot_hilight);
    QSignalSpy loads(&c.table, &Analyst::signal_load_graph);
    PlotView *view = c.plot.view();
    c.plot.resize(600, 500);
    c.plot.show();
    QVERIFY(QTest::qWaitForWindowExposed(&c.plot));
    PlotItem *target = c.plot.points()[3];
    const QPoint at = view->mapFromScene(target->scenePos());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QCOMPARE(loads.count(), 1);
    QCOMPARE(loads[0][0].toInt(), 1);
    for (PlotItem *p : c.plot.points()) {
        QCOMPARE(p->isHilighted(), p->getNumber() == 1);
        QCOMPARE(p->zValue(), p->getNumber() == 1 ? 10.0 : 0.0);
    }
    // The highlighted point is drawn solid blue.
    const QImage shot = view->grab().toImage();
    QCOMPARE(QColor(shot.pixel(at)), QColor(Qt::blue));
    // Hovering over the point shows its values.
    QHelpEvent hover(QEvent::ToolTip, at, view->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(view->viewport(), &hover);
    QCOMPARE(QToolTip::text(), QString("(4 , 8)"));
}

// A fill of many rows in slices lets the event loop run between them (a timer fires while it
// goes on) and ends with the points of a fill in one go; a graph highlighted meanwhile is
// highlighted on the points still to come, and a clear ends the fill.
void TestPlotView::fillInSlicesYields()
{
    const int rows = 3 * PlotWidget::SlicePoints + 7;
    Rows values;
    for (int r = 0; r < rows; ++r)
        values.append({double(r % 500), double(r % 300)});
    Analyst table;
    QVector<int> graphs;
    for (int r = 0; r < rows; ++r)
        graphs.append(r / 2);
    fillTable(table, values, graphs);
    PlotWidget whole;
    whole.fill(&table, 1, 2, 2, 3, 4);
    QCOMPARE(whole.points().size(), rows);

    PlotWidget plot;
    QVector<int> seen;
    QTimer tick;
    tick.setInterval(0);
    connect(&tick, &QTimer::timeout, &plot, [&] {
        if (plot.isFilling())
            seen.append(plot.points().size());
    });
    tick.start();
    plot.fillInSlices(&table, 1, 2, 2, 3, 4);
    QVERIFY(plot.isFilling());
    QVERIFY(plot.points().size() > 0 && plot.points().size() <= PlotWidget::SlicePoints);
    plot.slot_hilight(rows / 2 - 1);
    QTRY_VERIFY(!plot.isFilling());
    tick.stop();
    QVERIFY(!seen.isEmpty());
    QVERIFY(seen.first() > 0 && seen.last() < rows);
    QCOMPARE(plot.points().size(), rows);
    for (int r = 0; r < rows; ++r) {
        QCOMPARE(plot.points()[r]->pos(), whole.points()[r]->pos());
        QCOMPARE(plot.points()[r]->toolTip(), whole.points()[r]->toolTip());
        QCOMPARE(plot.points()[r]->getNumber(), r / 2);
        QCOMPARE(plot.points()[r]->isHilighted(), r / 2 == rows / 2 - 1);
    }
    QCOMPARE(plot.view()->xAxisLine(), whole.view()->xAxisLine());
    QCOMPARE(plot.view()->yAxisLine(), whole.view()->yAxisLine());

    plot.fillInSlices(&table, 1, 2, 2, 3, 4);
    QVERIFY(plot.isFilling());
    plot.clear();
    QVERIFY(!plot.isFilling());
    QTest::qWait(50);
    QVERIFY(plot.points().isEmpty());
    QVERIFY(plot.view()->points().isEmpty());

    // A table rebuilt during a fill ends it: no plot mixes the old rows with the new.
    plot.fillInSlices(&table, 1, 2, 2, 3, 4);
    QVERIFY(plot.isFilling());
    fillTable(table, {{1, 1}}, {0});
    QVERIFY(!plot.isFilling());
    QTest::qWait(50);
    QVERIFY(plot.points().isEmpty());
}

void TestPlotView::printToFile()
{
    QTemporaryDir dir;
    Cloud c({{3, 4}, {5, 1}}, {}, 10, 10);
    const QString file = dir.filePath("plot.pdf");
    QVERIFY(c.plot.printToFile(file));
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.read(4) == "%PDF");
}

QTEST_MAIN(TestPlotView)
#include "tst_plotview.moc"
