#include "app/MainWidget.h"
#include "app/MainWindow.h"
#include "calculus/Calculus.h"
#include "calculus/CalculusDisplay.h"
#include "conjectures/ConjectureWidget.h"
#include "explorer/Analyst.h"
#include "explorer/AnalystWidget.h"
#include "explorer/ExplorerWindow.h"
#include "explorer/PlotItem.h"
#include "explorer/PlotWidget.h"
#include "optimizer/VNS.h"
#include "optimizer/VNSManager.h"
#include "problem/Problem.h"
#include "Await.h"
#include "ScriptedDialogs.h"
#include "ShellProbe.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolBox>
#include <QPushButton>
#include <QtTest>

// The first problem of a new user, from the white board to the explorer's plot, driven
// through the shell's actions, menus and inspector only.
class TestFirstProblem : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void longestPathsReachTheExplorer();

private:
    Calculus *addAt(const QString &key, QPointF at);
    void clickItem(Calculus *item);
    void snap(QWidget *window, const QString &name);

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    QPointer<MainWindow> window;
    MainWidget *w = nullptr;
    // Where the pictures of each step go, when asked for (scripts/screenshots.sh).
    QString shots;
};

void TestFirstProblem::initTestCase()
{
    QVERIFY(dir.isValid());
    shots = qEnvironmentVariable("ORV_SCREENSHOTS");
    if (!shots.isEmpty())
        shots = QDir(shots).absolutePath();
    startShellIn(dir.path());
    window = new MainWindow;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    w = window->main_widget;
}

void TestFirstProblem::cleanupTestCase()
{
    delete window;
}

// A right click on the board at the given scene point, then the menu entry of that key.
Calculus *TestFirstProblem::addAt(const QString &key, QPointF at)
{
    const QPoint click = w->problem->mapFromScene(at);
    QSet<Calculus *> before;
    for (const QVector<Calculus *> *l : {&w->problem->calculationList(), &w->problem->objectiveList(),
                                         &w->problem->constraintList()})
        for (Calculus *c : *l)
            before.insert(c);
    emit w->problem->customContextMenuRequested(click);
    w->menu_add_component->hide();
    QAction *entry = nullptr;
    QList<QMenu *> menus{w->menu_add_component};
    while (!menus.isEmpty() && !entry)
        for (QAction *a : menus.takeFirst()->actions()) {
            if (a->text() == key && !a->menu())
                entry = a;
            if (a->menu())
                menus << a->menu();
        }
    if (!entry)
        return nullptr;
    entry->trigger();
    for (const QVector<Calculus *> *l : {&w->problem->calculationList(), &w->problem->objectiveList(),
                                         &w->problem->constraintList()})
        for (Calculus *c : *l)
            if (!before.contains(c))
                return c;
    return nullptr;
}

void TestFirstProblem::clickItem(Calculus *item)
{
    QTest::mouseClick(w->problem->viewport(), Qt::LeftButton, {}, w->problem->mapFromScene(item->pos()));
}

void TestFirstProblem::snap(QWidget *shown, const QString &name)
{
    if (shots.isEmpty())
        return;
    QVERIFY(QTest::qWaitForWindowExposed(shown));
    QTest::qWait(300);
    QVERIFY(shown->grab().save(shots + "/" + name));
}

void TestFirstProblem::longestPathsReachTheExplorer()
{
    window->act_problem->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(w->problem_window));

    // Each where the board is still free: left of the info items' column.
    Calculus *wiener = addAt("WIENER", {-300, -60});
    Calculus *order = addAt("ORDER", {-300, 60});
    Calculus *maximize = addAt("MAXIMIZE", {0, -60});
    Calculus *connected = addAt("CONNECTED", {0, 60});
    QVERIFY(wiener && order && maximize && connected);
    // The property dialog's tick puts a value in the explorer's table.
    for (Calculus *c : {wiener, order}) {
        QVERIFY(c->getCalculusDisplay());
        c->getCalculusDisplay()->reportBox()->click();
        QVERIFY(c->inReport());
    }
    // New items arrive selected: the user starts the link from a clean selection.
    w->act_unselect_items->trigger();
    clickItem(wiener);
    clickItem(maximize);
    QVERIFY(wiener->isSelectedMark() && maximize->isSelectedMark());
    w->act_link1->trigger();
    w->act_unselect_items->trigger();
    QCOMPARE(maximize->getArg(1), wiener);
    QVERIFY(w->problem->needOptimization());
    snap(w->problem_window, "board.png");

    w->tool_box->setCurrentIndex(0);
    // The lower bound first: the upper one cannot go below it.
    w->sb_p1_min->setValue(5);
    w->sb_p1_max->setValue(8);
    // Jobs of a number of evaluations, not of seconds, from seeds of their own: a loaded machine
    // searches as far, along the same path.
    w->sb_max_time->setValue(0);
    w->sb_max_evals->setValue(50000);
    for (int t = 0; t < VNSManager::NbWorkers; ++t)
        w->vns_manager->worker(t)->setSeed(1000 + 17 * t);
    snap(window, "main-window.png");

    window->act_graph->trigger();
    // The run may be over before a look at the actions: its start and end are recorded.
    QSignalSpy running(w, &MainWidget::signal_opt_running);
    window->act_run->trigger();
    ORV_AWAIT(!w->isRunning() && running.count() == 2, 120000,
              QString("running: %1, run signals: %2").arg(w->isRunning()).arg(running.count()));
    QCOMPARE(running[0][0].toBool(), true);
    QCOMPARE(running[1][0].toBool(), false);
    QVERIFY(!window->act_halt->isEnabled());
    QCOMPARE(dialogs.calls.size(), 0);

    // The graphs found are evaluated in the explorer: per n, the longest path has the largest
    // Wiener index among connected graphs, (n^3 - n) / 6.
    Analyst *table = w->analyst_g;
    const int wienerCol = table->getHeader().indexOf("WIENER");
    const int orderCol = table->getHeader().indexOf("ORDER");
    QVERIFY2(wienerCol >= 0 && orderCol >= 0, qPrintable(table->getHeader().join(',')));
    auto best = [&] {
        QMap<int, double> m;
        for (int r = 0; r < table->nbRows(); ++r) {
            const int n = qRound(table->value(r, orderCol));
            m[n] = qMax(m.value(n, 0.0), table->value(r, wienerCol));
        }
        return m;
    };
    QTRY_COMPARE_WITH_TIMEOUT(best().keys(), (QList<int>{5, 6, 7, 8}), 30000);
    const QMap<int, double> m = best();
    for (int n = 5; n <= 8; ++n)
        QCOMPARE(m.value(n), double(n * n * n - n) / 6);
    snap(w->graph_window, "graph.png");

    // The X-Y plot of ORDER against WIENER: one point per row, at the row's values.
    window->act_analyst->trigger();
    ExplorerWindow *explorer = w->analyst_window;
    QVERIFY(explorer->isVisible());
    QTabWidget *tabs = explorer->innerTabs(ExplorerWindow::GraphSide);
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->tabText(i) == "X-Y Plot")
            tabs->setCurrentIndex(i);
    QVERIFY(w->plot_widget_g->isVisible());
    explorer->xCombo(ExplorerWindow::GraphSide)->setCurrentText("ORDER");
    explorer->yCombo(ExplorerWindow::GraphSide)->setCurrentText("WIENER");
    // Scales that spread the points over the view.
    explorer->xScaleSpin(ExplorerWindow::GraphSide)->setValue(40);
    explorer->yScaleSpin(ExplorerWindow::GraphSide)->setValue(1.5);
    const QVector<PlotItem *> &points = w->plot_widget_g->points();
    QCOMPARE(points.size(), table->nbRows());
    const double sx = explorer->xScaleSpin(ExplorerWindow::GraphSide)->value();
    const double sy = explorer->yScaleSpin(ExplorerWindow::GraphSide)->value();
    // The plot is drawn anew once the spin boxes rest.
    QTRY_VERIFY(!points.isEmpty() && points[0]->getCoordY() == table->value(0, wienerCol) * sy);
    for (int r = 0; r < points.size(); ++r) {
        QCOMPARE(points[r]->getCoordX(), table->value(r, orderCol) * sx);
        QCOMPARE(points[r]->getCoordY(), table->value(r, wienerCol) * sy);
    }
    snap(explorer, "explorer.png");

    // A conjecture search on these columns is still running when the user closes the main
    // window by its frame: the close ends everything in order, and every window goes.
    QPushButton *search = nullptr;
    for (QPushButton *b : w->conjecture_widget_g->findChildren<QPushButton *>())
        if (b->text() == "Search")
            search = b;
    QVERIFY(search);
    search->click();
    QVERIFY(w->conjecture_widget_g->isSearching());
    dialogs.answers << QMessageBox::Ok;
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(window.isNull());
    QCOMPARE(dialogs.kinds(), QStringList{"question"});
    for (QWidget *top : QApplication::topLevelWidgets())
        QVERIFY2(!top->isVisible(), qPrintable(top->windowTitle()));
}

QTEST_MAIN(TestFirstProblem)
#include "tst_firstproblem.moc"
