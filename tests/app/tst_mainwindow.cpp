#include "app/ImageResources.h"
#include "app/MainWidget.h"
#include "app/MainWindow.h"
#include "explorer/AnalystWidget.h"
#include "graph/Graph.h"
#include "ErrCapture.h"
#include "ScriptedDialogs.h"
#include "ShellProbe.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

// The main window as the user meets it: its title, what shows at start, its actions, menus and
// toolbar, the About box, and the two ways to end a run.
class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void startShowsOnlyTheMainWindow();
    void actionsMatchTheirTable_data();
    void actionsMatchTheirTable();
    void menusAndToolbarHoldTheirEntries();
    void optimisationRunSwapsRunAndHalt();
    void aboutNamesProjectVersionAndLicence();
    void closeEndsTheRun_data();
    void closeEndsTheRun();
    void exitNamesTheRunningPdfExport();
    void binaryWritesTheTerminationLineOnce();

private:
    QTemporaryDir dir;
    ScriptedDialogs *dialogs = nullptr;
    QPointer<MainWindow> window;
};

void TestMainWindow::initTestCase()
{
    QVERIFY(dir.isValid());
    startShellIn(dir.path());
}

void TestMainWindow::init()
{
    dialogs = new ScriptedDialogs;
    // The action table only looks: its rows share one window, a start being slow under the
    // sanitizers.
    if (window && QByteArray(QTest::currentTestFunction()) == "actionsMatchTheirTable")
        return;
    delete window;
    QSettings().clear();
    window = new MainWindow;
    window->show();
}

void TestMainWindow::cleanup()
{
    delete dialogs;
    dialogs = nullptr;
}

void TestMainWindow::cleanupTestCase()
{
    delete window;
}

void TestMainWindow::startShowsOnlyTheMainWindow()
{
    QCOMPARE(window->windowTitle(), "Orvalith 3.0.26 (" + QString(__DATE__) + ")");
    QVERIFY(QRegularExpression("^Orvalith 3\\.0\\.26 \\([A-Z][a-z]{2} [ 0-9]\\d \\d{4}\\)$")
                .match(window->windowTitle())
                .hasMatch());
    QCOMPARE(window->minimumSize(), QSize(400, 600));
    QVERIFY(window->testAttribute(Qt::WA_DeleteOnClose));
    QStringList visible;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible())
            visible << w->windowTitle();
    QCOMPARE(visible, QStringList{window->windowTitle()});
    QCOMPARE(QSettings().value("runs").toInt(), 1);
}

void TestMainWindow::actionsMatchTheirTable_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("tip");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("exit") << "&Exit" << "Quit" << true;
    QTest::newRow("about") << "&About" << "Some information on the software" << true;
    QTest::newRow("doc") << "&Documentation" << "Documentation" << true;
    QTest::newRow("console") << "Console" << "Console" << true;
    QTest::newRow("graph") << "Graph" << "Graph" << true;
    QTest::newRow("board") << "White board" << "White Board" << true;
    QTest::newRow("explorer") << "Results Explorer" << "Results Explorer" << true;
    QTest::newRow("run") << "Run" << "Run" << true;
    QTest::newRow("halt") << "Halt" << "Halt" << false;
}

void TestMainWindow::actionsMatchTheirTable()
{
    QFETCH(QString, text);
    QFETCH(QString, tip);
    QFETCH(bool, enabled);
    QList<QAction *> mine;
    for (QAction *a : window->findChildren<QAction *>(QString(), Qt::FindDirectChildrenOnly))
        if (a->text() == text && !a->isSeparator())
            mine << a;
    QCOMPARE(mine.size(), 1);
    QAction *a = mine.first();
    QCOMPARE(a->statusTip(), tip);
    QVERIFY(!a->icon().isNull());
    QVERIFY(!a->icon().pixmap(16, 16).isNull());
    QCOMPARE(a->isEnabled(), enabled);
    QVERIFY(a->shortcut().isEmpty());
    QVERIFY(!a->isCheckable());
}

void TestMainWindow::menusAndToolbarHoldTheirEntries()
{
    QCOMPARE(actionTexts(window->menuBar()->actions()), (QStringList{"Windows", "&Help"}));
    QCOMPARE(actionTexts(window->menu_windows->actions()),
             (QStringList{"White board", "Graph", "Results Explorer", "|", "&Exit"}));
    QCOMPARE(actionTexts(window->menu_help->actions()), (QStringList{"Console", "&Documentation", "&About"}));
    QCOMPARE(window->tb_edit->windowTitle(), "Edit");
    QCOMPARE(actionTexts(window->tb_edit->actions()),
             (QStringList{"&Exit", "|", "Run", "Halt", "|", "White board", "Graph", "Results Explorer", "|",
                          "Console", "|", "&Documentation", "&About"}));
    // The window's "Run" is its own action, not the board's.
    QVERIFY(window->act_run != window->main_widget->act_run);
}

void TestMainWindow::optimisationRunSwapsRunAndHalt()
{
    emit window->main_widget->signal_opt_running(true);
    QVERIFY(!window->act_run->isEnabled());
    QVERIFY(!window->act_graph->isEnabled());
    QVERIFY(window->act_halt->isEnabled());
    emit window->main_widget->signal_opt_running(false);
    QVERIFY(window->act_run->isEnabled());
    QVERIFY(window->act_graph->isEnabled());
    QVERIFY(!window->act_halt->isEnabled());
}

void TestMainWindow::aboutNamesProjectVersionAndLicence()
{
    window->act_about->trigger();
    QCOMPARE(dialogs->kinds(), QStringList{"about"});
    const ScriptedDialogs::Call call = dialogs->calls.first();
    QCOMPARE(call.title, "About Orvalith III");
    QVERIFY(call.text.startsWith("<b>ORV Version :</b> <br>3.0.26<br><br>"));
    QVERIFY(call.text.contains("Orvalith III"));
    QVERIFY(call.text.contains("Licence"));
    QVERIFY(!call.text.contains("Author"));
    QVERIFY(!call.text.contains("mailto"));
}

void TestMainWindow::closeEndsTheRun_data()
{
    QTest::addColumn<bool>("byFrame");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("ends");
    QTest::newRow("exit, OK") << false << int(QMessageBox::Ok) << true;
    QTest::newRow("exit, Cancel") << false << int(QMessageBox::Cancel) << false;
    QTest::newRow("frame, OK") << true << int(QMessageBox::Ok) << true;
    QTest::newRow("frame, Cancel") << true << int(QMessageBox::Cancel) << false;
}

void TestMainWindow::closeEndsTheRun()
{
    QFETCH(bool, byFrame);
    QFETCH(int, answer);
    QFETCH(bool, ends);
    QFile::remove(".orvpb");
    QFile::remove(".orvgr");
    window->main_widget->slot_show_graph();
    window->main_widget->slot_show_analyst();
    window->main_widget->slot_set_reload(true);
    const QString graphText = window->main_widget->graph->graphData();
    dialogs->answers << QMessageBox::StandardButton(answer);

    ErrCapture err;
    if (byFrame)
        window->close();
    else
        window->act_exit->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QCOMPARE(dialogs->kinds(), QStringList{"question"});
    QCOMPARE(dialogs->calls.first().title, "Really quit?");
    QCOMPARE(dialogs->calls.first().text, "Are you sure you want to quit ORV?");
    QCOMPARE(window.isNull(), ends);
    QCOMPARE(err.text().count("ORV 3.0.26 terminated.\n"), ends ? 1 : 0);
    QCOMPARE(QFile::exists(".orvpb"), ends);
    QCOMPARE(QFile::exists(".orvgr"), ends);
    QSettings stored;
    QCOMPARE(stored.value("graph").toString(), ends ? graphText : QString());
    QCOMPARE(stored.value("reload").toBool(), true);
    bool anyVisible = false;
    for (QWidget *w : QApplication::topLevelWidgets())
        anyVisible = anyVisible || w->isVisible();
    QCOMPARE(anyVisible, !ends);
}

void TestMainWindow::exitNamesTheRunningPdfExport()
{
    AnalystWidget *panel = window->main_widget->analyst_widget_g;
    for (const char *text : {"4 110011", "3 111", "5 1100110011"})
        panel->addGraph(text);
    QTemporaryDir out;
    dialogs->fileNames << out.filePath("d.pdf");
    panel->slot_save_graphs_pdf();
    QVERIFY(panel->pdfExportRunning());
    // Two drawings written, as two turns of the event loop write them.
    for (int k = 0; k < 2; ++k)
        QVERIFY(QMetaObject::invokeMethod(panel, "drawNextGraph"));
    QSignalSpy console(panel, &AnalystWidget::signal_console);
    dialogs->answers << QMessageBox::Ok;
    ErrCapture err;
    window->act_exit->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    const QString state = "2 of 3 drawings written in " + out.path();
    QCOMPARE(dialogs->kinds(), (QStringList{"save", "question"}));
    QCOMPARE(dialogs->calls[1].title, "Really quit?");
    QVERIFY2(dialogs->calls[1].text.contains(state), qPrintable(dialogs->calls[1].text));
    QVERIFY(dialogs->calls[1].text.endsWith("Are you sure you want to quit ORV?"));
    const QString line = "PDF export stopped on exit: " + state;
    QCOMPARE(console.size(), 1);
    QCOMPARE(console[0][0].toString(), line);
    QVERIFY(err.text().contains(line + "\n"));
    QVERIFY(window.isNull());
    QVERIFY(QFile::exists(out.filePath("d2.pdf")));
    QVERIFY(!QFile::exists(out.filePath("d3.pdf")));
}

void TestMainWindow::binaryWritesTheTerminationLineOnce()
{
    const QString binary = QCoreApplication::applicationDirPath() + "/../orvalith";
    if (!QFile::exists(binary))
        QSKIP("the application is not built next to the tests");
    QTemporaryDir home;
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", home.path());
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(home.path());
    process.start(binary, QStringList());
    QVERIFY(process.waitForStarted());
    QByteArray err;
    QTRY_VERIFY_WITH_TIMEOUT((err += process.readAllStandardError()).contains("ORV running"), 60000);
    process.terminate();
    QVERIFY(process.waitForFinished(60000));
    err += process.readAllStandardError();
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(QString::fromLocal8Bit(err).count("ORV 3.0.26 terminated.\n"), 1);
    // Ended in order: the work is kept.
    QVERIFY(QFile::exists(home.path() + "/.orvpb"));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
