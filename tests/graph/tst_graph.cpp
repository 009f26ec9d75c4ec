#include "graph/Graph.h"
#include "graph/Node.h"

#include <QSignalSpy>
#include <QtTest>
#include <algorithm>

namespace {
// Makes g the graph on `count` vertices with the given edges, as a caller of the model would.
void build(Graph &g, int count, const QVector<QPair<int, int>> &edges)
{
    g.randomGraph(count);
    for (int i = 0; i < count; ++i)
        for (int j = i + 1; j < count; ++j)
            g.remEdge(i, j);
    for (const auto &e : edges)
        g.addEdge(e.first, e.second);
}

QVector<int> degrees(Graph &g)
{
    QVector<int> d;
    for (int i = 0; i < g.getNbNodes(); ++i) {
        int k = 0;
        for (int j = 0; j < g.getNbNodes(); ++j)
            k += g.edge(i, j);
        d.append(k);
    }
    std::sort(d.begin(), d.end());
    return d;
}
} // namespace

class TestGraph : public QObject
{
    Q_OBJECT

private slots:
    void newGraphIsRandomOnTenVertices()
    {
        Graph g("G", false);
        QCOMPARE(g.getNbNodes(), 10);
        QCOMPARE(g.getBestNbNodes(), 10);
        QCOMPARE(g.getBestID(), g.getID());
        QCOMPARE(g.graphData(), g.currentGraphData());
        for (int i = 0; i < 32; ++i)
            QCOMPARE(g.getNode(i)->getExists(), i < 10);
    }

    void identifierRules()
    {
        Graph g("G", false);
        build(g, 6, {{0, 1}});
        int id = g.getID();
        QVERIFY(!g.addEdge(3, 3));
        QCOMPARE(g.getID(), id + 1);
        QVERIFY(!g.remEdge(0, 5));
        QCOMPARE(g.getID(), id + 2);
        QVERIFY(!g.remEdge(40, 1));
        QCOMPARE(g.getID(), id + 2);
        QVERIFY(g.addEdge(0, 5));
        QCOMPARE(g.getID(), id + 3);

        id = g.getID();
        g.toggleEdge(1, 2);
        g.invert();
        g.invert();
        g.relabel();
        QCOMPARE(g.getID(), id);

        g.clear();
        QCOMPARE(g.getID(), id + 496);
        QCOMPARE(g.getNbNodes(), 0);

        id = g.getID();
        QVERIFY(g.addNode());
        QCOMPARE(g.getID(), id + 1);
        QVERIFY(g.addNode());
        id = g.getID();
        QVERIFY(g.remNode());
        QCOMPARE(g.getID(), id + 2); // one remEdge for the removed vertex's pair, then + 1

        id = g.getID();
        g.changeBest();
        QCOMPARE(g.getID(), id + 1);
        QCOMPARE(g.getBestID(), id + 1);

        id = g.getID();
        g.slot_relabel();
        QCOMPARE(g.getID(), id + 1);

        Graph other("O", false);
        id = g.getID();
        g.copy(&other);
        QCOMPARE(g.getID(), id + 1);
        id = g.getID();
        g.copy(&g); // onto itself: no deadlock
        QCOMPARE(g.getID(), id + 1);
    }

    void identifierWrapsWithoutOverflow()
    {
        Graph g("G", false);
        // Drive the identifier past INT_MAX; only equality matters and nothing may trap.
        g.best_backup();
        for (int k = 0; k < 5; ++k)
            g.clear();
        const int before = g.getID();
        for (int k = 0; k < 10; ++k)
            g.addEdge(0, 0);
        QCOMPARE(g.getID(), int(unsigned(before) + 10u));
    }

    void bestRestoreGivesBackBackup()
    {
        Graph g("G", false);
        build(g, 5, {{0, 1}, {1, 2}});
        g.best_backup();
        const QString text = g.graphData();
        const int id = g.getID();
        g.addEdge(3, 4);
        g.addNode();
        g.best_restore();
        QCOMPARE(g.getID(), id);
        QCOMPARE(g.getNbNodes(), 5);
        QCOMPARE(g.currentGraphData(), text);
    }

    void edgeBounds()
    {
        Graph g("G", false);
        build(g, 5, {});
        QVERIFY(!g.addEdge(2, 7));
        g.toggleEdge(2, 7);
        QVERIFY(g.remEdge(2, 7)); // removal reaches beyond n, up to 31
        QVERIFY(!g.remEdge(2, 7));

        g.toggleEdge(1, 2);
        QVERIFY(g.edge(1, 2));
        QVERIFY(g.edge(2, 1));
        QCOMPARE(g.getNbEdges(), 1);
        g.toggleEdge(1, 2);
        g.toggleEdge(2, 1);
        QVERIFY(g.edge(1, 2));
        QCOMPARE(g.getNbEdges(), 0); // only entries above the diagonal count
        g.toggleEdge(32, 0);         // ignored, and the lock is free afterwards
        QVERIFY(g.edge(1, 2));
        QVERIFY(!g.edge(-1, 2));
        QVERIFY(!g.edge(2, 2));
    }

    void invertTwiceRestores_data()
    {
        QTest::addColumn<int>("n");
        QTest::newRow("0") << 0;
        QTest::newRow("1") << 1;
        QTest::newRow("7") << 7;
        QTest::newRow("32") << 32;
    }
    void invertTwiceRestores()
    {
        QFETCH(int, n);
        Graph g("G", false);
        g.randomGraph(n);
        const QString text = g.currentGraphData();
        const int m = g.getNbEdges();
        const int id = g.getID();
        g.invert();
        QCOMPARE(g.getNbEdges(), n * (n - 1) / 2 - m);
        for (int i = 0; i < n; ++i)
            QVERIFY(!g.edge(i, i));
        g.invert();
        QCOMPARE(g.currentGraphData(), text);
        QCOMPARE(g.getID(), id);
        QCOMPARE(g.getNbNodes(), n);
    }

    void relabelKeepsDegrees()
    {
        for (int n : {1, 2, 5, 17, 32}) {
            Graph g("G", false);
            g.randomGraph(n);
            const QVector<int> before = degrees(g);
            const int m = g.getNbEdges();
            g.relabel();
            QCOMPARE(degrees(g), before);
            QCOMPARE(g.getNbEdges(), m);
        }
    }

    void vertexLimits()
    {
        Graph g("G", false);
        g.randomGraph(40);
        QCOMPARE(g.getNbNodes(), 32);
        QVERIFY(!g.addNode());
        g.randomGraph(-3);
        QCOMPARE(g.getNbNodes(), 0);
        QVERIFY(!g.remNode());
        QVERIFY(!g.remNode(0));
        g.randomGraph(31);
        QVERIFY(g.addNode());
        QCOMPARE(g.getNbNodes(), 32);
    }

    void addNodeHasNoGhostEdges()
    {
        Graph g("G", false);
        g.loadCurrentGraph("32 " + QString(496, '1'));
        // Readers without reset leave the entries beyond the new count as they were.
        g.loadCurrentGraph("5 " + QString(10, '0'));
        QVERIFY(g.addNode());
        for (int j = 0; j < 5; ++j)
            QVERIFY(!g.edge(5, j));
        QCOMPARE(g.getNbEdges(), 0);
    }

    void remNodeRenumbers()
    {
        Graph g("G", false);
        build(g, 4, {{0, 1}, {1, 2}, {2, 3}});
        QVERIFY(g.remNode(0));
        QCOMPARE(g.getNbNodes(), 3);
        // The old vertex 3 is now vertex 0: edges {1,2} and {0,2}.
        QVERIFY(g.edge(1, 2));
        QVERIFY(g.edge(0, 2));
        QVERIFY(!g.edge(0, 1));
        QCOMPARE(g.getNbEdges(), 2);
        QVERIFY(!g.remNode(3));
        QVERIFY(g.remNode(2)); // the last vertex: no renumbering
        QCOMPARE(g.currentGraphData(), QString("2 0"));
    }

    void cloneAndCopy()
    {
        Graph g("G", false);
        build(g, 5, {{0, 4}, {1, 3}});
        Graph *c = g.clone();
        QCOMPARE(c->getName(), QString("Clone"));
        QCOMPARE(c->getNbNodes(), 5);
        QCOMPARE(c->currentGraphData(), g.currentGraphData());
        QCOMPARE(c->getBestNbNodes(), 10); // its own random start
        delete c;
    }

    void snapshotIsSymmetric()
    {
        Graph g("G", false);
        build(g, 4, {{0, 1}});
        g.toggleEdge(2, 3);
        Graph::Row rows[32];
        QCOMPARE(g.snapshot(rows), 4);
        QCOMPARE(rows[0], Graph::Row(0b0010));
        QCOMPARE(rows[1], Graph::Row(0b0001));
        QCOMPARE(rows[2], Graph::Row(0b1000));
        QCOMPARE(rows[3], Graph::Row(0b0100));
        g.invert(); // complement of an asymmetric matrix, diagonal set: snapshot hides the diagonal
        QCOMPARE(g.snapshot(rows), 4);
        for (int i = 0; i < 4; ++i)
            QVERIFY(!((rows[i] >> i) & 1u));
        g.invert();
    }

    void selectionSlotsEndTheSelection()
    {
        Graph g("G", true);
        QSignalSpy spy(&g, &Graph::signal_interactive_graph_changed);
        const int id = g.getID();
        g.slot_select_all();
        for (int i = 0; i < 32; ++i)
            QVERIFY(g.getNode(i)->isNodeSelected());
        g.slot_invert_selection();
        QVERIFY(!g.getNode(3)->isNodeSelected());
        g.getNode(3)->setSelected(true);
        g.slot_unselect_all();
        QVERIFY(!g.getNode(3)->isNodeSelected());
        QCOMPARE(spy.count(), 3);
        QCOMPARE(g.getID(), id + 3);
    }
};

QTEST_MAIN(TestGraph)
#include "tst_graph.moc"
