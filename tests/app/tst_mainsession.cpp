#include "app/MainWidget.h"
#include "app/MainWindow.h"
#include "app/PreferenceWindow.h"
#include "explorer/AnalystWidget.h"
#include "calculus/BuildCalculus.h"
#include "calculus/Calculus.h"
#include "graph/Graph.h"
#include "problem/Problem.h"
#include "OptimizerBoards.h"
#include "ScriptedDialogs.h"
#include "ShellProbe.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimerEvent>
#include <QtTest>
#include <memory>

namespace {
// Answers as ScriptedDialogs does, and notes whether an optimisation still ran when the
// question was put.
class QuestionWatch : public ScriptedDialogs
{
public:
    MainWidget *widget = nullptr;
    QList<bool> runningAtQuestion;

    QMessageBox::StandardButton question(QWidget *parent, const QString &title, const QString &text,
                                         QMessageBox::StandardButtons buttons,
                                         QMessageBox::StandardButton defaultButton) override
    {
        runningAtQuestion << (widget && widget->isRunning());
        return ScriptedDialogs::question(parent, title, text, buttons, defaultButton);
    }
};

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The graph text of a graph autosave file, read back by a graph of its own; empty when the
// file does not read.
QString graphInFile(const QString &folder)
{
    Graph g("reader", false);
    g.setWD(folder);
    return g.autoload() ? g.graphData() : QString();
}
} // namespace

// The work kept from one run of the program to the next: the autosave tick, its failures, and
// the orderly end, also in the middle of an optimisation.
class TestMainSession : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void tickWritesBothKeysAndBothFiles();
    void failedAutosaveIsSaidOnceAndKeepsTheFolder();
    void workingDirectoryFromThePreferences_data();
    void workingDirectoryFromThePreferences();
    void exitSavesInItsOrder_data();
    void exitSavesInItsOrder();
    void exitSaysTheFailedAutosave();
    void exitDuringLongRunHaltsFirst_data();
    void exitDuringLongRunHaltsFirst();
    void ticksDuringRunSaveWholeWork();

private:
    static void tick(MainWidget *w);
    // WIENER maximised on connected graphs.
    void drawLongestPaths(MainWidget *w);

    QTemporaryDir dir;
    std::unique_ptr<BuildCalculus> vocabulary;
    std::unique_ptr<QuestionWatch> dialogs;
};

void TestMainSession::initTestCase()
{
    QVERIFY(dir.isValid());
    startShellIn(dir.path());
    vocabulary.reset(new BuildCalculus);
}

void TestMainSession::init()
{
    dialogs.reset(new QuestionWatch);
    QSettings().clear();
    QDir(dir.path()).removeRecursively();
    QDir().mkpath(dir.path());
    QDir::setCurrent(dir.path());
}

void TestMainSession::cleanup()
{
    dialogs.reset();
}

void TestMainSession::tick(MainWidget *w)
{
    QTimerEvent event(w->timer_id);
    QCoreApplication::sendEvent(w, &event);
}

void TestMainSession::drawLongestPaths(MainWidget *w)
{
    QString why;
    QVERIFY2(OptimizerBoards::objective(*w->problem, "MAXIMIZE", "WIENER", &why), qPrintable(why));
    QVERIFY2(OptimizerBoards::constraint(*w->problem, "CONNECTED", &why), qPrintable(why));
}

void TestMainSession::tickWritesBothKeysAndBothFiles()
{
    MainWidget w(vocabulary.get());
    drawLongestPaths(&w);
    w.graph->loadCurrentGraph("5 1010011001");
    w.graph->best_backup();
    // Nothing is saved at start.
    QSettings store;
    QCOMPARE(store.value("problem").toString(), QString());
    QVERIFY(!QFile::exists(".orvpb") && !QFile::exists(".orvgr"));

    tick(&w);
    const QString text = w.problem->saveString();
    QCOMPARE(store.value("problem").toString(), text);
    QCOMPARE(store.value("graph").toString(), "5 1010011001");
    QCOMPARE(readAll(".orvpb"), text.toLatin1());
    QCOMPARE(graphInFile("."), "5 1010011001");
    // The file text is a board of its own.
    Graph other("other", false);
    Problem reread(&other, "reread", false);
    QVERIFY(reread.openString(QString::fromLatin1(readAll(".orvpb"))));
    QCOMPARE(reread.objectiveList().size(), 1);
    QCOMPARE(reread.constraintList().size(), 1);
}

void TestMainSession::failedAutosaveIsSaidOnceAndKeepsTheFolder()
{
    MainWidget w(vocabulary.get());
    const QString folder = dir.filePath("work");
    dialogs->fileNames << folder;
    w.slot_set_orv_wd();
    QSignalSpy problemLines(w.problem, &Problem::signal_console);
    QSignalSpy graphLines(w.graph, &Graph::signal_console);
    auto said = [&] { return problemLines.count() + graphLines.count(); };

    // The folder does not exist: each file fails, and says so once, in red.
    for (int i = 0; i < 3; ++i)
        tick(&w);
    QCOMPARE(problemLines.count(), 1);
    QCOMPARE(graphLines.count(), 1);
    for (const QSignalSpy *spy : {&problemLines, &graphLines}) {
        QCOMPARE(spy->first().at(3).value<QColor>(), QColor(Qt::red));
        QVERIFY(spy->first().at(0).toString().contains(folder));
    }
    QCOMPARE(w.problem->getWD(), folder);
    QCOMPARE(w.graph->getWD(), folder);
    QCOMPARE(w.wd, folder);

    // Once a save succeeds, a new failure is said again.
    QVERIFY(QDir().mkpath(folder));
    tick(&w);
    QCOMPARE(said(), 2);
    QVERIFY(QFile::exists(folder + "/.orvpb") && QFile::exists(folder + "/.orvgr"));
    QVERIFY(QDir(folder).removeRecursively());
    tick(&w);
    tick(&w);
    QCOMPARE(said(), 4);
}

void TestMainSession::workingDirectoryFromThePreferences_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("choose"); // the folder dialog is answered, not cancelled
    QTest::newRow("folder chosen") << "Change working directory" << true;
    QTest::newRow("folder dialog cancelled") << "Change working directory" << false;
    QTest::newRow("media directory") << "Change media directory" << true;
}

void TestMainSession::workingDirectoryFromThePreferences()
{
    QFETCH(QString, button);
    QFETCH(bool, choose);
    const QString before = dir.filePath("before");
    QSettings().setValue("wd", before);
    MainWidget w(vocabulary.get());
    const QString chosen = dir.filePath("chosen");
    if (choose)
        dialogs->fileNames << chosen;
    QPushButton *clicked = nullptr;
    for (QPushButton *b : w.preference_window->findChildren<QPushButton *>())
        if (b->text() == button)
            clicked = b;
    QVERIFY(clicked);
    clicked->click();

    const bool changes = choose && button == "Change working directory";
    QCOMPARE(dialogs->kinds(), button == "Change working directory" ? QStringList{"folder"} : QStringList());
    const QString now = changes ? chosen : before;
    QCOMPARE(w.wd, now);
    QCOMPARE(QSettings().value("wd").toString(), now);
    QCOMPARE(w.problem->getWD(), now);
    QCOMPARE(w.graph->getWD(), now);
    QCOMPARE(w.analyst_widget_g->getWD(), now);
    // The vertex-values panel takes the new folder at the next start only.
    QCOMPARE(w.analyst_widget_v->getWD(), before);
}

void TestMainSession::exitSavesInItsOrder_data()
{
    QTest::addColumn<QString>("blocked"); // the autosave file that cannot be written
    QTest::newRow("problem file blocked") << ".orvpb";
    QTest::newRow("graph file blocked") << ".orvgr";
}

void TestMainSession::exitSavesInItsOrder()
{
    QFETCH(QString, blocked);
    // A folder in the file's place: its write fails, and the red line it says is the moment to
    // look at what was already written.
    QVERIFY(QDir().mkdir(blocked));
    QPointer<MainWindow> window = new MainWindow;
    window->show();
    MainWidget *w = window->main_widget;
    drawLongestPaths(w);
    w->graph->loadCurrentGraph("4 111000");
    w->graph->best_backup();
    w->reload = true; // chosen, not yet stored
    const QString problemText = w->problem->saveString();

    struct Seen {
        QString problem, graph;
        QVariant reload;
        bool problemFile = false, graphFile = false;
    };
    QList<Seen> seen;
    auto look = [&] {
        QSettings store;
        seen << Seen{store.value("problem").toString(), store.value("graph").toString(), store.value("reload"),
                     QFileInfo(".orvpb").isFile(), QFileInfo(".orvgr").isFile()};
    };
    connect(w->problem, &Problem::signal_console, this, look);
    connect(w->graph, &Graph::signal_console, this, look);
    dialogs->answers << QMessageBox::Ok;
    window->act_exit->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QVERIFY(window.isNull());
    // The failed save is said before the program ends.
    QCOMPARE(dialogs->kinds(), (QStringList{"question", "warning"}));
    QVERIFY(dialogs->calls[1].text.startsWith("The work could not be saved on exit:\n" + blocked + ": "));
    QCOMPARE(seen.size(), 1);
    // Both keys come first, then the problem file, then the graph file, and "reload" last.
    QCOMPARE(seen[0].problem, problemText);
    QCOMPARE(seen[0].graph, "4 111000");
    QCOMPARE(seen[0].reload, QVariant());
    QCOMPARE(seen[0].problemFile, blocked == ".orvgr");
    QVERIFY(!seen[0].graphFile);
    if (blocked == ".orvgr")
        QCOMPARE(readAll(".orvpb"), problemText.toLatin1());
    else
        QCOMPARE(graphInFile("."), "4 111000");
    QCOMPARE(QSettings().value("reload"), QVariant(true));
}

void TestMainSession::exitSaysTheFailedAutosave()
{
    QPointer<MainWindow> window = new MainWindow;
    window->show();
    MainWidget *w = window->main_widget;
    const QString gone = dir.filePath("gone");
    dialogs->fileNames << gone;
    w->slot_set_orv_wd();
    tick(w);
    // Exit says why the last autosave failed before it quits; Cancel keeps the program.
    dialogs->answers << QMessageBox::Cancel;
    window->act_exit->trigger();
    QCOMPARE(dialogs->kinds(), (QStringList{"folder", "question"}));
    const QString asked = dialogs->calls[1].text;
    QVERIFY2(asked.startsWith("The last autosave failed:\n" + gone + "/.orvpb: No such file or directory\n" + gone
                              + "/.orvgr: No such file or directory\n"),
             qPrintable(asked));
    QVERIFY(asked.endsWith("\n\nAre you sure you want to quit ORV?"));
    QVERIFY(!window.isNull());

    // Another folder, one that can be written: Exit asks plainly and saves there.
    const QString chosen = dir.filePath("chosen");
    QVERIFY(QDir().mkpath(chosen));
    dialogs->fileNames << chosen;
    w->slot_set_orv_wd();
    dialogs->answers << QMessageBox::Ok;
    window->act_exit->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(dialogs->kinds(), (QStringList{"folder", "question", "folder", "question"}));
    QCOMPARE(dialogs->calls[3].text, QString("Are you sure you want to quit ORV?"));
    QVERIFY(window.isNull());
    QVERIFY(QFile::exists(chosen + "/.orvpb") && QFile::exists(chosen + "/.orvgr"));
}

void TestMainSession::exitDuringLongRunHaltsFirst_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("OK") << int(QMessageBox::Ok);
    QTest::newRow("Cancel") << int(QMessageBox::Cancel);
}

void TestMainSession::exitDuringLongRunHaltsFirst()
{
    QFETCH(int, answer);
    QPointer<MainWindow> window = new MainWindow;
    window->show();
    MainWidget *w = window->main_widget;
    dialogs->widget = w;
    drawLongestPaths(w);
    w->sb_p1_max->setValue(24);
    w->sb_p1_min->setValue(20);
    w->sb_max_time->setValue(600);
    window->act_run->trigger();
    QTRY_VERIFY(w->isRunning() && window->act_halt->isEnabled());
    QTest::qWait(500);

    dialogs->answers << QMessageBox::StandardButton(answer);
    window->act_exit->trigger();
    // Ten-minute jobs: the question comes once the run has stopped, not at their end.
    QCOMPARE(dialogs->runningAtQuestion, QList<bool>{false});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(window.isNull(), answer == QMessageBox::Ok);
    if (answer == QMessageBox::Ok) {
        QCOMPARE(QSettings().value("problem").toString().isEmpty(), false);
        QVERIFY(QFile::exists(".orvpb") && QFile::exists(".orvgr"));
        return;
    }
    // Cancel: the run stays halted and the program goes on.
    QTRY_VERIFY(!window->act_halt->isEnabled() && window->act_run->isEnabled());
    QVERIFY(!w->isRunning());
    delete window;
}

void TestMainSession::ticksDuringRunSaveWholeWork()
{
    MainWidget w(vocabulary.get());
    drawLongestPaths(&w);
    // Many short jobs: workers copy the board at every start while the ticks read it.
    w.sb_p1_max->setValue(12);
    w.sb_p1_min->setValue(5);
    w.sb_max_evals->setValue(2000);
    w.sb_max_time->setValue(5);
    const QString text = w.problem->saveString();
    w.act_run->trigger();
    QVERIFY(w.isRunning());
    int ticks = 0;
    while (w.isRunning() && ticks < 2000) {
        tick(&w);
        ++ticks;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    QVERIFY(w.waitWhileRunning());
    QVERIFY(ticks > 0);
    // Each tick saved the whole board and a whole graph, found or not.
    QCOMPARE(QSettings().value("problem").toString(), text);
    QCOMPARE(readAll(".orvpb"), text.toLatin1());
    const QString found = graphInFile(".");
    QVERIFY(!found.isEmpty());
    QCOMPARE(found, QSettings().value("graph").toString());
}

QTEST_MAIN(TestMainSession)
#include "tst_mainsession.moc"
