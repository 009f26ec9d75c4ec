#include "app/Console.h"
#include "app/DownloadEngine.h"
#include "app/PreferenceWindow.h"
#include "app/VersionChecker.h"
#include "app/ImageResources.h"
#include "app/MainWidget.h"
#include "app/ProgressBar.h"
#include "calculus/BuildCalculus.h"
#include "calculus/Calculus.h"
#include "calculus/CalculusDisplay.h"
#include "explorer/Analyst.h"
#include "explorer/AnalystWidget.h"
#include "explorer/DataLoader.h"
#include "explorer/ExplorerWindow.h"
#include "conjectures/ConjectureWidget.h"
#include "explorer/FilterWidget.h"
#include "graph/Graph.h"
#include "graph/Node.h"
#include "optimizer/VNS.h"
#include "optimizer/VNSManager.h"
#include "problem/Problem.h"
#include "Await.h"
#include "PaintProbe.h"
#include "ScriptedDialogs.h"
#include "ShellProbe.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QToolBar>
#include <QToolBox>
#include <QtTest>
#include <cmath>
#include <memory>

using ActionMember = QAction *MainWidget::*;
Q_DECLARE_METATYPE(ActionMember)
using WindowSlot = void (MainWidget::*)();
Q_DECLARE_METATYPE(WindowSlot)

// The main widget's commands, actions and menus, driven as the user drives them.
class TestMainWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void startStateOfTheInspector();
    void actionsMatchTheirTable_data();
    void actionsMatchTheirTable();
    void addComponentOffersTheVocabulary();
    void graphMenuAndToolbarsHoldTheirEntries_data();
    void graphMenuAndToolbarsHoldTheirEntries();
    void menuEntryAddsItsItemAtTheClickedPoint_data();
    void menuEntryAddsItsItemAtTheClickedPoint();
    void minimizeChosenByMouseLandsWhereTheMenuOpened();
    void runningDisablesExactlyItsSet();
    void runNeedsSomethingToOptimise();
    void objectiveDialogSetsTheDirection_data();
    void objectiveDialogSetsTheDirection();
    void runFindsTheLongestPaths();
    void layoutOfBothGraphs_data();
    void layoutOfBothGraphs();
    void backupRestoreAndExchange();
    void boundsOfNHoldEachOther_data();
    void boundsOfNHoldEachOther();
    void windowActionsToggleTheirWindow_data();
    void windowActionsToggleTheirWindow();
    void logbookKeepsPlainText_data();
    void logbookKeepsPlainText();
    void consoleReceivesTheBoardAndGraphLines();
    void explorerCommandsReachTheirPanels_data();
    void explorerCommandsReachTheirPanels();
    void startRestoresTheLastWork_data();
    void startRestoresTheLastWork();
    void newReleaseIsOfferedUnlessIgnored_data();
    void newReleaseIsOfferedUnlessIgnored();

private:
    static void setGraph(Graph *g, const QString &text);
    QTemporaryDir dir;
    std::unique_ptr<BuildCalculus> vocabulary;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<MainWidget> w;
};

void TestMainWidget::initTestCase()
{
    QVERIFY(dir.isValid());
    startShellIn(dir.path());
    vocabulary.reset(new BuildCalculus);
}

void TestMainWidget::init()
{
    dialogs.reset(new ScriptedDialogs);
    // The tables that only look share one widget; a full start is slow under the sanitizers.
    // So do the rows of a table whose rows each set up what they look at.
    static const QByteArrayList lookOnly = {"actionsMatchTheirTable", "addComponentOffersTheVocabulary",
                                            "graphMenuAndToolbarsHoldTheirEntries",
                                            "menuEntryAddsItsItemAtTheClickedPoint", "layoutOfBothGraphs",
                                            "windowActionsToggleTheirWindow", "logbookKeepsPlainText",
                                            "explorerCommandsReachTheirPanels", "startRestoresTheLastWork"};
    if (w && lookOnly.contains(QTest::currentTestFunction()))
        return;
    w.reset();
    QSettings().clear();
    w.reset(new MainWidget(vocabulary.get()));
}

void TestMainWidget::cleanup()
{
    dialogs.reset();
}

void TestMainWidget::cleanupTestCase()
{
    w.reset();
}

void TestMainWidget::setGraph(Graph *g, const QString &text)
{
    g->loadCurrentGraph(text);
    g->best_backup();
}

void TestMainWidget::startStateOfTheInspector()
{
    QCOMPARE(w->tool_box->count(), 4);
    QStringList pages;
    for (int i = 0; i < w->tool_box->count(); ++i)
        pages << w->tool_box->itemText(i);
    QCOMPARE(pages, (QStringList{"Optimization", "Graph", "Explorer", "Preferences"}));
    QCOMPARE(w->tool_box->currentIndex(), 0);
    QCOMPARE(w->tool_box->minimumWidth(), 400);
    QCOMPARE(w->tool_box->maximumWidth(), 400);
    QCOMPARE(w->sb_p1_min->value(), 10);
    QCOMPARE(w->sb_p1_max->value(), 10);
    QCOMPARE(w->sb_p1_min->minimum(), 5);
    QCOMPARE(w->sb_p1_max->maximum(), 32);
    QCOMPARE(w->sb_agressivity->value(), 0.6);
    QCOMPARE(w->sb_agressivity->singleStep(), 0.05);
    QCOMPARE(w->lb_nb_graphs->text(), "0 graphs");
    QVERIFY(!w->bt_add_graphs->isEnabled());
    QVERIFY(w->cb_auto_add_graphs->isChecked() && w->cb_reset_stats->isChecked());
    QVERIFY(w->cb_family_opt->isChecked() && w->cb_amnesy_mode->isChecked());
    QVERIFY(!w->cb_random_graph->isChecked());
    QCOMPARE(w->sb_scale_pos->value(), 500.0);
    QCOMPARE(w->mds_dim, 2);
    // "Bipart." turns "Cliq." off.
    QRadioButton *cliq = nullptr, *bip = nullptr;
    for (QRadioButton *r : w->tool_box->widget(1)->findChildren<QRadioButton *>()) {
        if (r->text() == "Cliq.")
            cliq = r;
        if (r->text() == "Bipart.")
            bip = r;
    }
    QVERIFY(cliq && bip && cliq->isChecked());
    // The board's four info items start apart from one another.
    const QList<Calculus *> info = {w->problem->getColors(), w->problem->getLabels(), w->problem->getELabels(),
                                    w->problem->getEHilights()};
    for (int i = 0; i < info.size(); ++i)
        for (int j = i + 1; j < info.size(); ++j)
            QVERIFY(!info[i]->collidesWithItem(info[j]));
    bip->click();
    QVERIFY(!cliq->isChecked());
    QCOMPARE(w->graph->getEditMode(), 1);
    // Every window but the main one starts hidden.
    for (QWidget *window : {(QWidget *)w->graph_window, (QWidget *)w->problem_window, (QWidget *)w->console_window,
                            w->graph_backup_window, w->please_wait, (QWidget *)w->pb_optimization,
                            (QWidget *)w->pb_loading, (QWidget *)w->report})
        QVERIFY2(!window->isVisible(), qPrintable(window->windowTitle()));
}

void TestMainWidget::actionsMatchTheirTable_data()
{
    QTest::addColumn<ActionMember>("member");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("icon");
    QTest::addColumn<QString>("tip");
    QTest::addColumn<bool>("enabled");
    struct Row {
        ActionMember m;
        const char *text;
        bool icon;
        const char *tip;
    };
    const Row rows[] = {
        {&MainWidget::act_close_problem, "Close", true, "Close"},
        {&MainWidget::act_run, "Run", true, "Run"},
        {&MainWidget::act_halt, "Halt", true, "Halt"},
        {&MainWidget::act_open_problem, "&Open Problem", true, "Open Data"},
        {&MainWidget::act_save_problem, "&Save Problem", true, "Save"},
        {&MainWidget::act_refresh_problem, "Refresh", true, "Refresh"},
        {&MainWidget::act_delete_items, "Delete components", false, "Delete problem components"},
        {&MainWidget::act_print_problem, "&Print Problem", true, "Print Problem"},
        {&MainWidget::act_align_x, "Align Left", true, "Align Left"},
        {&MainWidget::act_align_y, "Align Top", true, "Align Top"},
        {&MainWidget::act_space_x, "Space Horiz.", true, "Space Horiz."},
        {&MainWidget::act_space_y, "Space Vert.", true, "Space Vert."},
        {&MainWidget::act_link1, "Argument 1", true, ""},
        {&MainWidget::act_link2, "Argument 2", true, ""},
        {&MainWidget::act_link3, "Argument 3", true, ""},
        {&MainWidget::act_link4, "Argument 4", true, ""},
        {&MainWidget::act_unselect_items, "Unselect all", false, ""},
        {&MainWidget::act_close_graph, "Close", true, "Close"},
        {&MainWidget::act_open_graph, "&Open graph", true, "Open Graph"},
        {&MainWidget::act_save_graph, "&Save graph", true, "Save Graph"},
        {&MainWidget::act_print_graph, "&Print graph", true, "Print Graph"},
        {&MainWidget::act_place_graph, "Place vertices", true, "Place Vertices"},
        {&MainWidget::act_place_circle, "Place vertices on a circle", true, "Place vertices on a circle"},
        {&MainWidget::act_refresh_graph, "Refresh", true, "Refresh"},
        {&MainWidget::act_show_gbackup, "Show graph backup", true, "Graph Backup"},
        {&MainWidget::act_unselect_all, "Unselect all", true, ""},
        {&MainWidget::act_toggle_selection, "Toggle selection", true, ""},
        {&MainWidget::act_select_all, "Select all", true, ""},
        {&MainWidget::act_addv, "Add vertex", true, "Add Vertex"},
        {&MainWidget::act_adde, "Add edge", true, "Add Edge"},
        {&MainWidget::act_remv, "Rem. vertex", true, "Rem. Vertex"},
        {&MainWidget::act_reme, "Rem. edge", true, "Rem. Edge"},
        {&MainWidget::act_close_analyst, "Close", true, "Close"},
        {&MainWidget::act_clear_database, "Clear database", true, "Clear database"},
        {&MainWidget::act_rebuild_database, "Rebuild database", true, "Rebuild database"},
        {&MainWidget::act_show_graph, "Graph", true, "Graph"},
        {&MainWidget::act_show_problem, "White board", true, "White Board"},
        {&MainWidget::act_show_analyst, "Results Explorer", true, "Results Explorer"},
    };
    int i = 0;
    for (const Row &r : rows)
        QTest::addRow("%d %s", ++i, r.text) << r.m << QString(r.text) << r.icon << QString(r.tip)
                                            << (r.m != &MainWidget::act_halt);
}

void TestMainWidget::actionsMatchTheirTable()
{
    QFETCH(ActionMember, member);
    QFETCH(QString, text);
    QFETCH(bool, icon);
    QFETCH(QString, tip);
    QFETCH(bool, enabled);
    QAction *a = (*w).*member;
    QVERIFY(a);
    QCOMPARE(a->text(), text);
    QCOMPARE(a->statusTip(), tip);
    QCOMPARE(a->icon().isNull(), !icon);
    if (icon)
        QVERIFY(!a->icon().pixmap(24, 24).isNull());
    QCOMPARE(a->isEnabled(), enabled);
    QCOMPARE(a->parent(), w.get());
    QVERIFY(a->shortcut().isEmpty());
    QVERIFY(!a->isCheckable());
}

void TestMainWidget::addComponentOffersTheVocabulary()
{
    QMenu *menu = w->menu_add_component;
    QCOMPARE(menu->title(), "Add Component");
    QCOMPARE(actionTexts(menu->actions()),
             (QStringList{"Add component...", "Invariants", "Operators", "Constraints", "MAXIMIZE", "MINIMIZE",
                          "MAXMIN", "|", "Delete components", "Unselect all", "|", "&Print Problem",
                          "&Open Problem", "&Save Problem", "Refresh", "|", "Align Left", "Align Top",
                          "Space Vert.", "Space Horiz.", "|", "Argument 1", "Argument 2", "Argument 3",
                          "Argument 4"}));
    QMenu *invariants = menu->actions().at(1)->menu();
    QVERIFY(invariants);
    QCOMPARE(actionTexts(invariants->actions()), (QStringList{"Value", "Vector", "Matrix", "Family"}));
    const QList<QPair<QMenu *, QStringList>> lists = {
        {invariants->actions().at(0)->menu(), vocabulary->invariantsVal},
        {invariants->actions().at(1)->menu(), vocabulary->invariantsVec},
        {invariants->actions().at(2)->menu(), vocabulary->invariantsMat},
        {invariants->actions().at(3)->menu(), vocabulary->invariantsFam},
        {menu->actions().at(2)->menu(), vocabulary->operators},
        {menu->actions().at(3)->menu(), vocabulary->constraints},
    };
    for (const auto &entry : lists) {
        QVERIFY(entry.first);
        QVERIFY(!entry.second.isEmpty());
        QCOMPARE(actionTexts(entry.first->actions()), entry.second);
    }
    QVERIFY(vocabulary->operators.contains("VALUE AT") && vocabulary->operators.contains("+"));
    QVERIFY(vocabulary->constraints.contains(">="));
}

void TestMainWidget::graphMenuAndToolbarsHoldTheirEntries_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("graph context menu")
        << "menu"
        << QStringList{"Place vertices", "Place vertices on a circle", "&Open graph", "&Save graph", "&Print graph",
                       "Show graph backup", "|", "Select all", "Unselect all", "Toggle selection", "|",
                       "Add vertex", "Rem. vertex", "Add edge", "Rem. edge", "|", "Refresh"};
    QTest::newRow("White Board")
        << "White Board"
        << QStringList{"Close", "|", "Run", "Halt", "Clear database", "|", "&Open Problem", "&Save Problem",
                       "&Print Problem", "Refresh", "|", "Align Left", "Space Horiz.", "Space Vert.",
                       "Align Top", "|", "Argument 1", "Argument 2", "Argument 3", "Argument 4", "|", "Graph",
                       "Results Explorer"};
    QTest::newRow("Graph") << "Graph"
                           << QStringList{"Close", "|", "Run", "Halt", "Clear database", "|", "&Open graph",
                                          "&Save graph", "&Print graph", "Show graph backup", "|",
                                          "Place vertices", "Place vertices on a circle", "Refresh", "|",
                                          "White board", "Results Explorer"};
    QTest::newRow("Graph2") << "Graph2"
                            << QStringList{"Add vertex", "Rem. vertex", "Add edge", "Rem. edge", "|", "Select all",
                                           "Unselect all", "Toggle selection"};
}

void TestMainWidget::graphMenuAndToolbarsHoldTheirEntries()
{
    QFETCH(QString, which);
    QFETCH(QStringList, entries);
    if (which == "menu") {
        QCOMPARE(w->menu_graph->title(), "Graph context menu");
        QCOMPARE(actionTexts(w->menu_graph->actions()), entries);
        return;
    }
    QToolBar *bar = nullptr;
    for (QToolBar *t : {w->tb_problem, w->tb_graph, w->tb_graph2})
        if (t->windowTitle() == which)
            bar = t;
    QVERIFY(bar);
    QCOMPARE(actionTexts(bar->actions()), entries);
    // One "Run" for all the working windows: disabling it greys it everywhere.
    if (bar->actions().contains(w->act_run))
        QCOMPARE(bar->actions().at(2), w->act_run);
}

void TestMainWidget::menuEntryAddsItsItemAtTheClickedPoint_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("list"); // which list of the board grows, or "" for none
    QTest::newRow("objective") << "MINIMIZE" << "objectives";
    QTest::newRow("objective MAXIMIZE") << "MAXIMIZE" << "objectives";
    QTest::newRow("value invariant") << "WIENER" << "calculation";
    QTest::newRow("matrix invariant") << "DISTANCES" << "calculation";
    QTest::newRow("operator") << "SUM" << "calculation";
    QTest::newRow("constraint") << ">=" << "constraints";
    QTest::newRow("connectivity constraint") << "CONNECTED" << "constraints";
    QTest::newRow("the menu's own title") << "Add component..." << "";
    QTest::newRow("fixed board action") << "Delete components" << "";
    QTest::newRow("a submenu") << "Invariants" << "";
}

void TestMainWidget::menuEntryAddsItsItemAtTheClickedPoint()
{
    QFETCH(QString, key);
    QFETCH(QString, list);
    auto sizes = [this] {
        return QVector<int>{w->problem->calculationList().size(), w->problem->familyList().size(),
                            w->problem->objectiveList().size(), w->problem->constraintList().size()};
    };
    const QVector<int> before = sizes();
    QSet<Calculus *> known;
    for (const QVector<Calculus *> *list : {&w->problem->calculationList(), &w->problem->familyList(),
                                            &w->problem->objectiveList(), &w->problem->constraintList()})
        for (Calculus *c : *list)
            known.insert(c);
    const QPoint click(120, 80);
    emit w->problem->customContextMenuRequested(click);
    QVERIFY(w->menu_add_component->isVisible());
    QCOMPARE(w->problem_menu_pos, w->problem->mapToScene(click));
    w->menu_add_component->hide();

    QAction *entry = nullptr;
    QList<QMenu *> menus{w->menu_add_component};
    while (!menus.isEmpty() && !entry) {
        for (QAction *a : menus.takeFirst()->actions()) {
            if (a->text() == key && !entry)
                entry = a;
            if (a->menu())
                menus << a->menu();
        }
    }
    QVERIFY(entry);
    emit w->menu_add_component->triggered(entry);

    QVector<int> after = sizes();
    const int grown = QStringList{"calculation", "families", "objectives", "constraints"}.indexOf(list);
    QVector<int> expected = before;
    if (grown >= 0)
        ++expected[grown];
    QCOMPARE(after, expected);
    if (grown < 0)
        return;
    const QVector<Calculus *> &items = grown == 0   ? w->problem->calculationList()
                                       : grown == 1 ? w->problem->familyList()
                                       : grown == 2 ? w->problem->objectiveList()
                                                    : w->problem->constraintList();
    // The board chooses the place in its list; the new item is the one that was not there.
    Calculus *added = nullptr;
    for (Calculus *c : items)
        if (!known.contains(c))
            added = c;
    QVERIFY(added);
    QCOMPARE(added->pos(), w->problem->mapToScene(click));
}

void TestMainWidget::minimizeChosenByMouseLandsWhereTheMenuOpened()
{
    w->problem_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(w->problem_window));
    const QPoint click(200, 150);
    emit w->problem->customContextMenuRequested(click);
    QMenu *menu = w->menu_add_component;
    QTRY_VERIFY(menu->isVisible());
    QAction *minimize = nullptr;
    for (QAction *a : menu->actions())
        if (a->text() == "MINIMIZE")
            minimize = a;
    QVERIFY(minimize);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(minimize).center());
    QTRY_COMPARE(w->problem->objectiveList().size(), 1);
    QCOMPARE(w->problem->objectiveList().first()->pos(), w->problem->mapToScene(click));
    QVERIFY(!menu->isVisible());
}

void TestMainWidget::runningDisablesExactlyItsSet()
{
    const QList<QAction *> disabledWhileRunning = {
        w->act_run,           w->act_open_problem,  w->act_save_problem, w->act_print_problem, w->act_refresh_problem,
        w->act_clear_database, w->act_show_gbackup, w->act_open_graph,   w->act_save_graph};
    const QList<QAction *> all = w->findChildren<QAction *>(QString(), Qt::FindDirectChildrenOnly);
    QCOMPARE(all.size(), 38 + 1 + int(vocabulary->invariantsVal.size() + vocabulary->invariantsVec.size()
                                       + vocabulary->invariantsMat.size() + vocabulary->invariantsFam.size()
                                       + vocabulary->operators.size() + vocabulary->constraints.size())
                             + 3);
    for (bool running : {true, false, true, false}) {
        emit w->signal_opt_running(running);
        for (QAction *a : all) {
            const bool expected = a == w->act_halt ? running : !(running && disabledWhileRunning.contains(a));
            QVERIFY2(a->isEnabled() == expected, qPrintable(a->text()));
        }
        QCOMPARE(w->problem->isEnabled(), !running);
        QCOMPARE(w->graph->isEnabled(), !running);
        QCOMPARE(w->pb_optimization->isVisible(), running);
        QCOMPARE(w->pb_optimization->name(), "ORV is optimizing... please wait.");
        // The explorer keeps its tables and its "Clear database" still while a run fills them.
        for (auto side : {ExplorerWindow::GraphSide, ExplorerWindow::VertexSide})
            QCOMPARE(w->analyst_window->innerTabs(side)->isEnabled(), !running);
        QCOMPARE(w->analyst_window->clearAction()->isEnabled(), !running);
    }
    // The manager's start and end reach the same switch.
    w->slot_optimization_starts();
    QVERIFY(w->act_halt->isEnabled() && !w->act_run->isEnabled());
    w->slot_optimization_complete();
    QVERIFY(!w->act_halt->isEnabled() && w->act_run->isEnabled());
}

void TestMainWidget::runNeedsSomethingToOptimise()
{
    QSignalSpy starts(w.get(), &MainWidget::signal_start_vns);
    w->act_run->trigger();
    QCOMPARE(starts.count(), 0);
    QCOMPARE(dialogs->kinds(), QStringList{"warning"});
    QCOMPARE(dialogs->calls.first().title, "Optimization");
    QCOMPARE(dialogs->calls.first().text, "No problem to optimize.");

    // A constraint alone is something to optimise for the board; the optimiser refuses it.
    w->problem->addConstraintItem(vocabulary->makeCalculus("CONNECTED", true));
    w->act_run->trigger();
    QCOMPARE(starts.count(), 1);
    QCOMPARE(dialogs->calls.size(), 2);
    QCOMPARE(dialogs->calls.at(1).title, "Optimization");
    QCOMPARE(dialogs->calls.at(1).text,
             "There is no objective to optimise: add an objective (MINIMIZE, MAXIMIZE or MAXMIN) to the board.");
    QVERIFY(!w->isRunning());

    // An objective whose argument the user deleted (it shows "0 x 0" in red) is refused too,
    // by the Run action and by the graph view's key alike, naming the objective.
    Calculus *wiener = vocabulary->makeCalculus("WIENER", true);
    Calculus *maximize = vocabulary->makeCalculus("MAXIMIZE", true);
    w->problem->addInvariantItem(wiener);
    w->problem->addZItem(maximize);
    w->problem->link1(wiener, maximize);
    w->act_unselect_items->trigger();
    wiener->select(true);
    dialogs->answers << QMessageBox::Ok;
    w->act_delete_items->trigger();
    QCOMPARE(maximize->getArg(1), nullptr);
    QVERIFY(maximize->getError());
    const QString missing = "The objective Z has no argument: make an item its argument 1, or delete the objective.";
    w->act_run->trigger();
    emit w->graph->signal_start_vns();
    QCOMPARE(starts.count(), 3);
    QCOMPARE(dialogs->kinds(), (QStringList{"warning", "warning", "question", "warning", "warning"}));
    QCOMPARE(dialogs->calls.at(3).text, missing);
    QCOMPARE(dialogs->calls.at(4).text, missing);
    QVERIFY(!w->isRunning());
    // With several objectives the message says which one, by its given name when it has one.
    Calculus *second = vocabulary->makeCalculus("MINIMIZE", true);
    w->problem->addZItem(second);
    Calculus *order = vocabulary->makeCalculus("ORDER", true);
    w->problem->addInvariantItem(order);
    w->problem->link1(order, maximize);
    second->setGivenName("cost");
    w->act_run->trigger();
    QCOMPARE(dialogs->calls.last().text,
             "The objective \"cost\" (objective 2 of 2) has no argument: make an item its argument 1, or delete the objective.");
    QVERIFY(!w->isRunning());
}

void TestMainWidget::objectiveDialogSetsTheDirection_data()
{
    using SignList = QVector<QVector<double>>;
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<int>("sense");
    QTest::addColumn<SignList>("signs");
    QTest::addColumn<QString>("word");
    // The colours of the arrow's upper and lower left corners: white where it has no body.
    QTest::addColumn<QString>("upperLeft");
    QTest::addColumn<QString>("lowerLeft");
    QTest::newRow("minimise to maximise") << "MINIMIZE" << QStringList{"Maximization", "Minimization"} << -1
                                          << SignList{{-1}} << "max" << "rgb" << "g";
    QTest::newRow("maximise to minimise") << "MAXIMIZE" << QStringList{"Minimization", "Maximization"} << 1
                                          << SignList{{1}} << "min" << "g" << "rgb";
    QTest::newRow("minimise to both") << "MINIMIZE" << QStringList{"Maximization"} << 0 << SignList{{-1}, {1}}
                                      << "maxmin" << "rgb" << "rgb";
    QTest::newRow("both to maximise") << "MAXMIN" << QStringList{"Minimization"} << -1 << SignList{{-1}} << "max"
                                      << "rgb" << "g";
}

// The boxes of the objective's dialog, then "Done": the arrow, the saved file and the very next
// run follow at once, with the graph unchanged.
void TestMainWidget::objectiveDialogSetsTheDirection()
{
    using SignList = QVector<QVector<double>>;
    QFETCH(QString, key);
    QFETCH(QStringList, clicks);
    QFETCH(int, sense);
    QFETCH(SignList, signs);
    QFETCH(QString, word);
    QFETCH(QString, upperLeft);
    QFETCH(QString, lowerLeft);
    Calculus *energy = vocabulary->makeCalculus("ENERGY", true);
    Calculus *z = vocabulary->makeCalculus(key, true);
    w->problem->addInvariantItem(energy);
    w->problem->addZItem(z);
    w->problem->link1(energy, z);
    w->problem->addConstraintItem(vocabulary->makeCalculus("CONNECTED", true));

    CalculusDisplay *dialog = z->getCalculusDisplay();
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    for (const QString &text : clicks) {
        QCheckBox *box = nullptr;
        for (QCheckBox *b : dialog->findChildren<QCheckBox *>())
            if (b->text() == text)
                box = b;
        QVERIFY(box && box->isEnabled());
        QTest::mouseClick(box, Qt::LeftButton);
    }
    QPushButton *done = nullptr;
    for (QPushButton *b : dialog->findChildren<QPushButton *>())
        if (b->text() == "Done" && b->isVisible())
            done = b;
    QVERIFY(done);
    QTest::mouseClick(done, Qt::LeftButton);
    QVERIFY(!dialog->isVisible());

    QCOMPARE(z->getObj(), sense);
    const QImage arrow = PaintProbe::render(z);
    QCOMPARE(PaintProbe::hue(PaintProbe::at(arrow, -45, -25)), upperLeft);
    QCOMPARE(PaintProbe::hue(PaintProbe::at(arrow, -45, 25)), lowerLeft);

    const QString path = dir.filePath("direction.orv3");
    dialogs->fileNames << path;
    w->act_save_problem->trigger();
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QStringList objectives;
    for (const QString &record : QString::fromUtf8(file.readAll()).split("<NEW>"))
        if (record.startsWith("Z\t"))
            objectives << record.section('\t', -1);
    QCOMPARE(objectives, QStringList{word});

    // The lower bound first: the upper one cannot go below it.
    w->sb_p1_min->setValue(6);
    w->sb_p1_max->setValue(6);
    w->sb_max_evals->setValue(30);
    QSignalSpy complete(w->vns_manager, &VNSManager::signal_optimization_complete);
    w->act_run->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(complete.count(), 1, 60000);
    QTRY_VERIFY(!w->isRunning() && w->act_run->isEnabled());
    QCOMPARE(w->vns_manager->jobSignVectors(), signs);
}

void TestMainWidget::runFindsTheLongestPaths()
{
    Calculus *wiener = vocabulary->makeCalculus("WIENER", true);
    Calculus *maximize = vocabulary->makeCalculus("MAXIMIZE", true);
    QVERIFY(wiener && maximize);
    // The explorer's value table shows what the researcher puts in the report.
    wiener->setInReport(true);
    wiener->setGraphInReport(true);
    w->problem->addInvariantItem(wiener);
    w->problem->addZItem(maximize);
    w->problem->addConstraintItem(vocabulary->makeCalculus("CONNECTED", true));
    w->problem->link1(wiener, maximize);
    w->sb_p1_min->setValue(5);
    w->sb_p1_max->setValue(6);
    w->sb_p1_min->setValue(5);
    // Jobs of a number of evaluations, not of seconds, from seeds of their own: a loaded machine
    // searches as far, along the same path.
    w->sb_max_time->setValue(0);
    w->sb_max_evals->setValue(50000);
    w->sb_nb_threads->setValue(4);
    for (int t = 0; t < VNSManager::NbWorkers; ++t)
        w->vns_manager->worker(t)->setSeed(1000 + 17 * t);
    QVERIFY(!w->act_halt->isEnabled());

    // The run may be over before a look at the actions: its start and end are recorded.
    QSignalSpy running(w.get(), &MainWidget::signal_opt_running);
    w->act_run->trigger();
    ORV_AWAIT(!w->isRunning() && running.count() == 2, 120000,
              QString("running: %1, run signals: %2").arg(w->isRunning()).arg(running.count()));
    QCOMPARE(running[0][0].toBool(), true);
    QCOMPARE(running[1][0].toBool(), false);
    QVERIFY(!w->act_halt->isEnabled());

    // The path is the connected graph of largest Wiener index: (n^3 - n) / 6.
    Analyst *table = w->analyst_g;
    auto best = [&] {
        QMap<int, double> m;
        const int col = table->getHeader().indexOf("WIENER");
        if (col < 0)
            return m;
        const QStringList graphs = w->analyst_widget_g->getGraphs();
        for (int r = 0; r < table->nbRows(); ++r) {
            const int n = graphs.value(table->graphNo(r)).section(' ', 0, 0).toInt();
            m[n] = qMax(m.value(n, 0.0), table->value(r, col));
        }
        return m;
    };
    QTRY_VERIFY_WITH_TIMEOUT(best().size() == 2, 30000);
    const QMap<int, double> m = best();
    for (int n : {5, 6})
        QCOMPARE(m.value(n), double(n * n * n - n) / 6);
}

void TestMainWidget::layoutOfBothGraphs_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("backup");
    QTest::addColumn<bool>("circleAction");
    QTest::addColumn<QString>("expected"); // "none", "circle" or "mds"
    QTest::newRow("no vertex") << "0 " << "4 111111" << false << "none";
    QTest::newRow("one vertex, circle action") << "1 " << "4 111111" << true << "none";
    QTest::newRow("two vertices") << "2 1" << "4 111111" << false << "none";
    QTest::newRow("three vertices, no edge") << "3 000" << "5 1111111111" << false << "circle";
    QTest::newRow("five vertices, one edge") << "5 1000000000" << "2 1" << false << "circle";
    QTest::newRow("path on four, circle action") << "4 101001" << "4 101001" << true << "circle";
    QTest::newRow("path on four, layout") << "4 101001" << "4 101001" << false << "mds";
}

void TestMainWidget::layoutOfBothGraphs()
{
    QFETCH(QString, current);
    QFETCH(QString, backup);
    QFETCH(bool, circleAction);
    QFETCH(QString, expected);
    setGraph(w->graph, current);
    setGraph(w->graph_bak, backup);
    w->sb_scale_pos->setValue(300);
    for (Graph *g : {w->graph, w->graph_bak})
        for (int i = 0; i < g->getNbNodes(); ++i)
            g->getNode(i)->setPosition(1000 + i, -1000);
    (circleAction ? w->act_place_circle : w->act_place_graph)->trigger();

    for (Graph *g : {w->graph, w->graph_bak}) {
        const int n = g->getNbNodes();
        for (int i = 0; i < n; ++i) {
            Node *v = g->getNode(i);
            if (expected == "none") {
                QCOMPARE(v->getCoordX(), 1000.0 + i);
            } else if (expected == "circle") {
                const double t = 2 * i * 3.14159265 / n;
                QVERIFY(std::abs(v->getCoordX() - std::cos(t) * 150) < 1e-9);
                QVERIFY(std::abs(v->getCoordY() - std::sin(t) * 150) < 1e-9);
            } else {
                QVERIFY(v->getCoordY() != -1000.0);
            }
        }
    }
    if (expected == "mds") {
        // Consecutive path vertices sit closer than the two ends.
        auto at = [this](int i) { return QPointF(w->graph->getNode(i)->getCoordX(), w->graph->getNode(i)->getCoordY()); };
        auto dist = [](QPointF a, QPointF b) { return std::hypot(a.x() - b.x(), a.y() - b.y()); };
        QVERIFY(dist(at(0), at(1)) < dist(at(0), at(3)));
    }
}

void TestMainWidget::backupRestoreAndExchange()
{
    const QString a = "5 1010011001";
    const QString b = "4 111000";
    setGraph(w->graph, a);
    setGraph(w->graph_bak, b);
    w->bt_exchange->click();
    QCOMPARE(w->graph->currentGraphData(), b);
    QCOMPARE(w->graph_bak->currentGraphData(), a);
    QCOMPARE(w->graph->graphData(), b); // the shown copy follows
    w->bt_exchange->click();
    QCOMPARE(w->graph->currentGraphData(), a);
    QCOMPARE(w->graph_bak->currentGraphData(), b);
    QCOMPARE(w->graph_bak->graphData(), b);

    w->bt_backup->click();
    QCOMPARE(w->graph_bak->currentGraphData(), a);
    setGraph(w->graph, b);
    w->bt_restore->click();
    QCOMPARE(w->graph->currentGraphData(), a);
    QCOMPARE(w->graph->graphData(), a);
}

void TestMainWidget::boundsOfNHoldEachOther_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("minLo");
    QTest::addColumn<int>("maxLo");
    QTest::addColumn<int>("minHi");
    QTest::addColumn<int>("maxHi");
    QTest::newRow("upper raised to 20") << "max" << 20 << 5 << 20 << 10 << 32;
    QTest::newRow("upper beyond a graph's size") << "max" << 1000 << 5 << 32 << 10 << 32;
    QTest::newRow("lower lowered to 7") << "min" << 7 << 5 << 10 << 7 << 32;
    QTest::newRow("lower below 5") << "min" << 2 << 5 << 10 << 5 << 32;
}

void TestMainWidget::boundsOfNHoldEachOther()
{
    QFETCH(QString, box);
    QFETCH(int, value);
    QFETCH(int, minLo);
    QFETCH(int, maxLo);
    QFETCH(int, minHi);
    QFETCH(int, maxHi);
    (box == "max" ? w->sb_p1_max : w->sb_p1_min)->setValue(value);
    QCOMPARE(w->sb_p1_min->minimum(), minLo);
    QCOMPARE(w->sb_p1_min->maximum(), maxLo);
    QCOMPARE(w->sb_p1_max->minimum(), minHi);
    QCOMPARE(w->sb_p1_max->maximum(), maxHi);
    QVERIFY(w->sb_p1_min->value() <= w->sb_p1_max->value());
}

void TestMainWidget::windowActionsToggleTheirWindow_data()
{
    QTest::addColumn<ActionMember>("action"); // null: reached by the slot only
    QTest::addColumn<WindowSlot>("slot");
    QTest::addColumn<QString>("title");
    QTest::newRow("white board") << &MainWidget::act_show_problem << WindowSlot(&MainWidget::slot_show_problem)
                                 << "White board";
    QTest::newRow("board close") << &MainWidget::act_close_problem << WindowSlot(&MainWidget::slot_show_problem)
                                 << "White board";
    QTest::newRow("graph") << &MainWidget::act_show_graph << WindowSlot(&MainWidget::slot_show_graph) << "Graph";
    QTest::newRow("graph close") << &MainWidget::act_close_graph << WindowSlot(&MainWidget::slot_show_graph)
                                 << "Graph";
    QTest::newRow("backup") << &MainWidget::act_show_gbackup << WindowSlot(&MainWidget::slot_show_gbackup)
                            << "Graph Backup";
    QTest::newRow("explorer") << &MainWidget::act_show_analyst << WindowSlot(&MainWidget::slot_show_analyst)
                              << "Properties explorer";
    QTest::newRow("explorer close") << &MainWidget::act_close_analyst
                                    << WindowSlot(&MainWidget::slot_show_analyst) << "Properties explorer";
    QTest::newRow("console") << ActionMember(nullptr) << WindowSlot(&MainWidget::slot_show_console) << "Console";
    QTest::newRow("report") << ActionMember(nullptr) << WindowSlot(&MainWidget::slot_write_documentation)
                            << "ORV-III Report";
}

void TestMainWidget::windowActionsToggleTheirWindow()
{
    QFETCH(ActionMember, action);
    QFETCH(WindowSlot, slot);
    QFETCH(QString, title);
    QWidget *window = nullptr;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (top->windowTitle() == title && top != w.get())
            window = top;
    QVERIFY(window);
    for (bool shown : {true, false, true, false}) {
        if (action)
            ((*w).*action)->trigger();
        else
            ((*w).*slot)();
        QCOMPARE(window->isVisible(), shown);
    }
}

void TestMainWidget::logbookKeepsPlainText_data()
{
    QTest::addColumn<QString>("description");
    QTest::newRow("plain") << "Wiener index of trees";
    QTest::newRow("markup stays as typed") << "<b>bold</b> and &amp; kept";
    QTest::newRow("two lines") << "first\nsecond";
}

void TestMainWidget::logbookKeepsPlainText()
{
    QFETCH(QString, description);
    w->slot_set_problem_description(description);
    QCOMPARE(w->te_comments->toPlainText(), description);
    QCOMPARE(w->problem->userDescription(), description);
    w->te_comments->clear();
    QTest::keyClicks(w->te_comments, "<i>x</i>");
    QCOMPARE(w->problem->userDescription(), "<i>x</i>");

    // A problem opened from text fills both boxes; the title goes back to the board as is.
    const QString saved = w->problem->saveString();
    QVERIFY(saved.contains("<i>x</i>") || !saved.isEmpty());
    w->slot_set_problem_title("My <b>title</b>");
    QCOMPARE(w->le_title->text(), "My <b>title</b>");
    QCOMPARE(w->problem->userTitle(), "My <b>title</b>");
}

void TestMainWidget::consoleReceivesTheBoardAndGraphLines()
{
    w->console->log()->clear();
    emit w->problem->signal_console("from the board", false, 0, Qt::red);
    emit w->graph->signal_console("from the graph", false, 0, Qt::black);
    emit w->graph->signal_console("hidden detail", false, 3, Qt::black);
    emit w->conjecture_widget_v->signal_console("from the conjectures", false, 0, Qt::black);
    QCOMPARE(w->console->log()->toPlainText(), "from the board\nfrom the graph\nfrom the conjectures");
}

void TestMainWidget::explorerCommandsReachTheirPanels_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("graphsG"); // graphs left in each panel after the command
    QTest::addColumn<int>("graphsV");
    QTest::newRow("Clear database") << "clear database" << 0 << 0;
    QTest::newRow("inspector Clear") << "inspector clear" << 0 << 0;
    QTest::newRow("graph-values filter Clear") << "filter g clear" << 0 << 0;
    QTest::newRow("vertex-values filter Clear") << "filter v clear" << 0 << 0;
    QTest::newRow("Rebuild database") << "rebuild" << 2 << 2;
    QTest::newRow("inspector Explorer again") << "explorer" << 3 << 3;
}

void TestMainWidget::explorerCommandsReachTheirPanels()
{
    QFETCH(QString, command);
    QFETCH(int, graphsG);
    QFETCH(int, graphsV);
    w->act_clear_database->trigger();
    w->console->log()->clear();
    w->console->verboseBox()->setValue(3);
    setGraph(w->graph, "4 101001");
    w->bt_graph_explorer->click();
    setGraph(w->graph, "3 111");
    w->bt_graph_explorer->click();
    QCOMPARE(w->analyst_widget_g->getGraphs(), (QStringList{"4 101001", "3 111"}));
    QCOMPARE(w->analyst_widget_v->getGraphs(), w->analyst_widget_g->getGraphs());
    QVERIFY(w->console->log()->toPlainText().contains("2 graphs in analyst"));

    QSignalSpy conjecturesCleared(w->analyst_window, &ExplorerWindow::signal_database_cleared);
    if (command == "clear database")
        w->act_clear_database->trigger();
    else if (command == "inspector clear")
        w->bt_explorer_clear->click();
    else if (command == "filter g clear")
        emit w->filter_widget_g->signal_clear();
    else if (command == "filter v clear")
        emit w->filter_widget_v->signal_clear();
    else if (command == "rebuild")
        w->act_rebuild_database->trigger();
    else
        w->bt_graph_explorer->click();
    QCOMPARE(w->analyst_widget_g->getGraphs().size(), graphsG);
    QCOMPARE(w->analyst_widget_v->getGraphs().size(), graphsV);
    // Only "Clear database" empties the conjecture lists as well.
    QCOMPARE(conjecturesCleared.count(), command == "clear database" ? 1 : 0);

    // The input type and "Filter" reach the loader the panels share.
    w->rb_orv->click();
    QCOMPARE(w->data_loader->getDataType(), "orv");
    w->rb_g6->click();
    QCOMPARE(w->data_loader->getDataType(), "g6");
    w->cb_filter->click();
    const bool filter = w->cb_filter->isChecked();
    QCOMPARE(w->analyst_widget_g->getFilterMode(), filter);
    QCOMPARE(w->analyst_widget_v->getFilterMode(), filter);
    QCOMPARE(w->data_loader->getFilter(), filter);
}

void TestMainWidget::startRestoresTheLastWork_data()
{
    QTest::addColumn<bool>("storedProblem");
    QTest::addColumn<QVariant>("reload"); // invalid: absent from the store
    QTest::addColumn<bool>("problemFile");
    QTest::addColumn<bool>("storedGraph");
    QTest::addColumn<bool>("graphFile");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<bool>("restored");
    QTest::addColumn<QVariant>("reloadAfter");
    QTest::newRow("first start") << false << QVariant() << false << false << true << "" << false << QVariant();
    QTest::newRow("no problem text, reload on") << false << QVariant(true) << true << true << true << "" << false
                                               << QVariant(true);
    QTest::newRow("restore") << true << QVariant(true) << true << true << true << "" << true << QVariant(true);
    QTest::newRow("reload off") << true << QVariant(false) << true << true << true << "" << false << QVariant(false);
    // The message names the file it could not load, and why.
    QTest::newRow("problem file missing") << true << QVariant(true) << false << true << true
                                          << "Unable to load problem .orvpb\nNo such file or directory" << false
                                          << QVariant(true);
    QTest::newRow("graph text empty") << true << QVariant(true) << true << false << true << "Unable to load graph "
                                      << true << QVariant(true);
    QTest::newRow("graph file missing") << true << QVariant(true) << true << true << false
                                        << "Unable to load graph .orvgr\nNo such file or directory" << true
                                        << QVariant(true);
}

void TestMainWidget::startRestoresTheLastWork()
{
    QFETCH(bool, storedProblem);
    QFETCH(QVariant, reload);
    QFETCH(bool, problemFile);
    QFETCH(bool, storedGraph);
    QFETCH(bool, graphFile);
    QFETCH(QString, warning);
    QFETCH(bool, restored);
    QFETCH(QVariant, reloadAfter);
    // The work of a former run, written by that run.
    w->problem->addZItem(vocabulary->makeCalculus("MINIMIZE", true));
    w->le_title->setText("Former run");
    setGraph(w->graph, "5 1111111111");
    w->problem->autosave();
    w->graph->autosave();
    const QString problemText = w->problem->saveString();
    const int objectives = w->problem->objectiveList().size();
    w.reset();
    if (!problemFile)
        QVERIFY(QFile::remove(".orvpb"));
    if (!graphFile)
        QVERIFY(QFile::remove(".orvgr"));
    QSettings().clear();
    {
        QSettings store;
        store.setValue("runs", 4);
        if (storedProblem)
            store.setValue("problem", problemText);
        if (reload.isValid())
            store.setValue("reload", reload);
        store.setValue("graph", storedGraph ? QString("5 1111111111") : QString());
    }
    dialogs->calls.clear();
    w.reset(new MainWidget(vocabulary.get()));

    QCOMPARE(dialogs->kinds(), warning.isEmpty() ? QStringList() : QStringList{"warning"});
    if (!warning.isEmpty())
        QCOMPARE(dialogs->calls.first().text, warning);
    QCOMPARE(w->problem->objectiveList().size(), restored ? objectives : 0);
    QCOMPARE(w->problem->userTitle(), restored ? QString("Former run") : QString());
    QCOMPARE(w->graph->graphData() == "5 1111111111", restored && storedGraph && graphFile);
    QSettings store;
    QCOMPARE(store.value("runs").toInt(), 5);
    // What was restored is stored again at once; otherwise "problem" is emptied.
    QCOMPARE(store.value("problem").toString(), restored ? w->problem->saveString() : QString());
    QCOMPARE(store.value("reload"), reloadAfter);
    // A restore stores the graph it restored, or the one shown when its file did not read.
    const QString shown = restored ? w->graph->graphData() : QString("5 1111111111");
    QCOMPARE(store.value("graph").toString(), storedGraph ? shown : QString());
    // The stored choice is read at every start: the box shows it, and quitting keeps it.
    QCOMPARE(w->preference_window->reloadBox()->isChecked(), reload.toBool());
    QCOMPARE(w->timer_id != 0, true);
    w->quit();
    QCOMPARE(store.value("reload").toBool(), reload.toBool());
}

void TestMainWidget::newReleaseIsOfferedUnlessIgnored_data()
{
    QTest::addColumn<bool>("ignore");
    QTest::newRow("offered") << false;
    QTest::newRow("ignored") << true;
}

void TestMainWidget::newReleaseIsOfferedUnlessIgnored()
{
    QFETCH(bool, ignore);
    const QString before = DownloadEngine::downloadDirectory();
    DownloadEngine::setDownloadDirectory("https://releases.invalid/orv/");
    w->preference_window->ignoreUpdatesBox()->click();
    if (!ignore)
        w->preference_window->ignoreUpdatesBox()->click();
    QCOMPARE(w->no_ask_update, ignore);
    QCOMPARE(QSettings().value("noAskUpdate").toBool(), ignore);
    dialogs->answers << QMessageBox::No;
    emit w->version_checker->signal_new_version_available("ORV-3.0.27.dmg");
    DownloadEngine::setDownloadDirectory(before);
    QCOMPARE(dialogs->kinds(), ignore ? QStringList() : QStringList{"question"});
    if (!ignore) {
        QCOMPARE(dialogs->calls.first().title, "New Version");
        QVERIFY(dialogs->calls.first().text.contains("ORV-3.0.27.dmg"));
    }
}

QTEST_MAIN(TestMainWidget)
#include "tst_mainwidget.moc"
