#include "InvariantProbe.h"
#include "NamedGraphs.h"
#include "calculus/Calculus.h"
#include "calculus/infoEDGE.h"
#include "graph/Edge.h"
#include "graph/Graph.h"
#include "graph/Node.h"

#include <QMouseEvent>
#include <QtTest>
#include <algorithm>
#include <memory>

// The girth and the highlight items: their values, and the edges they light up in the graph
// view through the board's "E_Hilights" item.
namespace {
using Pairs = QVector<QPair<int, int>>;

// The pairs i > j marked 1.0 in the value (every entry checked to be 0/1 and symmetric).
Pairs marked(Calculus *c)
{
    Pairs out;
    for (int i = 0; i < c->getNbRows(); ++i)
        for (int j = 0; j < c->getNbCols(); ++j) {
            const double x = c->entry(i, j);
            if ((x != 0.0 && x != 1.0) || x != c->entry(j, i))
                return {{-1, -1}};
            if (x == 1.0 && i > j)
                out << qMakePair(i, j);
        }
    return out;
}

QString textOf(const Graph::Row rows[Graph::MaxNodes], int n)
{
    QString bits;
    for (int i = 1; i < n; ++i)
        for (int j = 0; j < i; ++j)
            bits += ((rows[i] >> j) & 1u) ? '1' : '0';
    return QString::number(n) + ' ' + bits;
}
QString edges(int n, std::initializer_list<std::pair<int, int>> list)
{
    Graph::Row rows[Graph::MaxNodes];
    return textOf(rows, NamedGraphs::fromEdges(rows, n, list));
}
QString path(int n)
{
    Graph::Row rows[Graph::MaxNodes];
    return textOf(rows, NamedGraphs::path(rows, n));
}
QString cycle(int n)
{
    Graph::Row rows[Graph::MaxNodes];
    return textOf(rows, NamedGraphs::cycle(rows, n));
}
// The pairs in the order marked() lists them.
Pairs sorted(Pairs p)
{
    std::sort(p.begin(), p.end());
    return p;
}
Pairs pathPairs(int n)
{
    Pairs out;
    for (int i = 1; i < n; ++i)
        out << qMakePair(i, i - 1);
    return out;
}

// An interactive view of the graph, laid out so that its vertices can be pressed.
std::unique_ptr<Graph> view(const QString &text)
{
    std::unique_ptr<Graph> g(new Graph("graph", true));
    g->resize(600, 600);
    g->setSceneRect(-300, -300, 600, 600);
    g->show();
    g->loadorv(text, true);
    g->place_circle(300);
    g->update_display();
    return g;
}
void press(Graph *g, int vertex)
{
    const QPoint at = g->mapFromScene(g->getNode(vertex)->pos());
    QMouseEvent down(QEvent::MouseButtonPress, at, g->viewport()->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(g->viewport(), &down);
    QMouseEvent up(QEvent::MouseButtonRelease, at, g->viewport()->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                   Qt::NoModifier);
    QApplication::sendEvent(g->viewport(), &up);
}
} // namespace

Q_DECLARE_METATYPE(Pairs)

class TestHighlightItems : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Node::initColors(); }

    void girth_data()
    {
        QTest::addColumn<QString>("graph");
        QTest::addColumn<double>("girth");
        QTest::addColumn<bool>("error");
        QTest::addColumn<Pairs>("cycle");
        QTest::newRow("triangle") << cycle(3) << 3.0 << false << Pairs{{1, 0}, {2, 1}, {2, 0}};
        for (int n = 4; n <= 32; n += 7)
            QTest::newRow(qPrintable(QString("C%1").arg(n)))
                << cycle(n) << double(n) << false << (pathPairs(n) << qMakePair(n - 1, 0));
        // The first of the two triangles met: the one through root 0 and vertex 1.
        QTest::newRow("C4 with chord 0-2") << edges(4, {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {0, 2}}) << 3.0 << false
                                           << Pairs{{1, 0}, {2, 1}, {2, 0}};
        Graph::Row rows[Graph::MaxNodes];
        QTest::newRow("Petersen") << textOf(rows, NamedGraphs::petersen(rows)) << 5.0 << false
                                  << Pairs{{1, 0}, {2, 1}, {3, 2}, {4, 3}, {4, 0}};
        // Trees: no cycle, 1e12 in error, nothing marked.
        QTest::newRow("path P6") << path(6) << 1e12 << true << Pairs();
        QTest::newRow("star K1,4") << edges(5, {{0, 1}, {0, 2}, {0, 3}, {0, 4}}) << 1e12 << true << Pairs();
        QTest::newRow("one vertex") << "1 " << 1e12 << true << Pairs();
        QTest::newRow("no vertex") << "0 " << 1e12 << true << Pairs();
        // A cycle in one component: kept, with the error flag of a disconnected graph.
        QTest::newRow("triangle and an edge") << edges(5, {{2, 3}, {3, 4}, {2, 4}, {0, 1}}) << 3.0 << true
                                              << Pairs{{3, 2}, {4, 3}, {4, 2}};
    }
    void girth()
    {
        QFETCH(QString, graph);
        QFETCH(double, girth);
        QFETCH(bool, error);
        QFETCH(Pairs, cycle);
        InvariantProbe probe;
        probe.setGraphText(graph);
        QCOMPARE(probe.scalar("GIRTH"), girth);
        QCOMPARE(probe.compute("GIRTH")->getError(), error);
        Calculus *in = probe.compute("INGIRTH");
        QCOMPARE(in->getError(), error);
        QCOMPARE(in->getNbRows(), probe.graph().getNbNodes());
        QCOMPARE(marked(in), sorted(cycle));
    }

    // A tree after a graph with a cycle: no mark of the earlier cycle is left.
    void noCycleLeavesNoMark()
    {
        InvariantProbe probe;
        probe.setGraphText(cycle(5));
        QCOMPARE(marked(probe.compute("INGIRTH")).size(), 5);
        probe.setGraphText(path(5));
        QCOMPARE(marked(probe.compute("INGIRTH")), Pairs());
    }

    void diameterPath_data()
    {
        QTest::addColumn<QString>("graph");
        QTest::addColumn<bool>("error");
        QTest::addColumn<Pairs>("path");
        QTest::addColumn<int>("rows");
        QTest::newRow("P4") << path(4) << false << pathPairs(4) << 4;
        QTest::newRow("P17") << path(17) << false << pathPairs(17) << 17;
        // The path 0-1-2-3 with 4 hanging at 1: from 0, the first vertex at distance 3 is 3.
        QTest::newRow("caterpillar") << edges(5, {{0, 1}, {1, 2}, {2, 3}, {1, 4}}) << false << pathPairs(4) << 5;
        // Relabelled path 2-0-3-1: vertex 1's eccentricity is 3 and 2 is the first at 3.
        QTest::newRow("P4 relabelled") << edges(4, {{2, 0}, {0, 3}, {3, 1}}) << false
                                       << Pairs{{2, 0}, {3, 0}, {3, 1}} << 4;
        QTest::newRow("K5") << InvariantProbe::completeGraphText(5) << false << Pairs{{1, 0}} << 5;
        QTest::newRow("one vertex") << "1 " << false << Pairs() << 1;
        QTest::newRow("no vertex") << "0 " << false << Pairs() << 0;
        QTest::newRow("two edges") << edges(4, {{0, 1}, {2, 3}}) << true << Pairs() << 0;
    }
    void diameterPath()
    {
        QFETCH(QString, graph);
        QFETCH(bool, error);
        QFETCH(Pairs, path);
        QFETCH(int, rows);
        InvariantProbe probe;
        probe.setGraphText(graph);
        Calculus *c = probe.compute("INDIAMETER");
        QCOMPARE(c->getError(), error);
        QCOMPARE(c->getNbRows(), rows);
        QCOMPARE(c->getNbCols(), rows);
        QCOMPARE(marked(c), sorted(path));
    }

    // INPCC: the breadth-first tree from the vertex last pressed in the view.
    void treeFromPressedVertex_data()
    {
        QTest::addColumn<QString>("graph");
        QTest::addColumn<int>("pressed"); // -1: no press
        QTest::addColumn<bool>("error");
        QTest::addColumn<Pairs>("tree");
        QTest::newRow("P3 from 2") << path(3) << 2 << false << Pairs{{1, 0}, {2, 1}};
        QTest::newRow("P3, no press: from 0") << path(3) << -1 << false << Pairs{{1, 0}, {2, 1}};
        // From 3 on the 4-cycle: 0 and 2 first, then 1, reached from 0, the first in the queue.
        QTest::newRow("C4 from 3") << cycle(4) << 3 << false << Pairs{{1, 0}, {3, 2}, {3, 0}};
        QTest::newRow("two components from 3") << edges(5, {{0, 1}, {2, 3}, {3, 4}}) << 3 << true
                                               << Pairs{{3, 2}, {4, 3}};
    }
    void treeFromPressedVertex()
    {
        QFETCH(QString, graph);
        QFETCH(int, pressed);
        QFETCH(bool, error);
        QFETCH(Pairs, tree);
        std::unique_ptr<Graph> g = view(graph);
        if (pressed >= 0)
            press(g.get(), pressed);
        QCOMPARE(g->getLastClickedNode(), std::max(pressed, 0));
        std::unique_ptr<Calculus> c(BuildCalculus().makeCalculus("INPCC", false));
        c->setGraph(g.get());
        c->compute(true);
        QCOMPARE(c->getError(), error);
        QCOMPARE(marked(c.get()), sorted(tree));
    }

    // A pressed vertex that the graph no longer has: nothing marked, no error.
    void pressedVertexRemoved()
    {
        std::unique_ptr<Graph> g = view(path(4));
        press(g.get(), 3);
        g->loadCurrentGraph(path(3));
        std::unique_ptr<Calculus> c(BuildCalculus().makeCalculus("INPCC", false));
        c->setGraph(g.get());
        c->compute(true);
        QVERIFY(!c->getError());
        QCOMPARE(c->getNbRows(), 3);
        QCOMPARE(marked(c.get()), Pairs());
    }

    // The road to the view: item, "E_Hilights" edge information item, Graph::setEHilight.
    void viewShowsTheMarks_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("graph");
        QTest::addColumn<Pairs>("lit");
        // Triangle 0-1-2 with the pendant edge 2-3: only the triangle lights up.
        QTest::newRow("girth cycle of a triangle with a pendant edge")
            << "INGIRTH" << edges(4, {{0, 1}, {1, 2}, {0, 2}, {2, 3}}) << Pairs{{1, 0}, {2, 1}, {2, 0}};
        QTest::newRow("diameter path of P6") << "INDIAMETER" << path(6) << pathPairs(6);
        QTest::newRow("diameter path of a caterpillar")
            << "INDIAMETER" << edges(6, {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {2, 5}}) << pathPairs(5);
    }
    void viewShowsTheMarks()
    {
        QFETCH(QString, key);
        QFETCH(QString, graph);
        QFETCH(Pairs, lit);
        std::unique_ptr<Graph> g = view(graph);
        std::unique_ptr<Calculus> item(BuildCalculus().makeCalculus(key, false));
        infoEDGE info("E_Hilights", false);
        item->setGraph(g.get());
        info.setGraph(g.get());
        info.setArg1(item.get());
        item->compute(true);
        QVERIFY(info.compute(true));
        QVERIFY(!info.getError());
        g->setEHilight(info.getZ(), true);
        const int n = g->getNbNodes();
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < i; ++j) {
                if (!g->edge(i, j))
                    continue;
                QVERIFY2(g->getEdgeItem(i, j)->isHilighted() == lit.contains(qMakePair(i, j)),
                         qPrintable(QString("edge %1-%2").arg(i).arg(j)));
            }
        // Switched off, nothing stays lit.
        g->setEHilight(info.getZ(), false);
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < i; ++j)
                if (g->edge(i, j))
                    QVERIFY(!g->getEdgeItem(i, j)->isHilighted());
    }

    void helpTexts()
    {
        BuildCalculus b;
        std::unique_ptr<Calculus> girth(b.makeCalculus("GIRTH", false));
        QCOMPARE(girth->getDescription(), QString("Girth, the size of the smallest cycle in the graph."));
        std::unique_ptr<Calculus> diameter(b.makeCalculus("INDIAMETER", false));
        QCOMPARE(diameter->getLatexDescription(), QString("Edges belonging to the diameter of the graph."));
    }
};

QTEST_MAIN(TestHighlightItems)
#include "tst_highlightitems.moc"
