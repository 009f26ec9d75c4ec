#include "graph/Edge.h"
#include "graph/Graph.h"
#include "graph/Node.h"

#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QStyleOptionGraphicsItem>
#include <QWheelEvent>
#include <QtTest>
#include <cmath>
#include <limits>

// Display of the graph view: placement, zoom, labels, colours, highlights and timers.
class TestGraphView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Node::initColors(); }

    void circlePlacement();
    void zoomBounds_data();
    void zoomBounds();
    void wheelZoomsByHalfPowersOfTwo();
    void keyZoomStopsAtTheBounds();
    void vertexLabels();
    void colourIndicesStayInTheTable_data();
    void colourIndicesStayInTheTable();
    void edgeHighlightThreshold();
    void edgeLabelsOffOnlyTouchAdjacentPairs();
    void hilightOutsideClearsAll();
    void updateDisplayFollowsBestLowerTriangle();
    void violatedBackgroundChangesOnce();
    void rotateCentresAndStacksByDepth();
    void rotationTurnsAboutVerticalAxis();
    void scaleCoordsOnAVerticalLine();
    void squareScalingFillsTheSquare();
    void redrawTimerMessages();
    void refreshSlotBumpsIdentifier();
};

void TestGraphView::circlePlacement()
{
    Graph g("graph", true);
    g.loadorv("4 000000", true);
    g.place_circle(200);
    const QPointF expected[4] = {{100, 0}, {0, 100}, {-100, 0}, {0, -100}};
    for (int i = 0; i < 4; ++i) {
        QVERIFY(std::fabs(g.getNode(i)->x() - expected[i].x()) < 1e-6);
        QVERIFY(std::fabs(g.getNode(i)->y() - expected[i].y()) < 1e-6);
        QCOMPARE(g.getNode(i)->getCoordZ(), 0.0);
    }
}

void TestGraphView::zoomBounds_data()
{
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("second");
    QTest::addColumn<double>("expected");
    QTest::newRow("exactly 100 is allowed") << 100.0 << 1.0 << 100.0;
    QTest::newRow("beyond 100 is refused") << 100.0 << 1.01 << 100.0;
    QTest::newRow("exactly 0.07 is allowed") << 0.07 << 1.0 << 0.07;
    QTest::newRow("below 0.07 is refused") << 0.07 << 0.99 << 0.07;
    QTest::newRow("a single step past the bound is refused") << 100.5 << 1.0 << 1.0;
    QTest::newRow("NaN is refused") << std::numeric_limits<double>::quiet_NaN() << 1.0 << 1.0;
}

void TestGraphView::zoomBounds()
{
    QFETCH(double, first);
    QFETCH(double, second);
    QFETCH(double, expected);
    Graph g("graph", true);
    g.scaleView(first);
    g.scaleView(second);
    QCOMPARE(g.transform().m11(), expected);
    QCOMPARE(g.transform().m22(), expected);
}

void TestGraphView::wheelZoomsByHalfPowersOfTwo()
{
    Graph g("graph", true);
    QWheelEvent away(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(g.viewport(), &away);
    QVERIFY(std::fabs(g.transform().m11() - std::pow(2.0, -0.5)) < 1e-12);
    QWheelEvent towards(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, -240), Qt::NoButton,
                        Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(g.viewport(), &towards);
    QVERIFY(std::fabs(g.transform().m11() - std::pow(2.0, 0.5)) < 1e-12);
}

void TestGraphView::keyZoomStopsAtTheBounds()
{
    Graph g("graph", true);
    for (int i = 0; i < 100; ++i)
        QTest::keyClick(&g, Qt::Key_Plus);
    QVERIFY(g.transform().m11() <= 100);
    QVERIFY(g.transform().m11() > 100 / 1.1);
    for (int i = 0; i < 200; ++i)
        QTest::keyClick(&g, Qt::Key_Minus);
    QVERIFY(g.transform().m11() >= 0.07);
    QVERIFY(g.transform().m11() < 0.07 * 1.1);
}

void TestGraphView::vertexLabels()
{
    Graph g("graph", true);
    g.getNode(3)->setLabel("keep");
    g.setLabels({1.0, 0.1234567, 1234567});
    QCOMPARE(g.getNode(0)->getLabel(), QString("1"));
    QCOMPARE(g.getNode(1)->getLabel(), QString("0.123457"));
    QCOMPARE(g.getNode(2)->getLabel(), QString("1.23457e+06"));
    QCOMPARE(g.getNode(3)->getLabel(), QString("keep"));
    QVector<double> many(40, 2.5);
    g.setLabels(many);
    QCOMPARE(g.getNode(31)->getLabel(), QString("2.5"));
    g.setLabels({});
    for (int i = 0; i < Graph::MaxNodes; ++i)
        QVERIFY(g.getNode(i)->getLabel().isEmpty());
}

void TestGraphView::colourIndicesStayInTheTable_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("index");
    QTest::newRow("8 dark blue") << 8.0 << 8;
    QTest::newRow("16 wraps to 0") << 16.0 << 0;
    QTest::newRow("21 wraps to 5") << 21.0 << 5;
    QTest::newRow("2.9 truncates") << 2.9 << 2;
    QTest::newRow("-1 stays inside") << -1.0 << 15;
    QTest::newRow("-17 stays inside") << -17.0 << 15;
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << 0;
    QTest::newRow("huge") << 1e300 << (INT_MAX % 16);
    QTest::newRow("huge negative") << -1e300 << 0;
    QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << (INT_MAX % 16);
}

void TestGraphView::colourIndicesStayInTheTable()
{
    QFETCH(double, value);
    QFETCH(int, index);
    Graph g("graph", true);
    g.setColors({value});
    QCOMPARE(Node::colorIndex(g.getNode(0)->getColor()), index);
    // Painting the vertex with that index draws its table colour at the centre.
    QImage image(60, 60, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.translate(30, 30);
    QStyleOptionGraphicsItem option;
    g.getNode(0)->paint(&painter, &option, nullptr);
    painter.end();
    const QColor at = image.pixelColor(30 - 10, 30 - 10), want = Node::NodeColor[index];
    QVERIFY2(std::abs(at.red() - want.red()) <= 8 && std::abs(at.green() - want.green()) <= 8
                 && std::abs(at.blue() - want.blue()) <= 8,
             qPrintable(at.name() + " " + want.name()));
}

void TestGraphView::edgeHighlightThreshold()
{
    Graph g("graph", true);
    g.loadorv("3 110", true); // edges {0,1} and {0,2}
    QVector<QVector<double>> m(3, QVector<double>(3, 0));
    m[1][0] = 1.0;
    m[2][0] = 0.999999;
    g.setEHilight(m, true);
    QVERIFY(g.getEdgeItem(1, 0)->isHilighted());
    QVERIFY(!g.getEdgeItem(2, 0)->isHilighted());
    g.setEHilight(m, false);
    QVERIFY(!g.getEdgeItem(1, 0)->isHilighted());
}

void TestGraphView::edgeLabelsOffOnlyTouchAdjacentPairs()
{
    Graph g("graph", true);
    g.loadorv("3 100", true); // edge {0,1} only
    g.getEdgeItem(2, 0)->setLabel("other");
    QVector<QVector<double>> m(3, QVector<double>(3, 0.5));
    g.setELabels(m, true);
    QCOMPARE(g.getEdgeItem(1, 0)->getLabel(), QString("0.5"));
    QCOMPARE(g.getEdgeItem(2, 0)->getLabel(), QString("other"));
    g.setELabels({}, false);
    QVERIFY(g.getEdgeItem(1, 0)->getLabel().isEmpty());
    QCOMPARE(g.getEdgeItem(2, 0)->getLabel(), QString("other"));
    // A matrix smaller than the graph is never read outside its bounds.
    g.setELabels(QVector<QVector<double>>(1, QVector<double>(1, 3)), true);
    g.setEHilight(QVector<QVector<double>>(1, QVector<double>(1, 3)), true);
    QVERIFY(!g.getEdgeItem(1, 0)->isHilighted());
}

void TestGraphView::hilightOutsideClearsAll()
{
    Graph g("graph", true);
    QSignalSpy spy(&g, &Graph::signal_hilight_node);
    g.hilight(3);
    QVERIFY(g.getNode(3)->isHilighted());
    g.hilight(40);
    for (int i = 0; i < Graph::MaxNodes; ++i)
        QVERIFY(!g.getNode(i)->isHilighted());
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1).at(0).toInt(), 40);
}

void TestGraphView::updateDisplayFollowsBestLowerTriangle()
{
    Graph g("graph", true);
    g.loadorv("3 000", true);
    g.toggleEdge(0, 2); // entry (0,2) alone: above the diagonal
    g.toggleEdge(2, 1); // entry (2,1) alone: below the diagonal
    g.best_backup();
    g.update_display();
    QVERIFY(!g.getEdgeItem(2, 0)->isVisible());
    QVERIFY(g.getEdgeItem(2, 1)->isVisible());
    QVERIFY(g.getNode(2)->isVisible());
    QVERIFY(!g.getNode(3)->isVisible());

    g.loadorv("0 ", true);
    g.update_display();
    for (int i = 0; i < Graph::MaxNodes; ++i) {
        QVERIFY(!g.getNode(i)->isVisible());
        for (int j = 0; j < i; ++j)
            QVERIFY(!g.getEdgeItem(i, j)->isVisible());
    }
}

void TestGraphView::violatedBackgroundChangesOnce()
{
    Graph g("graph", true);
    QCOMPARE(g.backgroundBrush().color(), QColor(Qt::white));
    g.setViolated(true);
    QCOMPARE(g.backgroundBrush().color(), QColor(Qt::gray));
    g.setBackgroundBrush(Qt::green); // a second identical call must not repaint the background
    g.setViolated(true);
    QCOMPARE(g.backgroundBrush().color(), QColor(Qt::green));
    g.setViolated(false);
    QCOMPARE(g.backgroundBrush().color(), QColor(Qt::white));
}

void TestGraphView::rotateCentresAndStacksByDepth()
{
    Graph g("graph", true);
    g.loadorv("3 000", true);
    g.setPos(0, 10, 20, 3);
    g.setPos(1, 20, 20, 6);
    g.setPos(2, 30, 50, 9);
    g.getNode(0)->setZValue(100);
    g.rotate(0, 0, 0);
    QCOMPARE(g.getNode(0)->pos(), QPointF(-10, -10));
    QCOMPARE(g.getNode(2)->pos(), QPointF(10, 20));
    QCOMPARE(g.getNode(0)->getCoordZ(), -3.0);
    QCOMPARE(g.getNode(0)->zValue(), -3.0);
    QCOMPARE(g.getNode(2)->zValue(), 3.0);

    Graph one("graph", true);
    one.loadorv("1 ", true);
    one.setPos(0, 7, 8, 0);
    one.center();
    QCOMPARE(one.getNode(0)->pos(), QPointF(7, 8));
}

void TestGraphView::rotationTurnsAboutVerticalAxis()
{
    Graph g("graph", true);
    g.loadorv("2 1", true);
    g.setPos(0, -50, 0, 0);
    g.setPos(1, 50, 0, 0);
    // 32 steps of a 64th of a half turn make a quarter turn about the vertical axis, which
    // brings the left vertex to the front.
    for (int i = 0; i < 32; ++i)
        QTest::keyClick(&g, Qt::Key_Right);
    QVERIFY(std::fabs(g.getNode(0)->x()) < 1e-4);
    QVERIFY(std::fabs(g.getNode(0)->getCoordZ() - 50) < 1e-4);
    QCOMPARE(g.getNode(0)->zValue(), g.getNode(0)->getCoordZ());
    // With Alt the turn is in the plane of the drawing.
    g.setPos(0, -50, 0, 0);
    g.setPos(1, 50, 0, 0);
    for (int i = 0; i < 32; ++i)
        QTest::keyClick(&g, Qt::Key_Right, Qt::AltModifier);
    QVERIFY(std::fabs(g.getNode(0)->x()) < 1e-4);
    QVERIFY(std::fabs(g.getNode(0)->y() + 50) < 1e-4);
    QCOMPARE(g.getNode(0)->getCoordZ(), 0.0);
}

void TestGraphView::scaleCoordsOnAVerticalLine()
{
    Graph g("graph", true);
    g.loadorv("3 000", true);
    g.setPos(0, 5, 0, 0);
    g.setPos(1, 5, 10, 0);
    g.setPos(2, 5, 40, 0);
    g.scaleCoords(400, 300);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(g.getNode(i)->x(), -200.0);
    QCOMPARE(g.getNode(0)->y(), -150.0);
    QCOMPARE(g.getNode(2)->y(), 150.0);
}

void TestGraphView::squareScalingFillsTheSquare()
{
    Graph g("graph", true);
    g.slot_randomPosition();
    for (int k = 0; k < Graph::MaxNodes; ++k)
        QVERIFY(QLineF(QPointF(0, 0), g.getNode(k)->pos()).length() <= 150 + 1e-9);
    g.slot_setScalePos(100);
    g.slot_scalePosition();
    double minX = 1e9, maxX = -1e9;
    for (int k = 0; k < Graph::MaxNodes; ++k) {
        minX = std::min(minX, g.getNode(k)->x());
        maxX = std::max(maxX, g.getNode(k)->x());
    }
    QVERIFY(std::fabs(minX + 50) < 1e-9);
    QVERIFY(std::fabs(maxX - 50) < 1e-9);
    // All items on one point: no division by zero.
    for (int k = 0; k < Graph::MaxNodes; ++k)
        g.getNode(k)->setPos(3, 3);
    g.slot_scalePosition();
    QVERIFY(std::isfinite(g.getNode(0)->x()));
}

void TestGraphView::redrawTimerMessages()
{
    Graph g("graph", true);
    QSignalSpy console(&g, &Graph::signal_console);
    g.optimizationStarts();
    QVERIFY(g.displayTimerRuns());
    QCOMPARE(console.count(), 2);
    QCOMPARE(console.at(0).at(0).toString(), QString("Graph Start timer 0"));
    QVERIFY(console.at(1).at(0).toString().endsWith(" started."));
    QCOMPARE(console.at(1).at(1).toBool(), true);
    g.optimizationStarts();
    QCOMPARE(console.count(), 3);
    g.optimizationStops();
    QVERIFY(!g.displayTimerRuns());
    QVERIFY(console.at(3).at(0).toString().startsWith("Graph Kill timer "));
    g.toggleAnim();
    QVERIFY(g.animationRuns());
    g.toggleAnim();
    QVERIFY(!g.animationRuns());
}

void TestGraphView::refreshSlotBumpsIdentifier()
{
    Graph g("graph", true);
    QSignalSpy spy(&g, &Graph::signal_interactive_graph_changed);
    const int id = g.getID();
    g.slot_update();
    QCOMPARE(g.getID(), id + 1);
    QCOMPARE(spy.count(), 1);
}

QTEST_MAIN(TestGraphView)
#include "tst_graphview.moc"
