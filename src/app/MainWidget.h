#ifndef MAINWIDGET_H
#define MAINWIDGET_H

#include <QPoint>
#include <QPointF>
#include <QSettings>
#include <QString>
#include <QWidget>

class Analyst;
class AnalystWidget;
class BuildCalculus;
class ConjectureSettings;
class ConjecturesDisplay;
class ConjectureWidget;
class ExplorerWindow;
class DataLoader;
class FilterWidget;
class Console;
class Graph;
class PlotWidget;
class PreferenceWindow;
class Report;
class VersionChecker;
class VNSManager;
class Problem;
class ProgressBar;
class QAction;
class QCheckBox;
class QDialog;
class QDoubleSpinBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QMainWindow;
class QNetworkAccessManager;
class QMenu;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTextEdit;
class QToolBar;
class QToolBox;

// The central widget of the main window and the owner of the running system: it creates the
// graphs, the white board, the console and the windows that show them, the inspector, the
// actions, menus and toolbars, and joins them all by signals. The main window shows only the
// inspector; every other view is a top-level window of its own that starts hidden.
class MainWidget : public QWidget
{
    Q_OBJECT

public:
    explicit MainWidget(BuildCalculus *build_calculus);
    ~MainWidget() override;

    // True while an optimisation runs.
    bool isRunning() const;
    // The orderly end of a run: halts and waits for the optimiser, then saves the work in the
    // settings store and the two autosave files. Always true.
    bool quit();
    // Longest wait for a halted optimisation to end; a halted worker stops at its next look
    // at its stop flag, far sooner.
    static constexpr int StopBoundMs = 30000;
    // Returns true once no optimisation runs, false when one still runs after boundMs; the
    // GUI thread keeps serving the optimiser's queued signals meanwhile, so the wait never
    // holds it up.
    bool waitWhileRunning(int boundMs = StopBoundMs);
    // The files and reasons of the autosaves whose last attempt failed, one a line; empty
    // when the last autosave wrote both files (or none was tried yet).
    QString autosaveFailure() const;
    // The explorer's PDF exports that run, one a line with how far each has come; empty when
    // none runs.
    QString runningExports() const;
    // Holds the running exports between two drawings, or lets them go on.
    void holdExports(bool hold);

    // Reached by tests and by the main window; the names are those the other parts use.
    Graph *graph = nullptr;
    Graph *graph_bak = nullptr;
    Problem *problem = nullptr;
    VNSManager *vns_manager = nullptr;
    Console *console = nullptr;
    QWidget *please_wait = nullptr;
    ProgressBar *pb_optimization = nullptr;
    QWidget *graph_backup_window = nullptr;
    QMainWindow *graph_window = nullptr;
    QMainWindow *console_window = nullptr;
    QMainWindow *problem_window = nullptr;
    // The explorer, "Properties explorer".
    ExplorerWindow *analyst_window = nullptr;
    ConjectureSettings *conjecture_settings_g = nullptr;
    ConjecturesDisplay *conjectures_display_g = nullptr;
    ConjectureWidget *conjecture_widget_g = nullptr;
    ConjectureSettings *conjecture_settings_v = nullptr;
    ConjecturesDisplay *conjectures_display_v = nullptr;
    ConjectureWidget *conjecture_widget_v = nullptr;
    PlotWidget *plot_widget_g = nullptr;
    PlotWidget *plot_widget_v = nullptr;
    Report *report = nullptr;
    Analyst *analyst_g = nullptr;
    Analyst *analyst_v = nullptr;
    ProgressBar *pb_loading = nullptr;
    DataLoader *data_loader = nullptr;
    FilterWidget *filter_widget_v = nullptr;
    FilterWidget *filter_widget_g = nullptr;
    AnalystWidget *analyst_widget_g = nullptr;
    AnalystWidget *analyst_widget_v = nullptr;
    QNetworkAccessManager *network_manager = nullptr;
    VersionChecker *version_checker = nullptr;
    QPointF problem_menu_pos{0, 0};
    BuildCalculus *build_calculus;
    QSettings settings;
    PreferenceWindow *preference_window = nullptr;
    QString wd;
    int runs = 0;
    int timer_id = 0;
    bool reload = false;
    bool no_ask_update = false;
    int mds_dim = 2;
    int nb_threads = 4;

    QToolBox *tool_box = nullptr;
    QCheckBox *cb_reset_stats = nullptr;
    QDoubleSpinBox *sb_scale_pos = nullptr;
    QSpinBox *sb_p1_min = nullptr;
    QSpinBox *sb_p1_max = nullptr;
    QCheckBox *cb_random_graph = nullptr;
    QCheckBox *cb_family_opt = nullptr;
    QCheckBox *cb_amnesy_mode = nullptr;
    QCheckBox *cb_auto_add_graphs = nullptr;
    QDoubleSpinBox *sb_agressivity = nullptr;
    QSpinBox *sb_nb_threads = nullptr;
    QSpinBox *sb_max_time = nullptr;
    QSpinBox *sb_max_evals = nullptr;
    QLabel *lb_nb_graphs = nullptr;
    QGridLayout *optimization_layout = nullptr;
    QGridLayout *graph_layout = nullptr;
    QTextEdit *te_comments = nullptr;
    QLineEdit *le_title = nullptr;
    QPushButton *bt_backup = nullptr;
    QPushButton *bt_restore = nullptr;
    QPushButton *bt_exchange = nullptr;
    QPushButton *bt_add_graphs = nullptr;
    QPushButton *bt_graph_explorer = nullptr;
    // The inspector's "Explorer" page.
    QPushButton *bt_explorer_load = nullptr;
    QRadioButton *rb_g6 = nullptr;
    QRadioButton *rb_orv = nullptr;
    QCheckBox *cb_filter = nullptr;
    QPushButton *bt_explorer_update = nullptr;
    QPushButton *bt_explorer_clear = nullptr;
    QPushButton *bt_explorer_delete = nullptr;
    QPushButton *bt_save_data_g = nullptr;
    QPushButton *bt_save_data_v = nullptr;
    QPushButton *bt_save_graphs_g = nullptr;
    QPushButton *bt_save_graphs_v = nullptr;
    QPushButton *bt_save_all_graphs = nullptr;
    QPushButton *bt_save_pdf_g = nullptr;
    QPushButton *bt_save_pdf_v = nullptr;
    QPushButton *bt_save_all_pdf = nullptr;

    QMenu *menu_graph = nullptr;
    QMenu *menu_add_component = nullptr;
    QAction *act_run = nullptr;
    QAction *act_halt = nullptr;
    QAction *act_open_problem = nullptr;
    QAction *act_save_problem = nullptr;
    QAction *act_refresh_problem = nullptr;
    QAction *act_print_problem = nullptr;
    QAction *act_space_x = nullptr;
    QAction *act_space_y = nullptr;
    QAction *act_align_x = nullptr;
    QAction *act_align_y = nullptr;
    QAction *act_link1 = nullptr;
    QAction *act_link2 = nullptr;
    QAction *act_link3 = nullptr;
    QAction *act_link4 = nullptr;
    QAction *act_unselect_items = nullptr;
    QAction *act_close_problem = nullptr;
    QAction *act_delete_items = nullptr;
    QAction *act_show_graph = nullptr;
    QAction *act_show_problem = nullptr;
    QAction *act_show_analyst = nullptr;
    QAction *act_close_graph = nullptr;
    QAction *act_open_graph = nullptr;
    QAction *act_save_graph = nullptr;
    QAction *act_print_graph = nullptr;
    QAction *act_place_graph = nullptr;
    QAction *act_place_circle = nullptr;
    QAction *act_unselect_all = nullptr;
    QAction *act_toggle_selection = nullptr;
    QAction *act_select_all = nullptr;
    QAction *act_refresh_graph = nullptr;
    QAction *act_show_gbackup = nullptr;
    QAction *act_addv = nullptr;
    QAction *act_adde = nullptr;
    QAction *act_remv = nullptr;
    QAction *act_reme = nullptr;
    QAction *act_close_analyst = nullptr;
    QAction *act_rebuild_database = nullptr;
    QAction *act_clear_database = nullptr;
    QToolBar *tb_problem = nullptr;
    QToolBar *tb_graph = nullptr;
    QToolBar *tb_graph2 = nullptr;
    QToolBar *tb_analyst = nullptr;

signals:
    void signal_halt();
    void signal_adde();
    void signal_addv();
    void signal_reme();
    void signal_remv();
    void signal_reload(bool);
    void signal_opt_running(bool);
    void signal_start_vns();
    void signal_orv_running();
    void signal_print_plot();
    void signal_print_vplot();

public slots:
    void slot_init_orv();
    void slot_set_ask_update(bool on);
    void slot_set_reload(bool on);
    void slot_set_orv_wd();
    void slot_set_orv_media_dir() {}
    void slot_new_version_available(QString name);

    void slot_start_vns();
    void slot_halt_optimization();
    void slot_optimization_starts();
    void slot_optimization_complete();
    void slot_nothing_to_optimize(QString text);
    void slot_place_graph();
    void slot_place_graph_circle();
    void slot_set_mds3d(bool on);
    void slot_set_edge_width(int w);
    void slot_set_sb_p1_min(int v);
    void slot_set_sb_p1_max(int v);
    void slot_refresh();
    void slot_adde();
    void slot_addv();
    void slot_reme();
    void slot_remv();
    void slot_backup_graph();
    void slot_restore_graph();
    void slot_exchange_graph();
    void slot_show_console();
    void slot_show_problem();
    void slot_show_graph();
    void slot_show_analyst();
    void slot_show_gbackup();
    void slot_write_documentation();
    void slot_problem_context_menu(QPoint p);
    void slot_problem_context_menu(QAction *a);
    void slot_graph_context_menu(QPoint p);
    void slot_set_problem_title(QString text);
    void slot_set_problem_description(QString text);
    void slot_problem_description_changed();
    void slot_save_graph_analyst();

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    void buildInspector();
    void buildOptimizationPage(QWidget *page);
    void buildGraphPage(QWidget *page);
    void buildWindows();
    void buildAnalystWindow();
    void placeInfoItems();
    void stopConjectureSearches();
    void createActions();
    void createMenus();
    void createToolBars();
    void connectAll();
    void saveWork();
    void restoreLastWork();
    static void toggle(QWidget *window);
};

#endif
