#include "app/MainWidget.h"

#include "app/ActionMaker.h"
#include "app/Console.h"
#include "dialogs/DialogProvider.h"
#include "app/PreferenceWindow.h"
#include "app/ProgressBar.h"
#include "app/Report.h"
#include "app/VersionChecker.h"
#include "app/WindowPlacement.h"
#include "app/DownloadEngine.h"
#include "calculus/BuildCalculus.h"
#include "explorer/Analyst.h"
#include "explorer/AnalystWidget.h"
#include "conjectures/ConjectureSettings.h"
#include "conjectures/ConjectureWidget.h"
#include "conjectures/ConjecturesDisplay.h"
#include "explorer/DataLoader.h"
#include "explorer/ExplorerWindow.h"
#include "explorer/FilterWidget.h"
#include "explorer/PlotWidget.h"
#include "calculus/Calculus.h"
#include "graph/Edge.h"
#include "graph/Graph.h"
#include "graph/MDS.h"
#include "graph/Node.h"
#include "optimizer/VNSManager.h"
#include "problem/Problem.h"

#include <QAction>
#include <QButtonGroup>
#include <QCoreApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMutexLocker>
#include <QNetworkAccessManager>
#include <QTimer>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextEdit>
#include <QThread>
#include <QToolBar>
#include <QToolBox>
#include <iostream>
#include <memory>

namespace {
// A graph never holds more than this many vertices, so neither bound of n goes beyond it.
constexpr int maxVertexCount = 32;

struct ActionRow {
    QAction *MainWidget::*member;
    const char *text;
    const char *icon;  // name under ":/src/images/", or null
    const char *tip;   // status tip, or null
};

// The main widget's actions, in order of creation.
const ActionRow actionRows[] = {
    {&MainWidget::act_close_problem, "Close", "exit", "Close"},
    {&MainWidget::act_run, "Run", "run", "Run"},
    {&MainWidget::act_halt, "Halt", "halt", "Halt"},
    {&MainWidget::act_open_problem, "&Open Problem", "load", "Open Data"},
    {&MainWidget::act_save_problem, "&Save Problem", "record", "Save"},
    {&MainWidget::act_refresh_problem, "Refresh", "refresh", "Refresh"},
    {&MainWidget::act_delete_items, "Delete components", nullptr, "Delete problem components"},
    {&MainWidget::act_print_problem, "&Print Problem", "print", "Print Problem"},
    {&MainWidget::act_align_x, "Align Left", "alignx", "Align Left"},
    {&MainWidget::act_align_y, "Align Top", "aligny", "Align Top"},
    {&MainWidget::act_space_x, "Space Horiz.", "hspace", "Space Horiz."},
    {&MainWidget::act_space_y, "Space Vert.", "vspace", "Space Vert."},
    {&MainWidget::act_link1, "Argument 1", "link1", nullptr},
    {&MainWidget::act_link2, "Argument 2", "link2", nullptr},
    {&MainWidget::act_link3, "Argument 3", "link3", nullptr},
    {&MainWidget::act_link4, "Argument 4", "link4", nullptr},
    {&MainWidget::act_unselect_items, "Unselect all", nullptr, nullptr},
    {&MainWidget::act_close_graph, "Close", "exit", "Close"},
    {&MainWidget::act_open_graph, "&Open graph", "load_graph", "Open Graph"},
    {&MainWidget::act_save_graph, "&Save graph", "save_graph", "Save Graph"},
    {&MainWidget::act_print_graph, "&Print graph", "print_graph", "Print Graph"},
    {&MainWidget::act_place_graph, "Place vertices", "place", "Place Vertices"},
    {&MainWidget::act_place_circle, "Place vertices on a circle", "place_circle", "Place vertices on a circle"},
    {&MainWidget::act_refresh_graph, "Refresh", "refresh", "Refresh"},
    {&MainWidget::act_show_gbackup, "Show graph backup", "backup", "Graph Backup"},
    {&MainWidget::act_unselect_all, "Unselect all", "unselect", nullptr},
    {&MainWidget::act_toggle_selection, "Toggle selection", "toggleselect", nullptr},
    {&MainWidget::act_select_all, "Select all", "select", nullptr},
    {&MainWidget::act_addv, "Add vertex", "addv", "Add Vertex"},
    {&MainWidget::act_adde, "Add edge", "adde", "Add Edge"},
    {&MainWidget::act_remv, "Rem. vertex", "remv", "Rem. Vertex"},
    {&MainWidget::act_reme, "Rem. edge", "reme", "Rem. Edge"},
    {&MainWidget::act_close_analyst, "Close", "exit", "Close"},
    {&MainWidget::act_clear_database, "Clear database", "clear", "Clear database"},
    {&MainWidget::act_rebuild_database, "Rebuild database", "refresh", "Rebuild database"},
    {&MainWidget::act_show_graph, "Graph", "graph", "Graph"},
    {&MainWidget::act_show_problem, "White board", "problem", "White Board"},
    {&MainWidget::act_show_analyst, "Results Explorer", "analyst", "Results Explorer"},
};

QMainWindow *workingWindow(const QString &title, QWidget *view)
{
    auto *window = new QMainWindow;
    window->setWindowTitle(title);
    auto *central = new QWidget(window);
    auto *grid = new QGridLayout(central);
    grid->addWidget(view, 0, 0);
    window->setCentralWidget(central);
    return window;
}

} // namespace

MainWidget::MainWidget(BuildCalculus *calculus) : QWidget(nullptr), build_calculus(calculus)
{
    // Every window of the application opens inside the screen's available area.
    new WindowPlacement(this);
    Node::initColors();
    analyst_g = new Analyst(nullptr);
    conjecture_settings_g = new ConjectureSettings;
    conjectures_display_g = new ConjecturesDisplay;
    conjecture_widget_g = new ConjectureWidget(analyst_g, conjecture_settings_g, conjectures_display_g);
    analyst_v = new Analyst(nullptr);
    conjecture_settings_v = new ConjectureSettings;
    conjectures_display_v = new ConjecturesDisplay;
    conjecture_widget_v = new ConjectureWidget(analyst_v, conjecture_settings_v, conjectures_display_v);
    graph = new Graph("graph", true);
    graph_bak = new Graph("Graph_bak", true);
    problem = new Problem(graph, "problem", true);
    placeInfoItems();
    pb_loading = new ProgressBar;
    pb_loading->setName("Loading graphs...");
    pb_loading->set_nb_bars(1);
    data_loader = new DataLoader(problem, graph, pb_loading);
    filter_widget_v = new FilterWidget;
    filter_widget_g = new FilterWidget;
    analyst_widget_g =
        new AnalystWidget(problem, graph, analyst_g, data_loader, filter_widget_g, conjecture_settings_g, false);
    analyst_widget_v =
        new AnalystWidget(problem, graph, analyst_v, data_loader, filter_widget_v, conjecture_settings_v, true);
    vns_manager = new VNSManager(problem, graph, analyst_widget_g, analyst_widget_v, data_loader);
    plot_widget_g = new PlotWidget;
    plot_widget_v = new PlotWidget;
    report = new Report(problem, build_calculus);
    // Read at each refresh; empty once the panels are gone at teardown.
    report->setConjectureSources(
        [this] { return conjecture_widget_g ? conjecture_widget_g->getConjectures() : QString(); },
        [this] { return conjecture_widget_v ? conjecture_widget_v->getConjectures() : QString(); });

    mds_dim = 2;
    runs = settings.value("runs", 0).toInt() + 1;
    settings.setValue("runs", runs);
    nb_threads = 4;

    please_wait = new QWidget;
    auto *waitGrid = new QGridLayout(please_wait);
    waitGrid->addWidget(new QLabel("Please wait ... (re)building orv database", please_wait), 0, 0);
    please_wait->hide();

    pb_optimization = new ProgressBar;
    pb_optimization->setName("ORV is optimizing... please wait.");
    pb_optimization->hide();

    buildInspector();
    buildWindows();
    buildAnalystWindow();

    auto *grid = new QGridLayout(this);
    grid->addWidget(tool_box, 0, 0);

    createActions();
    createMenus();
    createToolBars();
    connectAll();

    no_ask_update = settings.value("noAskUpdate", false).toBool();
    preference_window->slot_ask_update(no_ask_update);
    emit signal_orv_running();
    std::cerr << "ORV running" << std::endl;
}

MainWidget::~MainWidget()
{
    if (timer_id)
        killTimer(timer_id);
    // Every thread stops before anything goes: the conjecture engines read the value tables,
    // the optimiser's workers and the loader the board and the graph.
    stopConjectureSearches();
    vns_manager->slot_stopVNS();
    vns_manager->wait();
    delete vns_manager;
    vns_manager = nullptr;
    data_loader->slot_cancel();
    data_loader->wait();
    // The explorer window holds the panels with their value tables, the filters, the plots and
    // the conjecture panels, which read the board, the graph and the loader: it goes whole,
    // before them (taken apart piece by piece, it would redraw from what is already gone).
    delete analyst_window;
    analyst_window = nullptr;
    analyst_widget_g = analyst_widget_v = nullptr;
    filter_widget_g = filter_widget_v = nullptr;
    plot_widget_g = plot_widget_v = nullptr;
    conjecture_widget_g = conjecture_widget_v = nullptr;
    analyst_g = analyst_v = nullptr;
    // What the conjecture panels used, once they are gone.
    delete conjecture_settings_g;
    delete conjecture_settings_v;
    delete conjectures_display_g;
    delete conjectures_display_v;
    delete data_loader;
    delete pb_loading;
    // The board refers to the graph, and the views sit in windows deleted below: the board
    // goes first, then the graph, then what is left.
    delete problem;
    delete graph;
    for (QAction *MainWidget::*member :
         {&MainWidget::act_run, &MainWidget::act_halt, &MainWidget::act_open_problem,
          &MainWidget::act_save_problem, &MainWidget::act_print_problem, &MainWidget::act_refresh_problem,
          &MainWidget::act_close_problem, &MainWidget::act_show_graph, &MainWidget::act_show_problem,
          &MainWidget::act_show_analyst})
        delete (this->*member);
    delete menu_add_component;
    for (QAction *MainWidget::*member :
         {&MainWidget::act_open_graph, &MainWidget::act_save_graph, &MainWidget::act_place_graph,
          &MainWidget::act_print_graph, &MainWidget::act_close_graph, &MainWidget::act_show_gbackup,
          &MainWidget::act_addv, &MainWidget::act_adde, &MainWidget::act_remv, &MainWidget::act_reme})
        delete (this->*member);
    delete menu_graph;
    delete act_clear_database;
    delete act_rebuild_database;
    delete act_close_analyst;
    delete act_delete_items;
    // The windows of the views: nothing refers to them once the board and graph are gone.
    delete graph_backup_window;
    delete graph_window;
    delete console_window;
    delete problem_window;
    delete report;
    delete version_checker;
    delete network_manager;
    delete please_wait;
    delete pb_optimization;
}

// ---------------------------------------------------------------------------------------------
// Inspector and windows

void MainWidget::buildInspector()
{
    tool_box = new QToolBox(this);
    tool_box->setMinimumWidth(400);
    tool_box->setMaximumWidth(400);
    auto *optimization = new QWidget;
    buildOptimizationPage(optimization);
    tool_box->addItem(optimization, QIcon(), "Optimization");
    auto *graphPage = new QWidget;
    buildGraphPage(graphPage);
    tool_box->addItem(graphPage, QIcon(), "Graph");
    preference_window = new PreferenceWindow;
    tool_box->addItem(preference_window, QIcon(), "Preferences");
}

void MainWidget::buildOptimizationPage(QWidget *page)
{
    optimization_layout = new QGridLayout(page);
    QGridLayout *g = optimization_layout;
    sb_p1_min = new QSpinBox(page);
    sb_p1_min->setRange(5, 10);
    sb_p1_min->setValue(10);
    sb_p1_max = new QSpinBox(page);
    sb_p1_max->setRange(10, maxVertexCount);
    sb_p1_max->setValue(10);
    g->addWidget(sb_p1_min, 0, 0, Qt::AlignLeft);
    g->addWidget(new QLabel("<= n <=", page), 0, 1, Qt::AlignLeft);
    g->addWidget(sb_p1_max, 0, 2, Qt::AlignLeft);

    auto addSpin = [&](int row, const char *label, int lo, int hi, int value) {
        auto *spin = new QSpinBox(page);
        spin->setRange(lo, hi);
        spin->setValue(value);
        spin->setObjectName(label);
        g->addWidget(new QLabel(label, page), row, 0, 1, 2);
        g->addWidget(spin, row, 2);
        return spin;
    };
    sb_nb_threads = addSpin(1, "Number of threads ", 1, 4, nb_threads);
    sb_max_time = addSpin(2, "Optimization time (sec 0:infty) ", 0, 86400, 600);
    sb_max_evals = addSpin(3, "Max evaluations (0:infty) ", 0, 10000000, 0);

    cb_auto_add_graphs = new QCheckBox("Auto add Graphs", page);
    cb_auto_add_graphs->setChecked(true);
    lb_nb_graphs = new QLabel("0 graphs", page);
    bt_add_graphs = new QPushButton("Add graphs", page);
    bt_add_graphs->setEnabled(false);
    g->addWidget(cb_auto_add_graphs, 4, 0);
    g->addWidget(lb_nb_graphs, 4, 1);
    g->addWidget(bt_add_graphs, 4, 2);

    sb_agressivity = new QDoubleSpinBox(page);
    sb_agressivity->setRange(0.01, 1.0);
    sb_agressivity->setDecimals(2);
    sb_agressivity->setSingleStep(0.05);
    sb_agressivity->setValue(0.6);
    cb_reset_stats = new QCheckBox("Reset stats", page);
    cb_reset_stats->setChecked(true);
    g->addWidget(new QLabel("Agressivity", page), 5, 0);
    g->addWidget(sb_agressivity, 5, 1);
    g->addWidget(cb_reset_stats, 5, 2);

    cb_random_graph = new QCheckBox("Random graph", page);
    cb_family_opt = new QCheckBox("Family opt.", page);
    cb_family_opt->setChecked(true);
    cb_amnesy_mode = new QCheckBox("Amnesy mode", page);
    cb_amnesy_mode->setChecked(true);
    g->addWidget(cb_random_graph, 6, 0);
    g->addWidget(cb_family_opt, 6, 1);
    g->addWidget(cb_amnesy_mode, 6, 2);
    g->setRowStretch(7, 1);
}

void MainWidget::buildGraphPage(QWidget *page)
{
    graph_layout = new QGridLayout(page);
    QGridLayout *g = graph_layout;
    auto *modeLabel = new QLabel("Vertex add. mode", page);
    modeLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    g->addWidget(modeLabel, 0, 0);
    auto *modes = new QButtonGroup(page);
    const char *modeTexts[] = {"Cliq.", "Bipart.", "Tail."};
    void (Graph::*modeSlots[])() = {&Graph::slot_set_add_k, &Graph::slot_set_add_bip, &Graph::slot_set_add_tail};
    for (int i = 0; i < 3; ++i) {
        auto *radio = new QRadioButton(modeTexts[i], page);
        radio->setChecked(i == 0);
        modes->addButton(radio);
        g->addWidget(radio, i, 1);
        connect(radio, &QRadioButton::clicked, graph, modeSlots[i]);
    }
    const char *buttonTexts[] = {"Unselect", "Inv. sel.", "Compl."};
    void (Graph::*buttonSlots[])() = {&Graph::slot_unselect_all, &Graph::slot_invert_selection,
                                      &Graph::slot_complement};
    for (int i = 0; i < 3; ++i) {
        auto *button = new QPushButton(buttonTexts[i], page);
        g->addWidget(button, i, 2);
        connect(button, &QPushButton::clicked, graph, buttonSlots[i]);
    }

    auto *nodeSize = new QDoubleSpinBox(page);
    nodeSize->setMinimum(0.5);
    nodeSize->setValue(20);
    nodeSize->setMaximum(200);
    g->addWidget(new QLabel("Node size", page), 3, 0);
    g->addWidget(nodeSize, 3, 1);
    auto *edgeWidth = new QSpinBox(page);
    edgeWidth->setMinimum(0);
    edgeWidth->setValue(2);
    edgeWidth->setMaximum(20);
    g->addWidget(new QLabel("Edge width", page), 4, 0);
    g->addWidget(edgeWidth, 4, 1);
    sb_scale_pos = new QDoubleSpinBox(page);
    sb_scale_pos->setRange(10, 2000);
    sb_scale_pos->setValue(500);
    auto *threeD = new QCheckBox("3D pos.", page);
    g->addWidget(new QLabel("Scale pos.", page), 5, 0);
    g->addWidget(sb_scale_pos, 5, 1);
    g->addWidget(threeD, 5, 2);

    auto *save = new QPushButton("Save", page);
    auto *load = new QPushButton("Load", page);
    auto *explorer = new QPushButton("Explorer", page);
    auto *shuffle = new QPushButton("Shuffle (relabel)", page);
    g->addWidget(save, 6, 0);
    g->addWidget(load, 6, 1);
    g->addWidget(explorer, 6, 2);
    g->addWidget(shuffle, 7, 0, 1, 2);
    g->setRowStretch(8, 1);

    // Made here, in the order of the main widget's wiring, once the values above are set.
    connect(edgeWidth, qOverload<int>(&QSpinBox::valueChanged), this, &MainWidget::slot_set_edge_width);
    connect(shuffle, &QPushButton::clicked, graph, &Graph::slot_relabel);
    connect(threeD, &QCheckBox::clicked, this, &MainWidget::slot_set_mds3d);
    connect(nodeSize, qOverload<double>(&QDoubleSpinBox::valueChanged), graph, &Graph::slot_set_node_radius);
    connect(save, &QPushButton::clicked, graph, &Graph::slot_save);
    connect(load, &QPushButton::clicked, graph, &Graph::slot_open);
    bt_graph_explorer = explorer;
}

void MainWidget::buildWindows()
{
    graph_backup_window = new QWidget;
    auto *backupGrid = new QGridLayout(graph_backup_window);
    backupGrid->addWidget(graph_bak, 0, 0, 1, 3);
    bt_backup = new QPushButton("Backup", graph_backup_window);
    bt_restore = new QPushButton("Restore", graph_backup_window);
    bt_exchange = new QPushButton("Exchange", graph_backup_window);
    backupGrid->addWidget(bt_backup, 1, 0);
    backupGrid->addWidget(bt_restore, 1, 1);
    backupGrid->addWidget(bt_exchange, 1, 2);
    graph_backup_window->setWindowTitle("Graph Backup");
    graph_backup_window->hide();

    graph_window = workingWindow("Graph", graph);
    graph_window->resize(1000, 650);

    console = new Console;
    auto *logbook = new QWidget;
    auto *logGrid = new QGridLayout(logbook);
    le_title = new QLineEdit(logbook);
    te_comments = new QTextEdit(logbook);
    // The description is plain text both ways: what the user types is what the board keeps.
    te_comments->setAcceptRichText(false);
    logGrid->addWidget(new QLabel("Title :", logbook), 0, 0);
    logGrid->addWidget(le_title, 0, 1);
    logGrid->addWidget(new QLabel("Comments :", logbook), 1, 0, 1, 2);
    logGrid->addWidget(te_comments, 2, 0, 1, 2);

    console_window = new QMainWindow;
    console_window->setWindowIcon(QIcon(":/src/images/console.png"));
    console_window->setWindowTitle("Console");
    auto *tabs = new QTabWidget(console_window);
    tabs->addTab(console, "Console");
    tabs->addTab(logbook, "Logbook");
    console_window->setCentralWidget(tabs);
    console_window->resize(600, 400);

    problem_window = workingWindow("White board", problem);
    problem_window->setMinimumWidth(600);
    problem_window->setMinimumHeight(400);
    problem_window->resize(1000, 650);
}

void MainWidget::placeInfoItems()
{
    // Each info item starts at a random place near the origin, where the four cover one
    // another: on the shown board they start in one column at its right instead.
    const QVector<Calculus *> info = {problem->getColors(), problem->getLabels(), problem->getELabels(),
                                      problem->getEHilights()};
    for (int i = 0; i < info.size(); ++i)
        info[i]->setPos(360, -105 + 70 * i);
}

void MainWidget::buildAnalystWindow()
{
    analyst_window = new ExplorerWindow(analyst_g, analyst_widget_g, filter_widget_g, plot_widget_g, analyst_v,
                                         analyst_widget_v, filter_widget_v, plot_widget_v, data_loader);
    analyst_window->setConjectureWidget(ExplorerWindow::GraphSide, conjecture_widget_g);
    analyst_window->setConjectureWidget(ExplorerWindow::VertexSide, conjecture_widget_v);
    analyst_window->resize(1000, 700);

    // The window wires its own inspector page; it goes between "Graph" and "Preferences".
    QWidget *page = analyst_window->inspectorPage();
    tool_box->insertItem(2, page, QIcon(), "Explorer");
    const QVector<QPair<QPushButton **, const char *>> buttons = {
        {&bt_explorer_load, "Load"},
        {&bt_explorer_update, "Update"},
        {&bt_explorer_clear, "Clear"},
        {&bt_explorer_delete, "Delete"},
        {&bt_save_data_g, "Save data (G)"},
        {&bt_save_data_v, "Save data (V)"},
        {&bt_save_graphs_g, "Save graphs (G)"},
        {&bt_save_graphs_v, "Save graphs (V)"},
        {&bt_save_all_graphs, "Save all graphs"},
        {&bt_save_pdf_g, "Save graphs pdf (G)"},
        {&bt_save_pdf_v, "Save graphs pdf (V)"},
        {&bt_save_all_pdf, "Save all graphs pdf"},
    };
    for (const auto &b : buttons)
        *b.first = analyst_window->pageButton(b.second);
    for (QRadioButton *r : page->findChildren<QRadioButton *>())
        (r->text() == "g6" ? rb_g6 : rb_orv) = r;
    cb_filter = page->findChild<QCheckBox *>();
}

// ---------------------------------------------------------------------------------------------
// Actions, menus and toolbars

void MainWidget::createActions()
{
    for (const ActionRow &row : actionRows)
        this->*row.member = ActionMaker::make(this, row.text, row.icon, row.tip);
    act_halt->setEnabled(false);
}

void MainWidget::createMenus()
{
    menu_add_component = new QMenu("Add Component");
    menu_add_component->addAction(new QAction("Add component...", this));
    QMenu *invariants = menu_add_component->addMenu("Invariants");
    const QVector<QPair<QMenu *, const QStringList *>> lists = {
        {invariants->addMenu("Value"), &build_calculus->invariantsVal},
        {invariants->addMenu("Vector"), &build_calculus->invariantsVec},
        {invariants->addMenu("Matrix"), &build_calculus->invariantsMat},
        {invariants->addMenu("Family"), &build_calculus->invariantsFam},
        {menu_add_component->addMenu("Operators"), &build_calculus->operators},
        {menu_add_component->addMenu("Constraints"), &build_calculus->constraints},
    };
    for (const auto &entry : lists)
        for (const QString &key : *entry.second)
            entry.first->addAction(new QAction(key, this));
    for (const char *key : {"MAXIMIZE", "MINIMIZE", "MAXMIN"})
        menu_add_component->addAction(new QAction(key, this));
    menu_add_component->addSeparator();
    ActionMaker::addGroups(menu_add_component,
                       {{act_delete_items, act_unselect_items},
                        {act_print_problem, act_open_problem, act_save_problem, act_refresh_problem},
                        {act_align_x, act_align_y, act_space_y, act_space_x},
                        {act_link1, act_link2, act_link3, act_link4}});

    menu_graph = new QMenu("Graph context menu");
    ActionMaker::addGroups(menu_graph, {{act_place_graph, act_place_circle, act_open_graph, act_save_graph,
                                     act_print_graph, act_show_gbackup},
                                    {act_select_all, act_unselect_all, act_toggle_selection},
                                    {act_addv, act_remv, act_adde, act_reme},
                                    {act_refresh_graph}});
}

void MainWidget::createToolBars()
{
    tb_problem = problem_window->addToolBar("White Board");
    ActionMaker::addGroups(tb_problem, {{act_close_problem},
                                    {act_run, act_halt, act_clear_database},
                                    {act_open_problem, act_save_problem, act_print_problem, act_refresh_problem},
                                    {act_align_x, act_space_x, act_space_y, act_align_y},
                                    {act_link1, act_link2, act_link3, act_link4},
                                    {act_show_graph, act_show_analyst}});
    tb_graph = graph_window->addToolBar("Graph");
    ActionMaker::addGroups(tb_graph, {{act_close_graph},
                                  {act_run, act_halt, act_clear_database},
                                  {act_open_graph, act_save_graph, act_print_graph, act_show_gbackup},
                                  {act_place_graph, act_place_circle, act_refresh_graph},
                                  {act_show_problem, act_show_analyst}});
    tb_graph2 = graph_window->addToolBar("Graph2");
    ActionMaker::addGroups(tb_graph2, {{act_addv, act_remv, act_adde, act_reme},
                                   {act_select_all, act_unselect_all, act_toggle_selection}});
    // The explorer's own "Close", "Clear database" and "Rebuild database" sit around these.
    tb_analyst = analyst_window->toolBar();
    analyst_window->setShellActions(act_run, act_halt, act_show_problem, act_show_graph);
}

// ---------------------------------------------------------------------------------------------
// Wiring

void MainWidget::connectAll()
{
    // The main widget's own signals.
    for (QAction *action : {act_open_problem, act_save_problem, act_print_problem, act_refresh_problem,
                            act_clear_database, act_show_gbackup})
        connect(this, &MainWidget::signal_opt_running, action, &QAction::setDisabled);
    connect(this, &MainWidget::signal_opt_running, act_run, &QAction::setDisabled);
    connect(this, &MainWidget::signal_opt_running, act_halt, &QAction::setEnabled);
    connect(this, &MainWidget::signal_opt_running, problem, &QWidget::setDisabled);
    connect(this, &MainWidget::signal_opt_running, graph, &QWidget::setDisabled);
    connect(this, &MainWidget::signal_adde, graph, &Graph::slot_adde);
    connect(this, &MainWidget::signal_addv, graph, &Graph::slot_addv);
    connect(this, &MainWidget::signal_reme, graph, &Graph::slot_reme);
    connect(this, &MainWidget::signal_remv, graph, &Graph::slot_remv);
    connect(this, &MainWidget::signal_reload, preference_window, &PreferenceWindow::slot_reload);
    connect(this, &MainWidget::signal_opt_running, analyst_window, &ExplorerWindow::slot_opt_running);
    connect(this, &MainWidget::signal_print_plot, plot_widget_g, &PlotWidget::slot_print);
    connect(this, &MainWidget::signal_print_vplot, plot_widget_v, &PlotWidget::slot_print);

    // The graph view.
    connect(graph, &Graph::customContextMenuRequested, this,
            qOverload<QPoint>(&MainWidget::slot_graph_context_menu));
    connect(graph, &Graph::signal_interactive_graph_changed, this, &MainWidget::slot_refresh);

    // The white board.
    connect(problem, &Problem::customContextMenuRequested, this,
            qOverload<QPoint>(&MainWidget::slot_problem_context_menu));
    connect(problem, &Problem::signal_problem_description, this, &MainWidget::slot_set_problem_description);
    connect(problem, &Problem::signal_problem_title, this, &MainWidget::slot_set_problem_title);

    // Inspector and graph backup window.
    connect(sb_p1_max, qOverload<int>(&QSpinBox::valueChanged), this, &MainWidget::slot_set_sb_p1_max);
    connect(sb_p1_min, qOverload<int>(&QSpinBox::valueChanged), this, &MainWidget::slot_set_sb_p1_min);
    connect(bt_backup, &QPushButton::clicked, this, &MainWidget::slot_backup_graph);
    connect(bt_restore, &QPushButton::clicked, this, &MainWidget::slot_restore_graph);
    connect(bt_exchange, &QPushButton::clicked, this, &MainWidget::slot_exchange_graph);
    connect(preference_window, &PreferenceWindow::signal_change_wd, this, &MainWidget::slot_set_orv_wd);
    connect(preference_window, &PreferenceWindow::signal_change_media_dir, this,
            &MainWidget::slot_set_orv_media_dir);
    connect(preference_window, &PreferenceWindow::signal_set_ask_update, this, &MainWidget::slot_set_ask_update);
    connect(preference_window, &PreferenceWindow::signal_set_reload, this, &MainWidget::slot_set_reload);
    connect(te_comments, &QTextEdit::textChanged, this, &MainWidget::slot_problem_description_changed);
    connect(bt_graph_explorer, &QPushButton::clicked, this, &MainWidget::slot_save_graph_analyst);

    // The explorer panels.
    connect(analyst_widget_v, &AnalystWidget::signal_place_graph, this, &MainWidget::slot_place_graph);
    connect(analyst_widget_g, &AnalystWidget::signal_place_graph, this, &MainWidget::slot_place_graph);

    // Actions and menus.
    connect(act_close_problem, &QAction::triggered, this, &MainWidget::slot_show_problem);
    connect(act_close_graph, &QAction::triggered, this, &MainWidget::slot_show_graph);
    connect(act_close_analyst, &QAction::triggered, this, &MainWidget::slot_show_analyst);
    connect(act_open_problem, &QAction::triggered, problem, &Problem::slot_open);
    connect(act_save_problem, &QAction::triggered, problem, &Problem::slot_save);
    connect(act_print_problem, &QAction::triggered, problem, &Problem::slot_print);
    connect(act_refresh_problem, &QAction::triggered, this, &MainWidget::slot_refresh);
    connect(act_align_x, &QAction::triggered, problem, &Problem::slot_alignX);
    connect(act_align_y, &QAction::triggered, problem, &Problem::slot_alignY);
    connect(act_space_x, &QAction::triggered, problem, &Problem::slot_spaceX);
    connect(act_space_y, &QAction::triggered, problem, &Problem::slot_spaceY);
    connect(act_link1, &QAction::triggered, problem, &Problem::slot_link1);
    connect(act_link2, &QAction::triggered, problem, &Problem::slot_link2);
    connect(act_link3, &QAction::triggered, problem, &Problem::slot_link3);
    connect(act_link4, &QAction::triggered, problem, &Problem::slot_link4);
    connect(this, &MainWidget::signal_opt_running, act_open_graph, &QAction::setDisabled);
    connect(this, &MainWidget::signal_opt_running, act_save_graph, &QAction::setDisabled);
    connect(this, &MainWidget::signal_opt_running, pb_optimization, &QWidget::setVisible);
    connect(act_open_graph, &QAction::triggered, graph, &Graph::slot_open);
    connect(act_save_graph, &QAction::triggered, graph, &Graph::slot_save);
    connect(act_print_graph, &QAction::triggered, graph, &Graph::slot_print);
    connect(act_place_graph, &QAction::triggered, this, &MainWidget::slot_place_graph);
    connect(act_place_circle, &QAction::triggered, this, &MainWidget::slot_place_graph_circle);
    connect(act_refresh_graph, &QAction::triggered, graph, &Graph::slot_update);
    connect(act_show_gbackup, &QAction::triggered, this, &MainWidget::slot_show_gbackup);
    connect(act_addv, &QAction::triggered, this, &MainWidget::slot_addv);
    connect(act_adde, &QAction::triggered, this, &MainWidget::slot_adde);
    connect(act_remv, &QAction::triggered, this, &MainWidget::slot_remv);
    connect(act_reme, &QAction::triggered, this, &MainWidget::slot_reme);
    connect(act_select_all, &QAction::triggered, graph, &Graph::slot_select_all);
    connect(act_toggle_selection, &QAction::triggered, graph, &Graph::slot_invert_selection);
    connect(act_unselect_all, &QAction::triggered, graph, &Graph::slot_unselect_all);
    // One "Clear database" for every window: the explorer's own, which also empties the
    // conjecture lists. It refuses while graphs are being loaded.
    connect(act_clear_database, &QAction::triggered, analyst_window, [this] {
        if (analyst_window->clearAction()->isEnabled())
            analyst_window->clearAction()->trigger();
    });
    connect(act_rebuild_database, &QAction::triggered, analyst_widget_g, &AnalystWidget::slot_update_table);
    connect(act_rebuild_database, &QAction::triggered, analyst_widget_v, &AnalystWidget::slot_update_table);
    connect(menu_add_component, &QMenu::triggered, this, qOverload<QAction *>(&MainWidget::slot_problem_context_menu));

    connect(graph, &Graph::signal_best_graph_changed, problem, &Problem::slot_best_backup);
    connect(le_title, &QLineEdit::textChanged, problem, &Problem::slot_set_title);
    connect(graph, &Graph::signal_console, console, qOverload<QString, bool, int, QColor>(&Console::append));
    connect(graph, &Graph::signal_load_next, analyst_widget_g, &AnalystWidget::slot_next_graph);
    connect(graph, &Graph::signal_start_vns, this, &MainWidget::slot_start_vns);
    connect(graph, &Graph::signal_place_graph, this, &MainWidget::slot_place_graph);
    connect(problem, &Problem::signal_console, console, qOverload<QString, bool, int, QColor>(&Console::append));

    // The loader wires its own progress window (progress, completion and cancel) itself, and
    // the explorer window its tables, filters, plots and inspector page.
    for (AnalystWidget *panel : {analyst_widget_g, analyst_widget_v})
        connect(panel, &AnalystWidget::signal_console, console,
                qOverload<QString, bool, int, QColor>(&Console::append));
    for (ConjectureWidget *conjectures : {conjecture_widget_g, conjecture_widget_v}) {
        connect(conjectures, &ConjectureWidget::signal_console, console,
                qOverload<QString, bool, int, QColor>(&Console::append));
        connect(analyst_window, &ExplorerWindow::signal_database_cleared, conjectures,
                &ConjectureWidget::slot_clear_database);
    }
    connect(this, &MainWidget::signal_orv_running, this, &MainWidget::slot_init_orv);

    // The optimiser.
    VNSManager *vm = vns_manager;
    connect(vm, &VNSManager::signal_new_solution, problem, &Problem::slot_refresh);
    connect(vm, &VNSManager::signal_please_wait, please_wait, &QWidget::setVisible);
    connect(vm, &VNSManager::signal_graphs_ready, analyst_widget_g, &AnalystWidget::slot_data_loaded);
    connect(vm, &VNSManager::signal_graphs_ready, analyst_widget_v, &AnalystWidget::slot_data_loaded);
    connect(vm, &VNSManager::signal_enable_add_graphs, bt_add_graphs, &QPushButton::setEnabled);
    connect(vm, &VNSManager::signal_optimization_complete, this, &MainWidget::slot_optimization_complete);
    connect(vm, &VNSManager::signal_optimization_starts, this, &MainWidget::slot_optimization_starts);
    connect(vm, qOverload<QString, bool, int, QColor>(&VNSManager::signal_console), console,
            qOverload<QString, bool, int, QColor>(&Console::append));
    connect(vm, qOverload<QString, bool, int, QColor, int>(&VNSManager::signal_console), console,
            qOverload<QString, bool, int, QColor, int>(&Console::append));
    connect(vm, &VNSManager::signal_nb_graphs, lb_nb_graphs, &QLabel::setText);
    connect(vm, &VNSManager::signal_nb_jobs, pb_optimization, &ProgressBar::set_nb_bars);
    connect(vm, &VNSManager::signal_vns_progress, pb_optimization, &ProgressBar::slot_progress);
    connect(vm, &VNSManager::signal_nothing_to_optimize, this, &MainWidget::slot_nothing_to_optimize);
    connect(act_halt, &QAction::triggered, vm, &VNSManager::slot_stopVNS);
    connect(this, &MainWidget::signal_halt, vm, &VNSManager::slot_stopVNS);
    connect(pb_optimization, &ProgressBar::signal_cancel, vm, &VNSManager::slot_stopVNS);
    connect(this, &MainWidget::signal_start_vns, vm, &VNSManager::slot_startVNS);
    connect(problem, &Problem::signal_start_vns, vm, &VNSManager::slot_startVNS);
    connect(cb_auto_add_graphs, &QCheckBox::toggled, vm, &VNSManager::slot_auto_add_graphs);
    connect(sb_nb_threads, qOverload<int>(&QSpinBox::valueChanged), vm, &VNSManager::slot_set_nb_threads);
    connect(sb_max_evals, qOverload<int>(&QSpinBox::valueChanged), vm, &VNSManager::slot_set_max_evals);
    connect(bt_add_graphs, &QPushButton::clicked, vm, &VNSManager::slot_add_graphs_analyst);
    connect(sb_agressivity, qOverload<double>(&QDoubleSpinBox::valueChanged), vm,
            &VNSManager::slot_set_agressivity);
    connect(sb_max_time, qOverload<int>(&QSpinBox::valueChanged), vm, &VNSManager::slot_setMaxTime);
    connect(sb_p1_min, qOverload<int>(&QSpinBox::valueChanged), vm, &VNSManager::slot_set_p1min);
    connect(sb_p1_max, qOverload<int>(&QSpinBox::valueChanged), vm, &VNSManager::slot_set_p1max);
    connect(cb_amnesy_mode, &QCheckBox::toggled, vm, &VNSManager::slot_set_amnesy_mode);
    connect(cb_family_opt, &QCheckBox::toggled, vm, &VNSManager::slot_optimize_family_in_ls);
    connect(cb_random_graph, &QCheckBox::toggled, vm, &VNSManager::slot_set_start_random);
    connect(cb_reset_stats, &QCheckBox::toggled, vm, &VNSManager::slot_reset_stats);
    connect(act_run, &QAction::triggered, this, &MainWidget::slot_start_vns);
    connect(act_show_graph, &QAction::triggered, this, &MainWidget::slot_show_graph);
    connect(act_show_problem, &QAction::triggered, this, &MainWidget::slot_show_problem);
    connect(act_show_analyst, &QAction::triggered, this, &MainWidget::slot_show_analyst);
    connect(act_delete_items, &QAction::triggered, problem, &Problem::slot_delete_items);
    connect(act_unselect_items, &QAction::triggered, problem, &Problem::slot_unselect_all);
}

// ---------------------------------------------------------------------------------------------
// Start, settings and the orderly end

void MainWidget::slot_init_orv()
{
    wd = settings.value("wd").toString();
    problem->setWD(wd);
    graph->setWD(wd);
    analyst_widget_g->setWD(wd);
    analyst_widget_v->setWD(wd);
    const QString stored = settings.value("problem").toString();
    settings.setValue("problem", QString());
    // Read at every start, so that the preferences show the stored choice and quit() writes
    // back what the user chose rather than a value never read.
    reload = settings.value("reload", false).toBool();
    emit signal_reload(reload);
    if (!stored.isEmpty() && reload)
        restoreLastWork();
    slot_place_graph();
    timer_id = startTimer(60000, Qt::CoarseTimer);

    network_manager = new QNetworkAccessManager;
    version_checker = new VersionChecker(network_manager);
    connect(version_checker, &VersionChecker::signal_new_version_available, this,
            &MainWidget::slot_new_version_available);
    QTimer::singleShot(0, version_checker, &VersionChecker::slot_start);
}

void MainWidget::restoreLastWork()
{
    // Written false first: a restore that never returns is not tried again next time.
    settings.setValue("reload", false);
    QString why;
    if (!problem->autoload(&why)) {
        DialogProvider::instance()->warning(this, "Error",
                                            "Unable to load problem " + problem->autosavePath() + "\n" + why);
    } else {
        const QString storedGraph = settings.value("graph").toString();
        settings.setValue("graph", QString());
        if (storedGraph.isEmpty()) {
            DialogProvider::instance()->warning(this, "Error", "Unable to load graph ");
        } else {
            // The board is restored either way; a graph file that does not read is said.
            if (!graph->autoload(&why))
                DialogProvider::instance()->warning(this, "Error",
                                                    "Unable to load graph " + graph->autosavePath() + "\n" + why);
            graph->changeBest();
            graph->best_backup();
            settings.setValue("graph", graph->graphData());
        }
        // The restored work is stored again at once: a run that ends before its first autosave
        // (killed, or the machine stopped) restores it at the next start too, instead of
        // starting empty and autosaving the empty board over the files.
        settings.setValue("problem", problem->saveString());
    }
    settings.setValue("reload", true);
}

void MainWidget::slot_new_version_available(QString name)
{
    if (no_ask_update)
        return;
    DownloadEngine::offer(this, network_manager, name, [] { return new ProgressBar; });
}

void MainWidget::saveWork()
{
    // During a run a worker copies the board from its text at every job start, under the
    // workers' shared lock: the board is read under it here too. The graph locks itself.
    QMutex *shared = vns_manager->sharedMutex();
    {
        QMutexLocker locker(shared);
        settings.setValue("problem", problem->saveString());
    }
    settings.setValue("graph", graph->graphData());
    {
        QMutexLocker locker(shared);
        problem->autosave();
    }
    graph->autosave();
}

void MainWidget::timerEvent(QTimerEvent *)
{
    saveWork();
}

QString MainWidget::autosaveFailure() const
{
    QStringList failed;
    if (!problem->autosaveFailure().isEmpty())
        failed << problem->autosaveFailure();
    if (!graph->autosaveFailure().isEmpty())
        failed << graph->autosaveFailure();
    return failed.join('\n');
}

QString MainWidget::runningExports() const
{
    QStringList running;
    for (const AnalystWidget *panel : {analyst_widget_g, analyst_widget_v})
        if (panel->pdfExportRunning())
            running << "Graphs are being saved as PDF:\n" + panel->pdfExportState() + ".";
    return running.join('\n');
}

void MainWidget::holdExports(bool hold)
{
    analyst_widget_g->holdPdfExport(hold);
    analyst_widget_v->holdPdfExport(hold);
}

bool MainWidget::isRunning() const
{
    return vns_manager && vns_manager->isRunning();
}

bool MainWidget::waitWhileRunning(int boundMs)
{
    QElapsedTimer clock;
    clock.start();
    while (isRunning()) {
        if (clock.elapsed() >= boundMs)
            return false;
        // The optimiser's queued signals are served meanwhile; clicks wait, so that a second
        // "&Exit" cannot begin a quit inside this one.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
        QThread::msleep(5);
    }
    return true;
}

void MainWidget::stopConjectureSearches()
{
    conjecture_widget_g->slot_stop_all();
    conjecture_widget_v->slot_stop_all();
}

bool MainWidget::quit()
{
    stopConjectureSearches();
    // Said on the standard error stream too: the console closes with the run.
    for (AnalystWidget *panel : {analyst_widget_g, analyst_widget_v}) {
        const QString line = panel->stopPdfExport("stopped on exit");
        if (!line.isEmpty())
            std::cerr << line.toStdString() << std::endl;
    }
    emit signal_halt();
    if (waitWhileRunning()) {
        vns_manager->wait();
    } else {
        // The save reads the board under the workers' lock, so it is safe while they end.
        const QString text = "The optimisation has not stopped yet; the work is saved meanwhile.";
        console->append(text, false, 0, QColor(Qt::red));
        std::cerr << text.toStdString() << std::endl;
    }
    data_loader->slot_cancel();
    data_loader->wait();
    saveWork();
    settings.setValue("reload", reload);
    return true;
}

void MainWidget::slot_set_ask_update(bool on)
{
    settings.setValue("noAskUpdate", on);
    no_ask_update = on;
}

void MainWidget::slot_set_reload(bool on)
{
    reload = on;
    settings.setValue("reload", on);
}

void MainWidget::slot_set_orv_wd()
{
    const QString dir =
        DialogProvider::instance()->getExistingDirectory(this, "Choose orv default working directory", wd);
    if (dir.isEmpty())
        return;
    settings.setValue("wd", dir);
    wd = dir;
    problem->setWD(wd);
    graph->setWD(wd);
    analyst_widget_g->setWD(wd);
}

// ---------------------------------------------------------------------------------------------
// Commands

void MainWidget::slot_start_vns()
{
    if (!problem->needOptimization()) {
        DialogProvider::instance()->warning(this, tr("Optimization"), tr("No problem to optimize."));
        return;
    }
    emit signal_start_vns();
}

void MainWidget::slot_halt_optimization()
{
    emit signal_halt();
}

void MainWidget::slot_optimization_starts()
{
    emit signal_opt_running(true);
}

void MainWidget::slot_optimization_complete()
{
    emit signal_opt_running(false);
}

void MainWidget::slot_nothing_to_optimize(QString text)
{
    DialogProvider::instance()->warning(this, tr("Optimization"), text);
}

void MainWidget::slot_place_graph()
{
    const double s = sb_scale_pos->value();
    if (graph->getNbNodes() < 3)
        return;
    if (graph->getNbEdges() < 2) {
        slot_place_graph_circle();
        return;
    }
    for (Graph *g : {graph, graph_bak}) {
        MDS(g, s, mds_dim);
        g->update_display();
    }
}

void MainWidget::slot_place_graph_circle()
{
    const double s = sb_scale_pos->value();
    if (graph->getNbNodes() < 3)
        return;
    for (Graph *g : {graph, graph_bak}) {
        g->place_circle(s);
        g->update_display();
    }
}

void MainWidget::slot_set_mds3d(bool on)
{
    mds_dim = on ? 3 : 2;
}

void MainWidget::slot_set_edge_width(int w)
{
    Edge::setEdgeWidth(w);
}

void MainWidget::slot_set_sb_p1_max(int v)
{
    sb_p1_min->setMaximum(v);
}

void MainWidget::slot_set_sb_p1_min(int v)
{
    sb_p1_max->setMinimum(v);
}

void MainWidget::slot_refresh()
{
    graph->best_backup();
    problem->best_backup();
    problem->update_display();
    graph->update_display();
}

void MainWidget::slot_adde()
{
    emit signal_adde();
}

void MainWidget::slot_addv()
{
    emit signal_addv();
}

void MainWidget::slot_reme()
{
    emit signal_reme();
}

void MainWidget::slot_remv()
{
    emit signal_remv();
}

void MainWidget::slot_backup_graph()
{
    graph_bak->copy(graph);
    graph_bak->best_backup();
    graph_bak->update_display();
}

void MainWidget::slot_restore_graph()
{
    graph->copy(graph_bak);
    graph->best_backup();
    graph->update_display();
}

void MainWidget::slot_exchange_graph()
{
    std::unique_ptr<Graph> tmp(graph->clone());
    graph->copy(graph_bak);
    graph->best_backup();
    graph->update_display();
    graph_bak->copy(tmp.get());
    graph_bak->best_backup();
    graph_bak->update_display();
}

void MainWidget::toggle(QWidget *window)
{
    if (!window)
        return;
    window->setVisible(!window->isVisible());
}

void MainWidget::slot_show_console()
{
    toggle(console_window);
}

void MainWidget::slot_show_problem()
{
    toggle(problem_window);
}

void MainWidget::slot_show_graph()
{
    toggle(graph_window);
}

void MainWidget::slot_show_analyst()
{
    toggle(analyst_window);
}

void MainWidget::slot_show_gbackup()
{
    toggle(graph_backup_window);
}

void MainWidget::slot_write_documentation()
{
    toggle(report);
}

void MainWidget::slot_problem_context_menu(QPoint p)
{
    problem_menu_pos = problem->mapToScene(p);
    menu_add_component->popup(problem->viewport()->mapToGlobal(p));
}

void MainWidget::slot_graph_context_menu(QPoint p)
{
    menu_graph->popup(graph->viewport()->mapToGlobal(p));
}

void MainWidget::slot_problem_context_menu(QAction *a)
{
    const QString key = a->text();
    const int t = build_calculus->type(key);
    if (t == 0)
        return;
    Calculus *item = build_calculus->makeCalculus(key, true);
    // A listed key whose item is not in the factory (yet) adds nothing; the factory has
    // already said so on the standard error stream.
    if (!item)
        return;
    item->setPos(problem_menu_pos);
    switch (t) {
    case 1:
        problem->addInvariantItem(item);
        break;
    case 2:
        problem->addFamilyItem(item);
        break;
    case 3:
        problem->addOperatorItem(item);
        break;
    case 4:
        problem->addConstraintItem(item);
        break;
    default:
        problem->addZItem(item);
        break;
    }
}

void MainWidget::slot_save_graph_analyst()
{
    analyst_widget_g->addGraph(graph->graphData());
    analyst_widget_v->addGraph(graph->graphData());
}

void MainWidget::slot_set_problem_title(QString text)
{
    le_title->setText(text);
}

void MainWidget::slot_set_problem_description(QString text)
{
    te_comments->setPlainText(text);
}

void MainWidget::slot_problem_description_changed()
{
    problem->slot_set_description(te_comments->toPlainText());
}
