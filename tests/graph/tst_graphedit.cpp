#include "graph/Edge.h"
#include "graph/Graph.h"
#include "graph/Node.h"

#include "ScriptedDialogs.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QtTest>
#include <functional>

// Editing the graph by mouse and keyboard.
class TestGraphEdit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Node::initColors(); }

    void doubleClicksBuildFamilies_data();
    void doubleClicksBuildFamilies();
    void doubleClickAtFullGraphChangesNothing();
    void clickTogglesDragMoves();
    void draggingSelectedMovesAllSelected();
    void rubberBandOnlyAdds();
    void keysEmitTheirSignals_data();
    void keysEmitTheirSignals();
    void controlRefreshes();
    void controlIsReadFromTheEvent();
    void controlReleaseEmitsNothing();
    void keyAtFullGraphStillEndsTheKey();
    void keyRestoresTheBestCopy();
    void removalExample();
    void removalKeepsEdgesFollowingTheirItems();
    void removalWithNothingSelectedClearsOutside();
    void selectionEdgeSlots();
    void addvReusesSelectedItem();
    void controlPPrintsThroughTheDialog();

private:
    static Graph *makeView(const QString &text);
    static void mouse(Graph *g, QEvent::Type type, QPoint pos);
    static void key(Graph *g, QEvent::Type type, int k, Qt::KeyboardModifiers mods = Qt::NoModifier);
    static QPoint at(Graph *g, int vertex) { return g->mapFromScene(g->getNode(vertex)->pos()); }
    static QString text(int count, const std::function<bool(int, int)> &adjacent);
};

Graph *TestGraphEdit::makeView(const QString &text)
{
    Graph *g = new Graph("graph", true);
    g->resize(600, 600);
    g->setSceneRect(-300, -300, 600, 600);
    g->show();
    g->loadorv(text, true);
    g->place_circle(300);
    g->update_display();
    return g;
}

void TestGraphEdit::mouse(Graph *g, QEvent::Type type, QPoint pos)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, pos, g->viewport()->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(g->viewport(), &event);
}

void TestGraphEdit::key(Graph *g, QEvent::Type type, int k, Qt::KeyboardModifiers mods)
{
    QKeyEvent event(type, k, mods);
    QApplication::sendEvent(g, &event);
}

QString TestGraphEdit::text(int count, const std::function<bool(int, int)> &adjacent)
{
    QString t = QString::number(count) + ' ';
    for (int i = 1; i < count; ++i)
        for (int j = 0; j < i; ++j)
            t += adjacent(i, j) ? '1' : '0';
    return t;
}

void TestGraphEdit::doubleClicksBuildFamilies_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("expected");
    // Clique mode from K_2 with both selected grows K_k.
    for (int k = 3; k <= 6; ++k)
        QTest::addRow("K_%d", k) << 0 << "2 1" << k << text(k, [](int, int) { return true; });
    // Tail mode from one selected vertex grows the path P_k.
    for (int k = 2; k <= 6; ++k)
        QTest::addRow("P_%d", k) << 2 << "1 " << k << text(k, [](int i, int j) { return i == j + 1; });
    // Bipartite mode from two selected non-adjacent vertices grows K_{2,m}.
    for (int m = 1; m <= 4; ++m)
        QTest::addRow("K_2,%d", m) << 1 << "2 0" << m + 2 << text(m + 2, [](int i, int j) { return i >= 2 && j < 2; });
}

void TestGraphEdit::doubleClicksBuildFamilies()
{
    QFETCH(int, mode);
    QFETCH(QString, start);
    QFETCH(int, count);
    QFETCH(QString, expected);
    QScopedPointer<Graph> g(makeView(start));
    // Select the starting vertices by clicking them.
    for (int v = 0; v < g->getNbNodes(); ++v) {
        mouse(g.data(), QEvent::MouseButtonPress, at(g.data(), v));
        mouse(g.data(), QEvent::MouseButtonRelease, at(g.data(), v));
        QVERIFY(g->getNode(v)->isNodeSelected());
    }
    if (mode == 1)
        g->slot_set_add_bip();
    else if (mode == 2)
        g->slot_set_add_tail();
    QSignalSpy best(g.data(), &Graph::signal_best_graph_changed);
    const int additions = count - g->getNbNodes();
    for (int a = 0; a < additions; ++a) {
        const QPoint p(20 + 40 * a, 500);
        mouse(g.data(), QEvent::MouseMove, p);
        mouse(g.data(), QEvent::MouseButtonDblClick, p);
        // The new vertex stands under the cursor.
        const int v = g->getNbNodes() - 1;
        QVERIFY(QLineF(g->getNode(v)->pos(), g->mapToScene(p)).length() < 1e-9);
    }
    QCOMPARE(best.count(), additions);
    QCOMPARE(g->graphData(), expected);
    QCOMPARE(g->currentGraphData(), expected);
}

void TestGraphEdit::doubleClickAtFullGraphChangesNothing()
{
    QScopedPointer<Graph> g(makeView(text(32, [](int, int) { return false; })));
    const QString before = g->graphData();
    const int id = g->getID();
    mouse(g.data(), QEvent::MouseButtonDblClick, QPoint(10, 10));
    QCOMPARE(g->getNbNodes(), 32);
    QCOMPARE(g->graphData(), before);
    QCOMPARE(g->getID(), id);
}

void TestGraphEdit::clickTogglesDragMoves()
{
    QScopedPointer<Graph> g(makeView("3 111"));
    const QPoint p = at(g.data(), 1);
    mouse(g.data(), QEvent::MouseButtonPress, p);
    QCOMPARE(g->getLastClickedNode(), 1);
    mouse(g.data(), QEvent::MouseButtonRelease, p);
    QVERIFY(g->getNode(1)->isNodeSelected());
    mouse(g.data(), QEvent::MouseButtonPress, p);
    mouse(g.data(), QEvent::MouseButtonRelease, p);
    QVERIFY(!g->getNode(1)->isNodeSelected());

    const QPoint target(300, 300);
    mouse(g.data(), QEvent::MouseButtonPress, p);
    mouse(g.data(), QEvent::MouseMove, target);
    mouse(g.data(), QEvent::MouseButtonRelease, target);
    QVERIFY(!g->getNode(1)->isNodeSelected());
    QCOMPARE(g->getNode(1)->pos(), g->mapToScene(target));
    QCOMPARE(g->getNode(1)->getCoordZ(), 0.0);
    // The edges follow the moved vertex.
    QCOMPARE(g->getEdgeItem(1, 0)->getSourcePoint(), g->getNode(1)->pos());
}

void TestGraphEdit::draggingSelectedMovesAllSelected()
{
    QScopedPointer<Graph> g(makeView("3 000"));
    g->getNode(0)->setSelected(true);
    g->getNode(2)->setSelected(true);
    const QPointF before0 = g->getNode(0)->pos(), before1 = g->getNode(1)->pos(), before2 = g->getNode(2)->pos();
    const QPoint grab = at(g.data(), 0);
    const QPoint drop = grab + QPoint(30, -20);
    mouse(g.data(), QEvent::MouseButtonPress, grab);
    mouse(g.data(), QEvent::MouseMove, drop);
    mouse(g.data(), QEvent::MouseButtonRelease, drop);
    const QPointF shift = g->mapToScene(drop) - before0;
    QCOMPARE(g->getNode(0)->pos(), before0 + shift);
    QCOMPARE(g->getNode(2)->pos(), before2 + shift);
    QCOMPARE(g->getNode(1)->pos(), before1);
    QVERIFY(g->getNode(0)->isNodeSelected());

    // Dragging an unselected vertex moves it alone.
    const QPoint grab1 = at(g.data(), 1);
    mouse(g.data(), QEvent::MouseButtonPress, grab1);
    mouse(g.data(), QEvent::MouseMove, grab1 + QPoint(5, 5));
    mouse(g.data(), QEvent::MouseButtonRelease, grab1 + QPoint(5, 5));
    QCOMPARE(g->getNode(0)->pos(), before0 + shift);
    QCOMPARE(g->getNode(1)->pos(), g->mapToScene(grab1 + QPoint(5, 5)));
}

void TestGraphEdit::rubberBandOnlyAdds()
{
    QScopedPointer<Graph> g(makeView("4 000000"));
    g->getNode(2)->setSelected(true);
    // A click on empty space selects and deselects nothing.
    mouse(g.data(), QEvent::MouseButtonPress, QPoint(300, 300));
    mouse(g.data(), QEvent::MouseButtonRelease, QPoint(300, 300));
    QVERIFY(g->getNode(2)->isNodeSelected());
    QVERIFY(!g->getNode(0)->isNodeSelected());
    // A band around vertex 0 only (at (150, 0) in the scene) adds it to the selection.
    const QPoint from = g->mapFromScene(QPointF(120, -30)), to = g->mapFromScene(QPointF(180, 30));
    mouse(g.data(), QEvent::MouseButtonPress, from);
    mouse(g.data(), QEvent::MouseMove, to);
    mouse(g.data(), QEvent::MouseButtonRelease, to);
    QVERIFY(g->getNode(0)->isNodeSelected());
    QVERIFY(!g->getNode(1)->isNodeSelected());
    QVERIFY(g->getNode(2)->isNodeSelected());
    QVERIFY(!g->getNode(3)->isNodeSelected());
}

void TestGraphEdit::keysEmitTheirSignals_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("signal");
    QTest::newRow("R") << int(Qt::Key_R) << "start";
    QTest::newRow("H") << int(Qt::Key_H) << "stop";
    QTest::newRow("M") << int(Qt::Key_M) << "place";
    QTest::newRow("Space") << int(Qt::Key_Space) << "next";
    QTest::newRow("Q") << int(Qt::Key_Q) << "";
}

void TestGraphEdit::keysEmitTheirSignals()
{
    QFETCH(int, k);
    QFETCH(QString, signal);
    Graph g("graph", true);
    QSignalSpy start(&g, &Graph::signal_start_vns), stop(&g, &Graph::signal_stop_vns),
        place(&g, &Graph::signal_place_graph), next(&g, &Graph::signal_load_next),
        changed(&g, &Graph::signal_interactive_graph_changed);
    const int best = g.getBestID();
    key(&g, QEvent::KeyPress, k);
    QCOMPARE(start.count(), signal == "start" ? 1 : 0);
    QCOMPARE(stop.count(), signal == "stop" ? 1 : 0);
    QCOMPARE(place.count(), signal == "place" ? 1 : 0);
    QCOMPARE(next.count(), signal == "next" ? 1 : 0);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(g.getID(), best + 1);
}

void TestGraphEdit::controlRefreshes()
{
    Graph g("graph", true);
    QSignalSpy start(&g, &Graph::signal_start_vns), changed(&g, &Graph::signal_interactive_graph_changed);
    const int best = g.getBestID();
    key(&g, QEvent::KeyPress, Qt::Key_R, Qt::ControlModifier);
    QCOMPARE(start.count(), 0);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(g.getID(), best + 2);
}

void TestGraphEdit::controlIsReadFromTheEvent()
{
    Graph g("graph", true);
    QSignalSpy start(&g, &Graph::signal_start_vns), changed(&g, &Graph::signal_interactive_graph_changed);
    // Control pressed in the view and released elsewhere: the next plain R still starts.
    key(&g, QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier);
    QCOMPARE(changed.count(), 1);
    key(&g, QEvent::KeyPress, Qt::Key_R);
    QCOMPARE(start.count(), 1);
}

void TestGraphEdit::controlReleaseEmitsNothing()
{
    Graph g("graph", true);
    QSignalSpy changed(&g, &Graph::signal_interactive_graph_changed);
    key(&g, QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier);
    const int id = g.getID();
    key(&g, QEvent::KeyRelease, Qt::Key_Control);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(g.getID(), id);
}

void TestGraphEdit::keyAtFullGraphStillEndsTheKey()
{
    QScopedPointer<Graph> g(makeView(text(32, [](int, int) { return false; })));
    QSignalSpy changed(g.data(), &Graph::signal_interactive_graph_changed);
    const int best = g->getBestID();
    key(g.data(), QEvent::KeyPress, Qt::Key_K);
    QCOMPARE(g->getNbNodes(), 32);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(g->getID(), best + 1);
}

void TestGraphEdit::keyRestoresTheBestCopy()
{
    QScopedPointer<Graph> g(makeView("3 000"));
    g->slot_select_all();
    g->loadCurrentGraph("2 1"); // current graph only
    key(g.data(), QEvent::KeyPress, Qt::Key_E, Qt::ControlModifier);
    // Control+E joins the selected vertices of the best copy, not of the loaded current graph.
    QCOMPARE(g->graphData(), QString("3 111"));
}

void TestGraphEdit::removalExample()
{
    // Edges {0,4}, {2,4}, {3,4}, {1,2}; vertices 1 and 3 selected.
    QScopedPointer<Graph> g(makeView(text(5, [](int i, int j) {
        return (i == 4 && (j == 0 || j == 2 || j == 3)) || (i == 2 && j == 1);
    })));
    g->getNode(1)->setSelected(true);
    g->getNode(3)->setSelected(true);
    QSignalSpy best(g.data(), &Graph::signal_best_graph_changed);
    key(g.data(), QEvent::KeyPress, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(best.count(), 1);
    QCOMPARE(g->getNbNodes(), 3);
    QCOMPARE(g->getNode(0)->nodeName(), QString("Node 1"));
    QCOMPARE(g->getNode(1)->nodeName(), QString("Node 5"));
    QCOMPARE(g->getNode(2)->nodeName(), QString("Node 3"));
    // Former 0-4 and 4-2 remain; 0 and 2 were never adjacent.
    QCOMPARE(g->graphData(), QString("3 101"));
    // Removed items sit above the count, hidden, still selected.
    for (int i = 3; i < 5; ++i) {
        QVERIFY(g->getNode(i)->isNodeSelected());
        QVERIFY(!g->getNode(i)->isVisible());
    }
    QVERIFY(g->getEdgeItem(1, 0)->isVisible());
    QVERIFY(!g->getEdgeItem(2, 0)->isVisible());
}

void TestGraphEdit::removalKeepsEdgesFollowingTheirItems()
{
    QScopedPointer<Graph> g(makeView("3 111"));
    g->getNode(0)->setSelected(true);
    g->slot_remv();
    // The former vertex 2 now stands at position 0; its edge item to position 1 follows it.
    QCOMPARE(g->getNode(0)->nodeName(), QString("Node 3"));
    Edge *e = g->getEdgeItem(1, 0);
    QVERIFY(e->isVisible());
    QVERIFY((e->from() == g->getNode(1) && e->to() == g->getNode(0))
            || (e->from() == g->getNode(0) && e->to() == g->getNode(1)));
    g->getNode(0)->setPosition(77, 33);
    const QPointF end = e->from() == g->getNode(0) ? e->getSourcePoint() : e->getDestPoint();
    QCOMPARE(end, QPointF(77, 33));
    QVERIFY(g->getNode(0)->edges().contains(e));
}

void TestGraphEdit::removalWithNothingSelectedClearsOutside()
{
    QScopedPointer<Graph> g(makeView("3 111"));
    g->toggleEdge(1, 5); // an entry outside the graph
    g->best_backup();
    g->slot_remv();
    QCOMPARE(g->graphData(), QString("3 111"));
    g->loadCurrentGraph("6 000000000000000");
    QVERIFY(!g->edge(1, 5));
}

void TestGraphEdit::selectionEdgeSlots()
{
    QScopedPointer<Graph> g(makeView("4 100000")); // edge {0,1}
    g->getNode(0)->setSelected(true);
    g->getNode(1)->setSelected(true);
    g->getNode(2)->setSelected(true);
    g->slot_complement();
    QCOMPARE(g->graphData(), QString("4 011000"));
    g->slot_adde();
    QCOMPARE(g->graphData(), QString("4 111000"));
    g->slot_reme();
    QCOMPARE(g->graphData(), QString("4 000000"));
    QSignalSpy changed(g.data(), &Graph::signal_interactive_graph_changed);
    g->slot_invert_selection();
    QVERIFY(g->getNode(3)->isNodeSelected() && !g->getNode(0)->isNodeSelected());
    g->slot_unselect_all();
    QVERIFY(!g->getNode(3)->isNodeSelected());
    QCOMPARE(changed.count(), 2);
}

void TestGraphEdit::addvReusesSelectedItem()
{
    QScopedPointer<Graph> g(makeView("2 0"));
    g->slot_select_all();
    g->slot_addv();
    QCOMPARE(g->getNbNodes(), 3);
    QCOMPARE(g->graphData(), QString("3 000"));
    QVERIFY(g->getNode(2)->isNodeSelected());
    QVERIFY(g->getNode(2)->isVisible());
}

void TestGraphEdit::controlPPrintsThroughTheDialog()
{
    ScriptedDialogs dialogs;
    Graph g("graph", true);
    key(&g, QEvent::KeyPress, Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(dialogs.kinds(), QStringList{"print"});
}

QTEST_MAIN(TestGraphEdit)
#include "tst_graphedit.moc"
