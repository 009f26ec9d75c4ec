#include "ExplorerSides.h"
#include "ScriptedDialogs.h"
#include "app/ImageResources.h"
#include "explorer/PlotItem.h"
#include "explorer/PlotView.h"

#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QToolBar>
#include <QtTest>

namespace {
QStringList entries(QComboBox *c)
{
    QStringList all;
    for (int k = 0; k < c->count(); ++k)
        all << c->itemText(k);
    return all;
}

const QStringList Catalogue = {"4 110011", "5 1100110011", "3 111", "4 111111"};
} // namespace

class TestExplorerWindow : public QObject
{
    Q_OBJECT

private slots:
    void layoutAtStartUp();
    void combosFollowRebuilds_data();
    void combosFollowRebuilds();
    void spinRanges_data();
    void spinRanges();
    void plotFollowsControls();
    void doubleClickLoadsGraph();
    void busyStates_data();
    void busyStates();
    void toolBarAndToggle();
    void screenshot();
};

void TestExplorerWindow::layoutAtStartUp()
{
    ExplorerSides e({"ORDER", "WIENER"});
    QVERIFY(e.window.isHidden());
    QCOMPARE(e.window.windowTitle(), QString("Properties explorer"));
    QCOMPARE(e.window.outerTabs()->tabText(0), QString("Graph-values"));
    QCOMPARE(e.window.outerTabs()->tabText(1), QString("Vertex-values"));
    for (auto side : {ExplorerWindow::GraphSide, ExplorerWindow::VertexSide}) {
        QTabWidget *tabs = e.window.innerTabs(side);
        QCOMPARE(tabs->count(), 4);
        QCOMPARE(tabs->tabText(0) + tabs->tabText(1) + tabs->tabText(2) + tabs->tabText(3),
                 QString("FilterTable viewX-Y PlotConjectures"));
        QCOMPARE(entries(e.window.xCombo(side)), QStringList{"NONE"});
        QCOMPARE(entries(e.window.yCombo(side)), QStringList{"NONE"});
    }
    QCOMPARE(e.window.innerTabs(ExplorerWindow::GraphSide)->widget(1), e.g);
    QVERIFY(e.gPlot->points().isEmpty() && e.vPlot->points().isEmpty());
    // The conjecture panel is placed later, in its own tab.
    QWidget *panel = new QWidget;
    e.window.setConjectureWidget(ExplorerWindow::VertexSide, panel);
    QCOMPARE(e.window.innerTabs(ExplorerWindow::VertexSide)->widget(3), panel);
    QCOMPARE(e.window.innerTabs(ExplorerWindow::VertexSide)->tabText(3), QString("Conjectures"));
}

void TestExplorerWindow::combosFollowRebuilds_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QStringList>("graphColumns");
    QTest::addColumn<QStringList>("vertexColumns");
    QTest::newRow("graph values") << QStringList{"ORDER", "WIENER"} << QStringList{"ORDER", "WIENER"}
                                  << QStringList{"ORDER", "WIENER"};
    QTest::newRow("node value") << QStringList{"ORDER", "DEGREES:node"}
                                << QStringList{"ORDER", "DEGREES[1]", "DEGREES[2]", "DEGREES[3]", "DEGREES[4]",
                                               "DEGREES[5]"}
                                << QStringList{"ORDER", "DEGREES"};
}

void TestExplorerWindow::combosFollowRebuilds()
{
    QFETCH(QStringList, keys);
    QFETCH(QStringList, graphColumns);
    QFETCH(QStringList, vertexColumns);
    ExplorerSides e(keys);
    for (const QString &t : Catalogue)
        e.add(t);
    QCoreApplication::processEvents();
    QCOMPARE(entries(e.window.xCombo(ExplorerWindow::GraphSide)), QStringList{"NONE"} + graphColumns);
    QCOMPARE(entries(e.window.yCombo(ExplorerWindow::GraphSide)), QStringList{"NONE"} + graphColumns);
    QCOMPARE(entries(e.window.xCombo(ExplorerWindow::VertexSide)), QStringList{"NONE"} + vertexColumns);
    QCOMPARE(entries(e.window.yCombo(ExplorerWindow::VertexSide)), QStringList{"NONE"} + vertexColumns);
    QCOMPARE(e.gFilter->getVariables(), graphColumns);
    QCOMPARE(e.vFilter->getVariables(), vertexColumns);
    // A rebuild with a drawn plot leaves both combos on "NONE" and the plot empty.
    e.window.xCombo(ExplorerWindow::GraphSide)->setCurrentIndex(1);
    e.window.yCombo(ExplorerWindow::GraphSide)->setCurrentIndex(2);
    QCOMPARE(e.gPlot->points().size(), Catalogue.size());
    e.window.rebuildAction()->trigger();
    QCoreApplication::processEvents();
    QCOMPARE(e.window.xCombo(ExplorerWindow::GraphSide)->currentIndex(), 0);
    QCOMPARE(e.window.yCombo(ExplorerWindow::GraphSide)->currentIndex(), 0);
    QVERIFY(e.gPlot->points().isEmpty());
    QCOMPARE(entries(e.window.xCombo(ExplorerWindow::GraphSide)), QStringList{"NONE"} + graphColumns);
    // A rebuild of the vertex table alone does not touch its combos or plot.
    e.window.xCombo(ExplorerWindow::VertexSide)->setCurrentIndex(1);
    e.window.yCombo(ExplorerWindow::VertexSide)->setCurrentIndex(2);
    const int vertexPoints = e.vPlot->points().size();
    QCOMPARE(vertexPoints, e.vTable->nbRows());
    e.v->slot_update_table();
    QCoreApplication::processEvents();
    QCOMPARE(e.window.xCombo(ExplorerWindow::VertexSide)->currentIndex(), 1);
    QCOMPARE(e.vPlot->points().size(), vertexPoints);
}

void TestExplorerWindow::spinRanges_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<double>("start");
    QTest::newRow("point size") << "size" << 1.0 << 100.0 << 20.0;
    QTest::newRow("x scale") << "x" << 0.1 << 5000.0 << 10.0;
    QTest::newRow("y scale") << "y" << 0.1 << 5000.0 << 10.0;
}

void TestExplorerWindow::spinRanges()
{
    QFETCH(QString, which);
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(double, start);
    ExplorerSides e({"ORDER"});
    for (auto side : {ExplorerWindow::GraphSide, ExplorerWindow::VertexSide}) {
        QDoubleSpinBox *s = which == "size" ? e.window.sizeSpin(side)
                            : which == "x"  ? e.window.xScaleSpin(side)
                                            : e.window.yScaleSpin(side);
        QCOMPARE(s->value(), start);
        QCOMPARE(s->decimals(), 2);
        QCOMPARE(s->singleStep(), 1.0);
        s->setValue(minimum / 2);
        QCOMPARE(s->value(), minimum);
        s->setValue(maximum * 2);
        QCOMPARE(s->value(), maximum);
    }
}

void TestExplorerWindow::plotFollowsControls()
{
    ExplorerSides e({"ORDER", "WIENER"});
    for (const QString &t : Catalogue)
        e.add(t);
    QCoreApplication::processEvents();
    const auto G = ExplorerWindow::GraphSide;
    e.window.xCombo(G)->setCurrentIndex(1);
    QVERIFY(e.gPlot->points().isEmpty());
    e.window.yCombo(G)->setCurrentIndex(2);
    // C4 (order 4, Wiener 8) at scale 10 is point 0.
    QCOMPARE(e.gPlot->points()[0]->pos(), QPointF(40, -80));
    // A spin box draws once its changes pause: typing "30" draws once, with 30.
    e.window.xScaleSpin(G)->selectAll();
    QTest::keyClicks(e.window.xScaleSpin(G), "30");
    QCOMPARE(e.window.xScaleSpin(G)->value(), 30.0);
    // Not drawn with 3 on the way: the point has not moved yet.
    QCOMPARE(e.gPlot->points()[0]->pos(), QPointF(40, -80));
    QTRY_COMPARE(e.gPlot->points()[0]->pos(), QPointF(120, -80));
    e.window.xScaleSpin(G)->setValue(2);
    QTRY_COMPARE(e.gPlot->points()[0]->pos(), QPointF(8, -80));
    e.window.sizeSpin(G)->setValue(5);
    QTRY_COMPARE(e.gPlot->points()[0]->boundingRect(), QRectF(-7, -7, 15, 15));
    // A turned cloud is drawn anew when the inner tab changes.
    e.gPlot->view()->rotate(0.5, 0, 0);
    e.window.innerTabs(G)->setCurrentIndex(2);
    QCOMPARE(e.gPlot->points()[0]->pos(), QPointF(8, -80));
    QCOMPARE(e.gPlot->points().size(), Catalogue.size());
}

void TestExplorerWindow::doubleClickLoadsGraph()
{
    ExplorerSides e({"ORDER", "WIENER"});
    for (const QString &t : Catalogue)
        e.add(t);
    QCoreApplication::processEvents();
    const auto V = ExplorerWindow::VertexSide;
    e.window.outerTabs()->setCurrentIndex(1);
    e.window.innerTabs(V)->setCurrentIndex(2);
    e.window.xCombo(V)->setCurrentIndex(1);
    e.window.yCombo(V)->setCurrentIndex(2);
    e.window.resize(900, 700);
    e.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&e.window));
    // Graph 1 (C5) has five vertex points, all at one place; a double click on them loads it.
    PlotItem *target = nullptr;
    for (PlotItem *p : e.vPlot->points())
        if (p->getNumber() == 1)
            target = p;
    QVERIFY(target);
    PlotView *view = e.vPlot->view();
    view->centerOn(target);
    const QPoint at = view->mapFromScene(target->scenePos());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QCOMPARE(e.board.graph.graphData(), Catalogue[1]);
    int blue = 0;
    for (PlotItem *p : e.vPlot->points()) {
        QCOMPARE(p->isHilighted(), p->getNumber() == 1);
        blue += p->isHilighted();
    }
    QCOMPARE(blue, 5);
    QCOMPARE(e.vTable->currentRow() >= 0, true);
    QCOMPARE(e.vTable->graphNo(e.vTable->currentRow()), 1);
}

void TestExplorerWindow::busyStates_data()
{
    QTest::addColumn<bool>("optimising");
    QTest::addColumn<bool>("loading");
    QTest::newRow("idle") << false << false;
    QTest::newRow("optimisation") << true << false;
    QTest::newRow("load") << false << true;
}

void TestExplorerWindow::busyStates()
{
    QFETCH(bool, optimising);
    QFETCH(bool, loading);
    ExplorerSides e({"ORDER"});
    e.window.slot_opt_running(optimising);
    if (loading)
        QMetaObject::invokeMethod(&e.loader, "started", Qt::DirectConnection);
    const bool busy = optimising || loading;
    QCOMPARE(e.window.isBusy(), busy);
    QCOMPARE(e.window.innerTabs(ExplorerWindow::GraphSide)->isEnabled(), !busy);
    QCOMPARE(e.window.innerTabs(ExplorerWindow::VertexSide)->isEnabled(), !busy);
    QCOMPARE(e.window.clearAction()->isEnabled(), !busy);
    QCOMPARE(e.window.rebuildAction()->isEnabled(), !busy);
    for (const char *text : {"Load", "Update", "Clear", "Delete"})
        QCOMPARE(e.window.pageButton(text)->isEnabled(), !busy);
    // Exports only read the stored graphs: they stay available.
    QVERIFY(e.window.pageButton("Save all graphs")->isEnabled());
    e.window.slot_opt_running(false);
    if (loading)
        QMetaObject::invokeMethod(&e.loader, "finished", Qt::DirectConnection);
    QVERIFY(e.window.innerTabs(ExplorerWindow::GraphSide)->isEnabled());
    QVERIFY(e.window.clearAction()->isEnabled());
}

void TestExplorerWindow::toolBarAndToggle()
{
    ExplorerSides e({"ORDER"});
    QAction run("Run", nullptr), halt("Halt", nullptr), board("White board", nullptr), graph("Graph", nullptr);
    e.window.setShellActions(&run, &halt, &board, &graph);
    QStringList texts;
    for (QAction *a : e.window.toolBar()->actions())
        texts << (a->isSeparator() ? QString("|") : a->text());
    QCOMPARE(texts, QStringList({"Close", "|", "Run", "Halt", "Clear database", "Rebuild database", "|",
                                 "White board", "Graph"}));
    QCOMPARE(e.window.toolBar()->windowTitle(), QString("Analyst"));
    e.window.slot_show_analyst();
    QVERIFY(e.window.isVisible());
    e.window.closeAction()->trigger();
    QVERIFY(e.window.isHidden());
    // "Clear database" empties both panels and tells the shell.
    e.add("3 111");
    QSignalSpy cleared(&e.window, &ExplorerWindow::signal_database_cleared);
    e.window.clearAction()->trigger();
    QCOMPARE(cleared.count(), 1);
    QVERIFY(e.g->getGraphs().isEmpty() && e.v->getGraphs().isEmpty());
}

// ORDER against WIENER for a graph list named by ORV_SCREENSHOT_LIST, drawn into the file
// named by ORV_SCREENSHOT (docs/explorer.png is made this way).
void TestExplorerWindow::screenshot()
{
    const QString list = qEnvironmentVariable("ORV_SCREENSHOT_LIST");
    const QString out = qEnvironmentVariable("ORV_SCREENSHOT");
    if (list.isEmpty() || out.isEmpty())
        QSKIP("ORV_SCREENSHOT and ORV_SCREENSHOT_LIST name no picture to make");
    ImageResources::init();
    ExplorerSides e({"ORDER", "WIENER"});
    // The shell's own actions, as it adds them.
    QAction run(QIcon(":/src/images/run.png"), "Run", nullptr), halt(QIcon(":/src/images/halt.png"), "Halt", nullptr);
    QAction board(QIcon(":/src/images/problem.png"), "White board", nullptr);
    QAction graph(QIcon(":/src/images/graph.png"), "Graph", nullptr);
    e.window.setShellActions(&run, &halt, &board, &graph);
    ScriptedDialogs dialogs;
    dialogs.fileNames << list;
    QSignalSpy done(e.g, &AnalystWidget::signal_data_loaded);
    e.g->slot_load_data();
    QVERIFY(done.wait(60000));
    QCoreApplication::processEvents();
    const auto G = ExplorerWindow::GraphSide;
    e.window.innerTabs(G)->setCurrentIndex(2);
    e.window.xCombo(G)->setCurrentIndex(1);
    e.window.yCombo(G)->setCurrentIndex(2);
    e.window.sizeSpin(G)->setValue(4);
    e.window.xScaleSpin(G)->setValue(60);
    e.window.yScaleSpin(G)->setValue(4);
    QVERIFY(!e.gPlot->points().isEmpty());
    e.window.resize(1000, 760);
    e.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&e.window));
    e.gPlot->view()->fitInView(e.gPlot->view()->scene()->itemsBoundingRect(), Qt::KeepAspectRatio);
    QVERIFY(e.window.grab().save(out));
}

QTEST_MAIN(TestExplorerWindow)
#include "tst_explorerwindow.moc"
