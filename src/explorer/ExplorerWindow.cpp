#include "explorer/ExplorerWindow.h"

#include "explorer/Analyst.h"
#include "explorer/AnalystWidget.h"
#include "explorer/DataLoader.h"
#include "explorer/FilterWidget.h"
#include "explorer/PlotWidget.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>

namespace {
QDoubleSpinBox *spin(double minimum, double maximum, double value, const QString &prefix)
{
    QDoubleSpinBox *s = new QDoubleSpinBox;
    s->setMinimum(minimum);
    s->setMaximum(maximum);
    s->setValue(value);
    s->setPrefix(prefix);
    return s;
}

void setChoices(QComboBox *combo, const QStringList &names)
{
    combo->clear();
    combo->addItem("NONE");
    combo->addItems(names);
}
} // namespace

ExplorerWindow::ExplorerWindow(Analyst *graphTable, AnalystWidget *graphPanel, FilterWidget *graphFilter,
                               PlotWidget *graphPlot, Analyst *vertexTable, AnalystWidget *vertexPanel,
                               FilterWidget *vertexFilter, PlotWidget *vertexPlot, DataLoader *loader_)
    : QMainWindow(nullptr), loader(loader_)
{
    sides[GraphSide].table = graphTable;
    sides[GraphSide].panel = graphPanel;
    sides[GraphSide].filter = graphFilter;
    sides[GraphSide].plot = graphPlot;
    sides[VertexSide].table = vertexTable;
    sides[VertexSide].panel = vertexPanel;
    sides[VertexSide].filter = vertexFilter;
    sides[VertexSide].plot = vertexPlot;

    QWidget *graphPage = buildSide(sides[GraphSide]);
    QWidget *vertexPage = buildSide(sides[VertexSide]);
    setMinimumWidth(600);
    setMinimumHeight(400);
    setWindowTitle("Properties explorer");
    outer = new QTabWidget;
    outer->addTab(graphPage, "Graph-values");
    outer->addTab(vertexPage, "Vertex-values");
    setCentralWidget(outer);

    closeAct = new QAction(QIcon(":/src/images/exit.png"), "Close", this);
    closeAct->setStatusTip("Close");
    clearAct = new QAction(QIcon(":/src/images/clear.png"), "Clear database", this);
    clearAct->setStatusTip("Clear database");
    rebuildAct = new QAction(QIcon(":/src/images/refresh.png"), "Rebuild database", this);
    rebuildAct->setStatusTip("Rebuild database");
    bar = addToolBar("Analyst");
    setShellActions(nullptr, nullptr, nullptr, nullptr);

    connect(closeAct, &QAction::triggered, this, &ExplorerWindow::slot_show_analyst);
    connect(clearAct, &QAction::triggered, this, [this] {
        for (Members &m : sides)
            m.panel->slot_clear_only();
        emit signal_database_cleared();
    });
    connect(rebuildAct, &QAction::triggered, this, [this] {
        for (Members &m : sides)
            m.panel->slot_update_table();
    });

    wireSide(sides[GraphSide], &ExplorerWindow::slot_update_plot);
    wireSide(sides[VertexSide], &ExplorerWindow::slot_update_vplot);
    connect(graphPanel, &AnalystWidget::signal_data_loaded, this, &ExplorerWindow::slot_clear_plot);
    // Queued: the vertex panel rebuilds on the same event after the graph panel, and its header
    // is read once it has.
    connect(graphPanel, &AnalystWidget::signal_data_loaded, this, &ExplorerWindow::slot_clear_vplot,
            Qt::QueuedConnection);
    if (loader) {
        connect(loader, &QThread::started, this, [this] { setLoading(true); });
        connect(loader, &QThread::finished, this, [this] { setLoading(false); });
    }
    buildPage();
    hide();
}

ExplorerWindow::~ExplorerWindow()
{
    if (page && !page->parent())
        delete page;
}

QWidget *ExplorerWindow::buildSide(Members &m)
{
    QWidget *sidePage = new QWidget;
    QGridLayout *sideGrid = new QGridLayout(sidePage);
    m.tabs = new QTabWidget;

    QWidget *plotPage = new QWidget;
    QGridLayout *plotGrid = new QGridLayout(plotPage);
    m.size = spin(1, 100, 20, "Size ");
    m.xScale = spin(0.1, 5000, 10, "X scale ");
    m.yScale = spin(0.1, 5000, 10, "Y scale ");
    m.xCombo = new QComboBox;
    m.yCombo = new QComboBox;
    m.xCombo->setToolTip("X column");
    m.yCombo->setToolTip("Y column");
    setChoices(m.xCombo, m.table->getHeader());
    setChoices(m.yCombo, m.table->getHeader());
    plotGrid->addWidget(m.size, 0, 0);
    plotGrid->addWidget(m.xScale, 0, 1);
    plotGrid->addWidget(m.xCombo, 0, 2);
    plotGrid->addWidget(m.yScale, 0, 3);
    plotGrid->addWidget(m.yCombo, 0, 4);
    m.plot->setMinimumHeight(400);
    plotGrid->addWidget(m.plot, 1, 0, 1, 5);

    QScrollArea *plotScroll = new QScrollArea;
    plotScroll->setWidgetResizable(true);
    plotScroll->setWidget(plotPage);
    QScrollArea *filterScroll = new QScrollArea;
    filterScroll->setWidgetResizable(true);
    filterScroll->setWidget(m.filter);

    m.tabs->addTab(filterScroll, "Filter");
    m.tabs->addTab(m.panel, "Table view");
    m.tabs->addTab(plotScroll, "X-Y Plot");
    m.conjectures = new QWidget;
    m.tabs->addTab(m.conjectures, "Conjectures");
    sideGrid->addWidget(m.tabs);
    return sidePage;
}

void ExplorerWindow::wireSide(Members &m, void (ExplorerWindow::*update)())
{
    connect(m.xCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this, update);
    connect(m.yCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this, update);
    m.pause = new QTimer(this);
    m.pause->setSingleShot(true);
    m.pause->setInterval(SpinPause);
    connect(m.pause, &QTimer::timeout, this, update);
    for (QDoubleSpinBox *s : {m.size, m.xScale, m.yScale})
        connect(s, QOverload<double>::of(&QDoubleSpinBox::valueChanged), m.pause, QOverload<>::of(&QTimer::start));
    connect(m.tabs, &QTabWidget::currentChanged, this, update);
    connect(m.table, &Analyst::signal_load_graph, m.panel, &AnalystWidget::slot_load_graph);
    connect(m.table, &Analyst::signal_load_graph, m.plot, &PlotWidget::slot_hilight);
    connect(m.table, &Analyst::signal_load_graph, m.table, &Analyst::slot_hilight);
    connect(m.filter, &FilterWidget::signal_clear, this, [this] {
        for (Members &s : sides)
            s.panel->slot_clear_only();
    });
    connect(m.filter, &FilterWidget::signal_update, m.panel, &AnalystWidget::slot_update_table);
}

void ExplorerWindow::buildPage()
{
    AnalystWidget *g = sides[GraphSide].panel;
    AnalystWidget *v = sides[VertexSide].panel;
    page = new QWidget;
    QGridLayout *grid = new QGridLayout(page);
    auto button = [&](const QString &text, int row, int column, int span) {
        QPushButton *b = new QPushButton(text);
        b->setObjectName(text);
        grid->addWidget(b, row, column, 1, span);
        return b;
    };
    auto both = [this](void (AnalystWidget::*slot)()) {
        return [this, slot] {
            for (Members &m : sides)
                (m.panel->*slot)();
        };
    };
    connect(button("Load", 0, 0, 2), &QPushButton::clicked, g, &AnalystWidget::slot_load_data);
    QRadioButton *g6 = new QRadioButton("g6");
    QRadioButton *orv = new QRadioButton("orv");
    g6->setChecked(true);
    QButtonGroup *types = new QButtonGroup(page);
    types->addButton(g6);
    types->addButton(orv);
    grid->addWidget(g6, 0, 2);
    grid->addWidget(orv, 0, 3);
    connect(g6, &QRadioButton::clicked, g, &AnalystWidget::slot_set_type_g6);
    connect(orv, &QRadioButton::clicked, g, &AnalystWidget::slot_set_type_orv);
    QCheckBox *filterBox = new QCheckBox("Filter");
    filterBox->setChecked(true);
    grid->addWidget(filterBox, 1, 0, 1, 2);
    connect(filterBox, &QCheckBox::clicked, g, &AnalystWidget::slot_set_filter_mode);
    connect(filterBox, &QCheckBox::clicked, v, &AnalystWidget::slot_set_filter_mode);
    connect(button("Update", 1, 2, 2), &QPushButton::clicked, this, both(&AnalystWidget::slot_update_table));
    connect(button("Clear", 2, 0, 2), &QPushButton::clicked, this, both(&AnalystWidget::slot_clear_only));
    connect(button("Delete", 2, 2, 2), &QPushButton::clicked, this, both(&AnalystWidget::slot_delete));
    connect(button("Save data (G)", 3, 0, 2), &QPushButton::clicked, g, &AnalystWidget::slot_save_data);
    connect(button("Save data (V)", 3, 2, 2), &QPushButton::clicked, v, &AnalystWidget::slot_save_data);
    connect(button("Save graphs (G)", 4, 0, 2), &QPushButton::clicked, g, &AnalystWidget::slot_save_used_graphs);
    connect(button("Save graphs (V)", 4, 2, 2), &QPushButton::clicked, v, &AnalystWidget::slot_save_used_graphs);
    connect(button("Save all graphs", 5, 0, 4), &QPushButton::clicked, g, &AnalystWidget::slot_save_graphs);
    connect(button("Save graphs pdf (G)", 6, 0, 2), &QPushButton::clicked, g,
            &AnalystWidget::slot_save_used_graphs_pdf);
    connect(button("Save graphs pdf (V)", 6, 2, 2), &QPushButton::clicked, v,
            &AnalystWidget::slot_save_used_graphs_pdf);
    connect(button("Save all graphs pdf", 7, 0, 4), &QPushButton::clicked, g, &AnalystWidget::slot_save_graphs_pdf);
}

QPushButton *ExplorerWindow::pageButton(const QString &text) const
{
    return page->findChild<QPushButton *>(text);
}

void ExplorerWindow::setConjectureWidget(Side side, QWidget *panel)
{
    Members &m = sides[side];
    const int index = m.tabs->indexOf(m.conjectures);
    {
        // Placing a tab is not a change of the plot's inputs.
        const QSignalBlocker block(m.tabs);
        const int current = m.tabs->currentIndex();
        m.tabs->removeTab(index);
        delete m.conjectures;
        m.conjectures = panel ? panel : new QWidget;
        m.tabs->insertTab(index, m.conjectures, "Conjectures");
        m.tabs->setCurrentIndex(current);
    }
}

void ExplorerWindow::setShellActions(QAction *run, QAction *halt, QAction *whiteBoard, QAction *graphWindow)
{
    bar->clear();
    bar->addAction(closeAct);
    bar->addSeparator();
    if (run)
        bar->addAction(run);
    if (halt)
        bar->addAction(halt);
    bar->addAction(clearAct);
    bar->addAction(rebuildAct);
    bar->addSeparator();
    if (whiteBoard)
        bar->addAction(whiteBoard);
    if (graphWindow)
        bar->addAction(graphWindow);
}

void ExplorerWindow::fill(Members &m)
{
    // Whatever asked for this drawing, a pending one from the spin boxes is covered by it.
    m.pause->stop();
    m.plot->fillInSlices(m.table, m.xCombo->currentIndex(), m.yCombo->currentIndex(), m.xScale->value(),
                 m.yScale->value(), m.size->value());
}

void ExplorerWindow::slot_update_plot()
{
    fill(sides[GraphSide]);
}

void ExplorerWindow::slot_update_vplot()
{
    fill(sides[VertexSide]);
}

void ExplorerWindow::refresh(Members &m, const QStringList &names)
{
    m.filter->setVariables(names);
    {
        // Both combos end on "NONE", which draws nothing: one clear below stands for the
        // fills their intermediate indexes would start.
        const QSignalBlocker bx(m.xCombo), by(m.yCombo);
        setChoices(m.xCombo, names);
        setChoices(m.yCombo, names);
    }
    m.plot->clear();
}

void ExplorerWindow::slot_clear_plot()
{
    refresh(sides[GraphSide], sides[GraphSide].table->getHeader());
}

void ExplorerWindow::slot_clear_vplot()
{
    // The vertex table's own header: the board may have changed since that table was built,
    // and its columns are what the filter and the plot read.
    refresh(sides[VertexSide], sides[VertexSide].table->getHeader());
}

void ExplorerWindow::slot_show_analyst()
{
    setVisible(isHidden());
}

void ExplorerWindow::slot_opt_running(bool on)
{
    optRunning = on;
    applyBusy();
}

void ExplorerWindow::setLoading(bool on)
{
    loading = on;
    applyBusy();
}

void ExplorerWindow::applyBusy()
{
    // Anything that would change the stored graphs or the board waits for the run or the load.
    const bool busy = isBusy();
    for (Members &m : sides)
        m.tabs->setDisabled(busy);
    clearAct->setDisabled(busy);
    rebuildAct->setDisabled(busy);
    for (const char *text : {"Load", "Update", "Clear", "Delete"})
        if (QPushButton *b = pageButton(text))
            b->setDisabled(busy);
}
