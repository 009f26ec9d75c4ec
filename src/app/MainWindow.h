#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include <QMainWindow>
#include <QString>
#include <memory>

class BuildCalculus;
class MainWidget;
class QAction;
class QMenu;
class QToolBar;

// The only window the user sees at start: the inspector of the main widget, the application
// actions, the "Windows" and "&Help" menus and the "Edit" toolbar. Closing it, by "&Exit" or
// by its frame, ends the run in order.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    MainWindow();
    ~MainWindow() override;

    static QString versionText();
    static QString buildDate();
    static QString aboutText();

    MainWidget *main_widget = nullptr;
    QAction *act_doc = nullptr;
    QAction *act_exit = nullptr;
    QAction *act_about = nullptr;
    QAction *act_console = nullptr;
    QAction *act_graph = nullptr;
    QAction *act_problem = nullptr;
    QAction *act_analyst = nullptr;
    QAction *act_run = nullptr;
    QAction *act_halt = nullptr;
    QMenu *menu_help = nullptr;
    QMenu *menu_windows = nullptr;
    QToolBar *tb_edit = nullptr;

signals:
    void signal_quit();
    void signal_orv_ready_to_quit();

public slots:
    // Ends the run without asking, as "&Exit" answered with OK does; for a termination request
    // from outside the window system.
    void terminate();

private slots:
    void about();
    void quitORV();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createActions();
    void createMenus();
    void createToolbars();
    // Halts a running optimisation and waits until it has stopped.
    void haltAndWait();
    // Asks "Really quit?", saying first why the last autosave failed when it did; true for OK.
    bool confirmQuit(const QString &autosaveFailure);
    // The saves of the orderly end; a failure of theirs that the question did not tell is said.
    void saveOnQuit(const QString &told);
    // The orderly end without a question, for a termination request.
    void finishQuit();

    // The vocabulary lives as long as anything built from it: it goes after the main widget.
    std::unique_ptr<BuildCalculus> build_calculus;
    bool quitting = false;
};

#endif
