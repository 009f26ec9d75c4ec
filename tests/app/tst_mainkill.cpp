#include "app/ImageResources.h"
#include "app/MainWidget.h"
#include "app/MainWindow.h"
#include "calculus/BuildCalculus.h"
#include "calculus/Calculus.h"
#include "graph/Graph.h"
#include "problem/Problem.h"
#include "OptimizerBoards.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QAction>
#include <QApplication>
#include <QSpinBox>
#include <QThread>
#include <QtTest>
#include <iostream>

// The program killed outright at any moment of a session and started again: the autosave
// files and the settings store are replaced whole or not at all, so the next start always
// finds the work of the last complete save. The kills during an optimisation run hit this
// executable itself, started as a child that builds the main window, restores the work, runs
// the restored board and autosaves it over and over (see runChild below).
class TestMainKill : public QObject
{
    Q_OBJECT

private slots:
    void killedAnywhereRestartsWithWholeWork();

private:
    struct Session {
        qint64 runningAt = -1; // when the running line was read, or -1
        qint64 savedAt = -1;   // when the graph autosave file changed after the termination request
        bool finished = false; // ended by itself, not killed
    };
    // Starts the program (the child running the board when duringRun is set); on its running
    // line asks it to end when terminateOnRun is set; kills it killAfterRun ms after that line
    // (never when negative) or at killAt ms from the start.
    Session runOnce(qint64 killAt, bool terminateOnRun, qint64 killAfterRun, bool duringRun = false);
    // The work found on disk reads back cleanly and is the seeded work; after a run, the graph
    // is whole but may be one the run found.
    void checkWork(const char *when, bool afterRun = false);

    QString binary;
    QTemporaryDir home;
    QString work, conf;
    QString problemText, graphText;
};

namespace {
QString readProblemFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    // The board's own reader is the judge of a clean file; the text it writes back must be
    // the seeded one.
    Graph g("reader", false);
    Problem p(&g, "reader", false);
    return p.openString(QString::fromLatin1(f.readAll())) ? p.saveString() : QString("(unreadable)");
}

// The run's orders: a graph it finds replaces the seeded one on 32 vertices.
constexpr int RunMinOrder = 20;
constexpr int RunMaxOrder = 24;

// A graph text of one whole graph: its order, a space and one bit per pair, nothing missing
// and nothing more; and of an order the session could have produced.
bool wholeGraphText(const QString &text)
{
    const int space = text.indexOf(' ');
    bool ok = false;
    const int n = text.left(space).toInt(&ok);
    if (space < 0 || !ok || !(n == 32 || (n >= RunMinOrder && n <= RunMaxOrder)))
        return false;
    const QString bits = text.mid(space + 1);
    return bits.size() == n * (n - 1) / 2 && bits.count('0') + bits.count('1') == bits.size();
}

// The child started by the test: the main window built as the program builds it, the work it
// restored run through the "Run" action with long jobs, and the autosave tick sent every few
// milliseconds, so that a kill lands inside a save during a run. Ends by itself after two
// minutes should nobody kill it.
int runChild(int argc, char *argv[])
{
    qRegisterMetaType<QVector<int>>("QVector<int>");
    QCoreApplication::setOrganizationName("QUARN");
    QCoreApplication::setOrganizationDomain("orvalith.org");
    QCoreApplication::setApplicationName("Orvalith-III");
    QApplication app(argc, argv);
    ImageResources::init();
    auto *window = new MainWindow;
    window->show();
    MainWidget *w = window->main_widget;
    w->sb_p1_max->setValue(RunMaxOrder);
    w->sb_p1_min->setValue(RunMinOrder);
    w->sb_max_time->setValue(600);
    window->act_run->trigger();
    QElapsedTimer clock;
    clock.start();
    while (!w->isRunning() && clock.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    if (!w->isRunning()) {
        std::cout << "ORV child: the run did not start" << std::endl;
        return 2;
    }
    std::cout << "ORV child running" << std::endl;
    while (clock.elapsed() < 120000) {
        QTimerEvent tick(w->timer_id);
        QCoreApplication::sendEvent(w, &tick);
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
        QThread::msleep(2);
    }
    w->slot_halt_optimization();
    w->waitWhileRunning();
    delete window;
    return 3;
}
} // namespace

TestMainKill::Session TestMainKill::runOnce(qint64 killAt, bool terminateOnRun, qint64 killAfterRun, bool duringRun)
{
    Session s;
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", home.filePath("config"));
    // Under AddressSanitizer: the slow unwinding that the leak report of the tests needs makes
    // a start take seconds; a killed program reports no leaks anyway.
    if (env.contains("ASAN_OPTIONS"))
        env.insert("ASAN_OPTIONS", "detect_leaks=0");
    if (duringRun)
        env.insert("ORV_KILL_CHILD", "1");
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(work);
    process.setProcessChannelMode(QProcess::MergedChannels);
    const QString graphFile = work + "/.orvgr";
    const QDateTime graphBefore = QFileInfo(graphFile).lastModified();
    process.start(duringRun ? QCoreApplication::applicationFilePath() : binary, QStringList());
    const QByteArray runningLine = duringRun ? "ORV child running" : "ORV running";
    if (!process.waitForStarted(30000))
        return s;
    QElapsedTimer clock;
    clock.start();
    QByteArray out;
    for (;;) {
        process.waitForReadyRead(2);
        out += process.readAll();
        if (process.state() == QProcess::NotRunning) {
            s.finished = true;
            if (duringRun)
                qWarning("the child ended by itself:\n%s", out.constData());
            break;
        }
        if (s.runningAt < 0 && out.contains(runningLine)) {
            s.runningAt = clock.elapsed();
            if (terminateOnRun)
                process.terminate();
        }
        if (s.runningAt >= 0 && terminateOnRun && s.savedAt < 0
            && QFileInfo(graphFile).lastModified() != graphBefore)
            s.savedAt = clock.elapsed() - s.runningAt;
        const bool due = (killAt >= 0 && clock.elapsed() >= killAt)
                         || (killAfterRun >= 0 && s.runningAt >= 0 && clock.elapsed() - s.runningAt >= killAfterRun);
        if (due) {
            process.kill();
            break;
        }
        if (clock.elapsed() > 120000) {
            qWarning("the program neither started nor ended in two minutes:\n%s", out.constData());
            process.kill();
            break;
        }
    }
    process.waitForFinished(30000);
    return s;
}

void TestMainKill::checkWork(const char *when, bool afterRun)
{
    QCOMPARE(readProblemFile(work + "/.orvpb"), problemText);
    Graph g("reader", false);
    g.setWD(work);
    QVERIFY2(g.autoload(), when);
    if (afterRun)
        QVERIFY2(wholeGraphText(g.graphData()), when);
    else
        QCOMPARE(g.graphData(), graphText);
    // The store still asks for the restore, with the work to restore. Read from a copy of its
    // own: the toolkit keeps a store it has read once.
    static int copies = 0;
    const QString copy = home.filePath(QString("store-%1.conf").arg(++copies));
    QVERIFY(QFile::copy(conf, copy));
    QSettings store(copy, QSettings::IniFormat);
    QCOMPARE(store.status(), QSettings::NoError);
    QVERIFY2(store.value("reload").toBool(), when);
    QCOMPARE(store.value("problem").toString(), problemText);
    // The store's graph is saved before the file's: after a run it may be a newer one.
    if (afterRun)
        QVERIFY2(wholeGraphText(store.value("graph").toString()), when);
    else
        QCOMPARE(store.value("graph").toString(), graphText);
}

void TestMainKill::killedAnywhereRestartsWithWholeWork()
{
    binary = QCoreApplication::applicationDirPath() + "/../orvalith";
    if (!QFile::exists(binary))
        QSKIP("the application is not built next to the tests");
    QVERIFY(home.isValid());
    work = home.filePath("work");
    conf = home.filePath("config/QUARN/Orvalith-III.conf");
    QVERIFY(QDir().mkpath(work));

    // A board of many items, so that its file takes a while to write, and a graph on 32
    // vertices.
    {
        BuildCalculus vocabulary;
        Graph g("seed", false);
        QRandomGenerator edges(23);
        QString text = "32 ";
        for (int pair = 0; pair < 32 * 31 / 2; ++pair)
            text += edges.bounded(2) ? '1' : '0';
        g.loadCurrentGraph(text);
        g.best_backup();
        g.setWD(work);
        QVERIFY(g.autosave());
        graphText = g.graphData();
        Problem p(&g, "seed", false);
        QString why;
        QVERIFY2(OptimizerBoards::objective(p, "MAXIMIZE", "WIENER", &why), qPrintable(why));
        const QStringList keys = {"ORDER", "SIZE", "DIAMETER", "RADIUS", "GIRTH", "WIENER"};
        for (int i = 0; i < 400; ++i) {
            Calculus *c = vocabulary.makeCalculus(keys[i % keys.size()], false);
            QVERIFY(c);
            p.addInvariantItem(c);
            c->setPos(40 * (i % 40), 40 * (i / 40));
        }
        p.setWD(work);
        p.autosave();
        problemText = p.saveString();
        QSettings store(conf, QSettings::IniFormat);
        store.setValue("problem", problemText);
        store.setValue("graph", graphText);
        store.setValue("reload", true);
    }
    QCOMPARE(readProblemFile(work + "/.orvpb"), problemText);

    // One whole session first: how long a start takes and how soon a save is done after the
    // termination request.
    const Session whole = runOnce(-1, true, -1);
    QVERIFY(whole.finished);
    QVERIFY(whole.runningAt > 0 && whole.savedAt >= 0);
    checkWork("after a whole session");
    if (QTest::currentTestFailed())
        return;

    const quint32 seed = QRandomGenerator::global()->generate();
    qInfo("kill moments drawn with seed %u (start %lld ms, save done %lld ms after the request)", seed,
          whole.runningAt, whole.savedAt);
    QRandomGenerator moments(seed);
    for (int round = 0; round < 4; ++round) {
        // Half these kills fall during the start (the restore), half after the termination
        // request, around and inside the saves.
        const bool duringStart = round % 2 == 0;
        const qint64 at = duringStart ? qint64(moments.bounded(quint32(whole.runningAt + 1)))
                                      : qint64(moments.bounded(quint32(2 * whole.savedAt + 20)));
        const Session s = duringStart ? runOnce(at, false, -1) : runOnce(-1, true, at);
        QVERIFY2(duringStart || s.runningAt >= 0, "the program did not start");
        checkWork(qPrintable(QString("round %1, killed at %2 ms").arg(round).arg(at)));
        if (QTest::currentTestFailed())
            return;
    }

    // Kills during a run, in the middle of the autosaves the child sends without pause. The
    // run may replace the graph, never the board. Each start costs seconds on a loaded machine;
    // eight kills still catch, in most runs, a save that does not replace its file whole.
    for (int round = 0; round < 8; ++round) {
        const qint64 at = moments.bounded(1501);
        const Session s = runOnce(-1, false, at, true);
        QVERIFY2(s.runningAt >= 0 && !s.finished, "the run did not start");
        checkWork(qPrintable(QString("run %1, killed %2 ms after the run started").arg(round).arg(at)), true);
        if (QTest::currentTestFailed())
            return;
    }

    // The work survives into one more whole session.
    QVERIFY(runOnce(-1, true, -1).finished);
    checkWork("after the last whole session", true);
}

// The test, or the child it kills during a run.
int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet("ORV_KILL_CHILD"))
        return runChild(argc, argv);
    QApplication app(argc, argv);
    TestMainKill test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_mainkill.moc"
