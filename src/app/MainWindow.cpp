#include "app/MainWindow.h"

#include "app/ActionMaker.h"
#include "dialogs/DialogProvider.h"
#include "app/MainWidget.h"
#include "calculus/BuildCalculus.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <iostream>

namespace {
const char *const version = "3.0.26";
const QString blanks(12, ' ');

struct ActionRow {
    QAction *MainWindow::*member;
    const char *text;
    const char *icon;
    const char *tip;
};

const ActionRow actionRows[] = {
    {&MainWindow::act_exit, "&Exit", "exit", "Quit"},
    {&MainWindow::act_about, "&About", "about", "Some information on the software"},
    {&MainWindow::act_doc, "&Documentation", "doc", "Documentation"},
    {&MainWindow::act_console, "Console", "console", "Console"},
    {&MainWindow::act_graph, "Graph", "graph", "Graph"},
    {&MainWindow::act_problem, "White board", "problem", "White Board"},
    {&MainWindow::act_analyst, "Results Explorer", "analyst", "Results Explorer"},
    {&MainWindow::act_run, "Run", "run", "Run"},
    {&MainWindow::act_halt, "Halt", "halt", "Halt"},
};
} // namespace

QString MainWindow::versionText()
{
    return version;
}

QString MainWindow::buildDate()
{
    return __DATE__;
}

QString MainWindow::aboutText()
{
    return QString("<b>ORV Version :</b> <br>") + version + "<br><br>" + blanks + "<b>Project  :</b><br>" + blanks
           + "Orvalith III, a research tool for extremal graph theory<br>" + blanks
           + "Licence: GNU General Public License, version 3 or later<br>";
}

MainWindow::MainWindow() : QMainWindow(nullptr), build_calculus(new BuildCalculus)
{
    main_widget = new MainWidget(build_calculus.get());
    setMinimumSize(400, 600);
    setAttribute(Qt::WA_DeleteOnClose);
    createActions();
    createMenus();
    createToolbars();
    setCentralWidget(main_widget);
    setWindowTitle("Orvalith " + versionText() + " (" + buildDate() + ")");
    setWindowIcon(QIcon(":/src/images/icon_orv.png"));

    connect(main_widget, &MainWidget::signal_opt_running, act_graph, &QAction::setDisabled);
    connect(act_exit, &QAction::triggered, this, &MainWindow::quitORV);
    connect(this, &MainWindow::signal_quit, main_widget, &MainWidget::slot_halt_optimization);
    connect(this, &MainWindow::signal_orv_ready_to_quit, qApp, &QApplication::closeAllWindows);
    connect(act_about, &QAction::triggered, this, &MainWindow::about);
    connect(act_doc, &QAction::triggered, main_widget, &MainWidget::slot_write_documentation);
    connect(act_console, &QAction::triggered, main_widget, &MainWidget::slot_show_console);
    connect(act_graph, &QAction::triggered, main_widget, &MainWidget::slot_show_graph);
    connect(act_problem, &QAction::triggered, main_widget, &MainWidget::slot_show_problem);
    connect(act_analyst, &QAction::triggered, main_widget, &MainWidget::slot_show_analyst);
    connect(act_run, &QAction::triggered, main_widget, &MainWidget::slot_start_vns);
    connect(act_halt, &QAction::triggered, main_widget, &MainWidget::slot_halt_optimization);
    connect(main_widget, &MainWidget::signal_opt_running, act_run, &QAction::setDisabled);
    connect(main_widget, &MainWidget::signal_opt_running, act_halt, &QAction::setEnabled);
}

MainWindow::~MainWindow()
{
    for (QAction *MainWindow::*member :
         {&MainWindow::act_console, &MainWindow::act_exit, &MainWindow::act_about, &MainWindow::act_doc,
          &MainWindow::act_graph, &MainWindow::act_problem, &MainWindow::act_analyst, &MainWindow::act_run,
          &MainWindow::act_halt})
        delete (this->*member);
    delete menu_windows;
    delete menu_help;
    delete tb_edit;
    delete main_widget;
    std::cerr << "ORV " << version << " terminated." << std::endl;
}

void MainWindow::createActions()
{
    for (const ActionRow &row : actionRows)
        this->*row.member = ActionMaker::make(this, row.text, row.icon, row.tip);
    act_halt->setEnabled(false);
}

void MainWindow::createMenus()
{
    menu_windows = menuBar()->addMenu("Windows");
    ActionMaker::addGroups(menu_windows, {{act_problem, act_graph, act_analyst}, {act_exit}});
    menu_help = menuBar()->addMenu("&Help");
    ActionMaker::addGroups(menu_help, {{act_console, act_doc, act_about}});
}

void MainWindow::createToolbars()
{
    tb_edit = addToolBar("Edit");
    ActionMaker::addGroups(tb_edit, {{act_exit},
                                     {act_run, act_halt},
                                     {act_problem, act_graph, act_analyst},
                                     {act_console},
                                     {act_doc, act_about}});
}

void MainWindow::about()
{
    DialogProvider::instance()->about(this, tr("About Orvalith III"), aboutText());
}

void MainWindow::haltAndWait()
{
    if (main_widget->isRunning())
        emit signal_quit();
    main_widget->waitWhileRunning();
}

bool MainWindow::confirmQuit(const QString &autosaveFailure)
{
    QString text = "Are you sure you want to quit ORV?";
    const QString exports = main_widget->runningExports();
    if (!exports.isEmpty())
        text = exports + "\nQuitting stops the export there; the drawings written so far stay.\n\n" + text;
    if (!autosaveFailure.isEmpty())
        text = "The last autosave failed:\n" + autosaveFailure
               + "\n\nWhat changed since the last autosave that succeeded is in no file yet. Cancel, then choose "
                 "another working directory under Preferences, or save the problem and the graph.\n\n"
               + text;
    // The exports wait for the answer, so that they stop where the question says.
    main_widget->holdExports(true);
    const bool ok = DialogProvider::instance()->question(this, "Really quit?", text,
                                                         QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok)
                    == QMessageBox::Ok;
    if (!ok)
        main_widget->holdExports(false);
    return ok;
}

void MainWindow::saveOnQuit(const QString &told)
{
    main_widget->quit();
    // The last save of the run failed, and the question before did not say so.
    const QString failure = main_widget->autosaveFailure();
    if (!failure.isEmpty() && failure != told)
        DialogProvider::instance()->warning(this, "Error", "The work could not be saved on exit:\n" + failure);
    quitting = true;
}

void MainWindow::finishQuit()
{
    main_widget->quit();
    quitting = true;
    emit signal_orv_ready_to_quit();
}

void MainWindow::quitORV()
{
    haltAndWait();
    const QString failure = main_widget->autosaveFailure();
    if (!confirmQuit(failure))
        return;
    saveOnQuit(failure);
    emit signal_orv_ready_to_quit();
}

void MainWindow::terminate()
{
    if (quitting)
        return;
    haltAndWait();
    finishQuit();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // The frame's close ends the run as "&Exit" does. A close that comes from the quit itself
    // (all windows closing) finds the answer already given.
    if (quitting) {
        event->accept();
        return;
    }
    haltAndWait();
    const QString failure = main_widget->autosaveFailure();
    if (!confirmQuit(failure)) {
        event->ignore();
        return;
    }
    saveOnQuit(failure);
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window != this && window->isVisible())
            window->close();
    event->accept();
}
