#ifndef EXPLORERWINDOW_H
#define EXPLORERWINDOW_H

#include <QMainWindow>
#include <QPointer>

class Analyst;
class AnalystWidget;
class DataLoader;
class FilterWidget;
class PlotWidget;
class QAction;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGridLayout;
class QPushButton;
class QTabWidget;
class QTimer;
class QToolBar;

// The "Properties explorer" window: the graph-values and the vertex-values side, each with
// its "Filter", "Table view", "X-Y Plot" and "Conjectures" tabs, the window's "Analyst" tool
// bar and the inspector's "Explorer" page, wired to each other. The objects shown are made
// and owned by the caller; the window places them. GUI thread only.
class ExplorerWindow : public QMainWindow
{
    Q_OBJECT

public:
    enum Side { GraphSide = 0, VertexSide = 1 };

    ExplorerWindow(Analyst *graphTable, AnalystWidget *graphPanel, FilterWidget *graphFilter, PlotWidget *graphPlot,
                   Analyst *vertexTable, AnalystWidget *vertexPanel, FilterWidget *vertexFilter,
                   PlotWidget *vertexPlot, DataLoader *loader);
    ~ExplorerWindow() override;

    // Puts a side's conjecture panel into its "Conjectures" tab (the window then owns it).
    void setConjectureWidget(Side side, QWidget *panel);
    // Completes the tool bar with the shell's own actions (any may be null): "Close", a
    // separator, run, halt, "Clear database", "Rebuild database", a separator, white board,
    // graph window.
    void setShellActions(QAction *run, QAction *halt, QAction *whiteBoard, QAction *graphWindow);

    // The inspector's "Explorer" page, for the shell's tool box; the window deletes it only
    // when nobody took it.
    QWidget *inspectorPage() const { return page; }
    QToolBar *toolBar() const { return bar; }
    QAction *closeAction() const { return closeAct; }
    QAction *clearAction() const { return clearAct; }
    QAction *rebuildAction() const { return rebuildAct; }
    QTabWidget *outerTabs() const { return outer; }
    QTabWidget *innerTabs(Side s) const { return sides[s].tabs; }
    QComboBox *xCombo(Side s) const { return sides[s].xCombo; }
    QComboBox *yCombo(Side s) const { return sides[s].yCombo; }
    QDoubleSpinBox *sizeSpin(Side s) const { return sides[s].size; }
    QDoubleSpinBox *xScaleSpin(Side s) const { return sides[s].xScale; }
    QDoubleSpinBox *yScaleSpin(Side s) const { return sides[s].yScale; }
    QPushButton *pageButton(const QString &text) const;
    bool isBusy() const { return optRunning || loading; }

    // A plot is drawn anew this long after the last change of a spin box, so that typing a
    // number draws once.
    static constexpr int SpinPause = 400;

signals:
    // "Clear database" emptied both panels; the shell clears both conjecture lists.
    void signal_database_cleared();

public slots:
    void slot_update_plot();
    void slot_update_vplot();
    void slot_clear_plot();
    void slot_clear_vplot();
    // Shows the window when hidden, hides it when shown.
    void slot_show_analyst();
    void slot_opt_running(bool on);

private:
    struct Members {
        Analyst *table = nullptr;
        AnalystWidget *panel = nullptr;
        FilterWidget *filter = nullptr;
        PlotWidget *plot = nullptr;
        QTabWidget *tabs = nullptr;
        QWidget *conjectures = nullptr;
        QDoubleSpinBox *size = nullptr;
        QDoubleSpinBox *xScale = nullptr;
        QDoubleSpinBox *yScale = nullptr;
        QComboBox *xCombo = nullptr;
        QComboBox *yCombo = nullptr;
        QTimer *pause = nullptr;
    };
    QWidget *buildSide(Members &m);
    void buildPage();
    void wireSide(Members &m, void (ExplorerWindow::*update)());
    void fill(Members &m);
    void refresh(Members &m, const QStringList &names);
    void setLoading(bool on);
    void applyBusy();

    Members sides[2];
    DataLoader *loader;
    QTabWidget *outer;
    QToolBar *bar;
    QAction *closeAct;
    QAction *clearAct;
    QAction *rebuildAct;
    QPointer<QWidget> page;
    bool optRunning = false;
    bool loading = false;
};

#endif
