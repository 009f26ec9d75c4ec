#include "OptimizerBoards.h"
#include "calculus/Eval.h"
#include "graph/Graph.h"
#include "optimizer/VNS.h"
#include "problem/Problem.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QSignalSpy>
#include <QtTest>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <random>
#include <vector>

namespace {
struct Constraint
{
    QString invariant; // empty: an item of its own, named by the comparison
    QString comparison;
    double rhs;
};

// The shown graph, the board and one worker over them, as the application wires them: the
// worker's new-best signal refreshes the board, which takes the handed-over graph.
struct Rig
{
    Graph shown{"graph", true};
    Problem board{&shown, "problem", false};
    QMutex shared;
    // Before the worker, so that a failing test stops the worker before its archives go.
    std::vector<std::unique_ptr<OptimalSolutions>> jobs;
    std::unique_ptr<VNS> w;
    QString why;

    OptimalSolutions &newJob()
    {
        jobs.emplace_back(new OptimalSolutions);
        return *jobs.back();
    }

    Rig(const QString &sense, const QString &invariant, const QVector<Constraint> &constraints = {})
    {
        bool ok = OptimizerBoards::objective(board, sense, invariant, &why);
        for (const Constraint &c : constraints)
            ok = ok && (c.invariant.isEmpty() ? OptimizerBoards::constraint(board, c.comparison, &why)
                                              : OptimizerBoards::compare(board, c.invariant, c.comparison, c.rhs, &why));
        if (!ok)
            return;
        w.reset(new VNS(&board, &shown, 0, &shared));
        QObject::connect(w.get(), &VNS::signal_best_solution_changed, &board, &Problem::slot_refresh);
    }
};

// The console lines and refreshes the worker signals from its own thread, taken there by direct
// connection under a lock that ThreadSanitizer sees. A QSignalSpy records in that thread too, but
// the test could read it only after QThread::wait, which orders nothing for the tool once the
// thread has finished (Qt waits on a futex). Made before the rig, so that it outlives the worker
// also when a failing test leaves the worker running.
class WorkerSignals
{
public:
    void watch(VNS *w)
    {
        QObject::connect(
            w, &VNS::signal_console, &context,
            [this](const QString &text, bool debug) {
                std::lock_guard<std::mutex> g(lock);
                lines.append({text, debug});
            },
            Qt::DirectConnection);
        QObject::connect(
            w, &VNS::signal_best_solution_changed, &context,
            [this] {
                std::lock_guard<std::mutex> g(lock);
                ++refreshCount;
            },
            Qt::DirectConnection);
    }
    QStringList console(bool withDebug) const
    {
        std::lock_guard<std::mutex> g(lock);
        QStringList out;
        for (const QPair<QString, bool> &l : lines)
            if (withDebug || !l.second)
                out << l.first;
        return out;
    }
    int refreshes() const
    {
        std::lock_guard<std::mutex> g(lock);
        return refreshCount;
    }
    void clear()
    {
        std::lock_guard<std::mutex> g(lock);
        lines.clear();
        refreshCount = 0;
    }

private:
    mutable std::mutex lock;
    QList<QPair<QString, bool>> lines;
    int refreshCount = 0;
    // Last, so that it goes first: its connections end before what they write.
    QObject context;
};

// The objective value of the archive's last graph, read under its lock.
bool lastValue(OptimalSolutions &a, double *value, QString *graph, bool *violated)
{
    a.lock();
    Solution *s = a.lastSolution();
    if (s) {
        *value = (*s->getValue()->z())[0][0];
        *graph = s->getGraph();
        *violated = s->getValue()->violated();
    }
    a.unlock();
    return s != nullptr;
}

// Runs a job until the archive's last graph reaches the target value; false after 30 s.
bool runUntil(Rig &rig, OptimalSolutions &job, int n, double sign, double target, qint64 *ms, QString *graph)
{
    rig.w->setSeed(12345);
    if (!rig.w->init(n, 0, &job, {sign}, 0))
        return false;
    QElapsedTimer clock;
    clock.start();
    rig.w->start();
    bool reached = false;
    while (!reached && clock.elapsed() < 30000) {
        QTest::qWait(5);
        double v = 0;
        bool violated = true;
        reached = lastValue(job, &v, graph, &violated) && !violated && qAbs(v - target) < 1e-6;
    }
    *ms = clock.elapsed();
    rig.w->slot_terminateVNS();
    rig.w->wait();
    return reached;
}

// One tick of the manager's timer; true once the job is stopped.
bool tick(VNS *w)
{
    w->slot_timer();
    return w->isStopped();
}

QString completeText(int n, bool edges)
{
    return QString::number(n) + ' ' + QString(n * (n - 1) / 2, edges ? '1' : '0');
}
} // namespace

class TestVNS : public QObject
{
    Q_OBJECT

private slots:
    void reachesExtremes_data();
    void reachesExtremes();
    void constrainedOptima_data();
    void constrainedOptima();
    void evaluationLimitStopsOnce();
    void runWithoutInitEmitsNothing();
    void refusesVertexCounts_data();
    void refusesVertexCounts();
    void timeLimitAndProgress();
    void haltInFirstFiftyMs();
    void limitReportSparesTheNextJob();
    void deadlinePassedBeforeTheWorkerRan();
    void evaluationLimitOfOneKeepsTheStartGraph();
    void startWithoutAValue_data();
    void startWithoutAValue();
};

void TestVNS::reachesExtremes_data()
{
    QTest::addColumn<QString>("sense");
    QTest::addColumn<int>("n");
    QTest::addColumn<bool>("complete");
    for (int n : {5, 9, 16})
        QTest::newRow(qPrintable(QString("minimise SIZE, n = %1").arg(n))) << "MINIMIZE" << n << false;
    for (int n : {5, 9, 16})
        QTest::newRow(qPrintable(QString("maximise SIZE, n = %1").arg(n))) << "MAXIMIZE" << n << true;
}

void TestVNS::reachesExtremes()
{
    QFETCH(QString, sense);
    QFETCH(int, n);
    QFETCH(bool, complete);
    WorkerSignals seen;
    Rig rig(sense, "SIZE");
    QVERIFY2(rig.w, qPrintable(rig.why));
    seen.watch(rig.w.get());
    OptimalSolutions &job = rig.newJob();
    const double sign = complete ? -1.0 : 1.0;
    const double target = complete ? -n * (n - 1) / 2.0 : 0.0;
    qint64 ms = 0;
    QString graph;
    QVERIFY(runUntil(rig, job, n, sign, target, &ms, &graph));
    QCOMPARE(graph, completeText(n, complete));
    QVERIFY(job.isClosed());
    // The GUI thread took the last graph handed over into the shown graph.
    QTRY_COMPARE(rig.shown.graphData(), graph);
    const int refreshes = seen.refreshes();
    QVERIFY2(refreshes <= ms / VNS::RefreshIntervalMs + 2,
             qPrintable(QString("%1 refreshes in %2 ms").arg(refreshes).arg(ms)));
}

void TestVNS::constrainedOptima_data()
{
    QTest::addColumn<QString>("invariant");
    QTest::addColumn<QString>("constraint");
    QTest::addColumn<int>("n");
    QTest::addColumn<double>("target");
    for (int n = 6; n <= 10; ++n)
        QTest::newRow(qPrintable(QString("WIENER subject to CONNECTED, n = %1").arg(n)))
            << "WIENER" << "CONNECTED" << n << double(n * n * n - n) / 6;
    for (int n = 6; n <= 10; ++n)
        QTest::newRow(qPrintable(QString("SIZE subject to TRIANGLES <= 0, n = %1").arg(n)))
            << "SIZE" << "TRIANGLES" << n << double(n * n / 4);
}

void TestVNS::constrainedOptima()
{
    QFETCH(QString, invariant);
    QFETCH(QString, constraint);
    QFETCH(int, n);
    QFETCH(double, target);
    const Constraint c = constraint == "CONNECTED" ? Constraint{QString(), "CONNECTED", 0}
                                                   : Constraint{constraint, "<=", 0};
    Rig rig("MAXIMIZE", invariant, {c});
    if (!rig.w)
        QSKIP(qPrintable(rig.why));
    OptimalSolutions &job = rig.newJob();
    qint64 ms = 0;
    QString graph;
    QVERIFY2(runUntil(rig, job, n, -1.0, -target, &ms, &graph), qPrintable(graph));
}

void TestVNS::evaluationLimitStopsOnce()
{
    Rig rig("MAXIMIZE", "WIENER");
    QVERIFY2(rig.w, qPrintable(rig.why));
    QSignalSpy progress(rig.w.get(), &VNS::signal_progress_vns);
    rig.w->slot_set_max_evals(300);
    OptimalSolutions &job = rig.newJob();
    rig.w->setSeed(7);
    QVERIFY(rig.w->init(12, 0, &job, {-1.0}, 3));
    rig.w->start();
    QVERIFY(rig.w->wait(30000));
    QVERIFY(job.isClosed());
    QVERIFY(job.size() >= 1);
    QCOMPARE(rig.w->nbEvals(), 300);
    QTRY_COMPARE(progress.count(), 1);
    QTest::qWait(50);
    QCOMPARE(progress.count(), 1);
    QCOMPARE(progress[0], (QList<QVariant>{3, 100, 100}));
}

void TestVNS::runWithoutInitEmitsNothing()
{
    WorkerSignals seen;
    Rig rig("MINIMIZE", "SIZE");
    QVERIFY2(rig.w, qPrintable(rig.why));
    seen.watch(rig.w.get());
    QSignalSpy progress(rig.w.get(), &VNS::signal_progress_vns);
    const QString before = rig.w->privateGraph()->currentGraphData();
    rig.w->start();
    QVERIFY(rig.w->wait(5000));
    QTest::qWait(20);
    QCOMPARE(seen.console(true).size() + seen.refreshes() + progress.count(), 0);
    QCOMPARE(rig.w->nbEvals(), 0);
    QCOMPARE(rig.w->privateGraph()->currentGraphData(), before);

    // A job runs once: a second start of the same job does nothing.
    OptimalSolutions &job = rig.newJob();
    rig.w->slot_set_max_evals(50);
    QVERIFY(rig.w->init(6, 0, &job, {1.0}, 0));
    rig.w->start();
    QVERIFY(rig.w->wait(30000));
    QTest::qWait(20);
    const int evals = rig.w->nbEvals();
    seen.clear();
    rig.w->start();
    QVERIFY(rig.w->wait(5000));
    QTest::qWait(20);
    QCOMPARE(seen.console(true), QStringList());
    QCOMPARE(rig.w->nbEvals(), evals);
}

void TestVNS::refusesVertexCounts_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("0") << 0 << false;
    QTest::newRow("-3") << -3 << false;
    QTest::newRow("33") << 33 << false;
    QTest::newRow("1000") << 1000 << false;
    QTest::newRow("1") << 1 << true;
    QTest::newRow("32") << 32 << true;
}

void TestVNS::refusesVertexCounts()
{
    QFETCH(int, n);
    QFETCH(bool, accepted);
    Rig rig("MINIMIZE", "SIZE");
    QVERIFY2(rig.w, qPrintable(rig.why));
    const QString before = rig.w->privateGraph()->currentGraphData();
    OptimalSolutions &job = rig.newJob();
    rig.w->slot_set_max_evals(40);
    QCOMPARE(rig.w->init(n, 0, &job, {1.0}, 0), accepted);
    if (!accepted)
        QCOMPARE(rig.w->privateGraph()->currentGraphData(), before);
    rig.w->start();
    QVERIFY(rig.w->wait(30000));
    QCOMPARE(rig.w->privateGraph()->getNbNodes(), accepted ? n : 10);
    QCOMPARE(job.size() > 0, accepted);
}

void TestVNS::timeLimitAndProgress()
{
    Rig rig("MAXIMIZE", "WIENER");
    QVERIFY2(rig.w, qPrintable(rig.why));
    QSignalSpy progress(rig.w.get(), &VNS::signal_progress_vns);
    OptimalSolutions &job = rig.newJob();
    const int limit = 2000;
    QVERIFY(rig.w->init(10, limit, &job, {-1.0}, 2));
    // The worker's clock starts inside init, so this one never runs ahead of it.
    QElapsedTimer clock;
    clock.start();
    rig.w->start();
    QTest::qWait(50);
    // Before the limit, with no evaluation limit: elapsed time out of the limit (checked
    // only when a loaded machine left the test well inside the limit).
    const qint64 before = clock.elapsed();
    rig.w->slot_timer();
    QCOMPARE(progress.count(), 1);
    if (before < limit / 2) {
        QCOMPARE(progress[0][0].toInt(), 2);
        QVERIFY(progress[0][1].toInt() >= 50 && progress[0][1].toInt() < limit);
        QCOMPARE(progress[0][2].toInt(), limit);
        QVERIFY(!job.isClosed());
    }
    QTest::qWait(int(qMax<qint64>(0, limit + 50 - clock.elapsed())));
    // Past the deadline, the tick after the start graph is in ends the job.
    QTRY_VERIFY_WITH_TIMEOUT(tick(rig.w.get()), 60000);
    QCOMPARE(progress.last(), (QList<QVariant>{2, 100, 100}));
    QVERIFY(job.isClosed());
    rig.w->wait();
    // A stopped worker ignores the timer.
    const int count = progress.count();
    rig.w->slot_timer();
    QCOMPARE(progress.count(), count);
}

void TestVNS::haltInFirstFiftyMs()
{
    Rig rig("MAXIMIZE", "WIENER");
    QVERIFY2(rig.w, qPrintable(rig.why));
    std::mt19937 rng(3);
    for (int run = 0; run < 200; ++run) {
        OptimalSolutions &job = rig.newJob();
        QVERIFY(rig.w->init(8 + run % 12, 0, &job, {-1.0}, run));
        rig.w->start();
        QThread::usleep(rng() % 50000);
        rig.w->slot_terminateVNS();
        const int atHalt = rig.w->nbEvals();
        // No time or evaluation limit: only the halt ends the run, and every loop looks at the
        // stop flag before each evaluation. After it come at most the evaluation under way and
        // one whose look came just before the halt.
        rig.w->wait();
        QVERIFY2(rig.w->nbEvals() - atHalt <= 2,
                 qPrintable(QString("%1 evaluations after the halt").arg(rig.w->nbEvals() - atHalt)));
        QVERIFY(job.isClosed());
    }
}

void TestVNS::limitReportSparesTheNextJob()
{
    // SIZE, which every graph has: any graph the job evaluates can be archived.
    Rig rig("MAXIMIZE", "SIZE");
    QVERIFY2(rig.w, qPrintable(rig.why));
    rig.w->slot_set_max_evals(40);
    OptimalSolutions &first = rig.newJob();
    OptimalSolutions &second = rig.newJob();
    // The dispatcher loads the next job as soon as the worker is idle, which may be while the
    // GUI thread reports the first job's limit: here, from within that report.
    QObject context;
    bool loaded = false;
    QObject::connect(rig.w.get(), &VNS::signal_progress_vns, &context, [&](int job) {
        if (job == 0 && !loaded)
            loaded = rig.w->init(8, 0, &second, {-1.0}, 1);
    });
    QVERIFY(rig.w->init(8, 0, &first, {-1.0}, 0));
    rig.w->start();
    rig.w->wait();
    QTRY_VERIFY(loaded);
    rig.w->start();
    rig.w->wait();
    // The second job ran to its own limit, and its archive closed as it ended. Past the limit
    // comes at most the board's refresh for the graph that reached it, when that one is kept.
    QVERIFY2(rig.w->nbEvals() == 40 || rig.w->nbEvals() == 41, qPrintable(QString::number(rig.w->nbEvals())));
    QVERIFY(second.isClosed());
    QVERIFY(second.size() > 0);
}

void TestVNS::deadlinePassedBeforeTheWorkerRan()
{
    // SIZE, which every graph has: a start graph without a value, as WIENER leaves a
    // disconnected one, would be refused by the archive.
    Rig rig("MAXIMIZE", "SIZE");
    QVERIFY2(rig.w, qPrintable(rig.why));
    OptimalSolutions &job = rig.newJob();
    // A one-millisecond limit, and a tick past it before the thread runs, as on a machine too
    // busy to run the worker in time.
    QVERIFY(rig.w->init(10, 1, &job, {-1.0}, 0));
    QThread::msleep(5);
    rig.w->slot_timer();
    rig.w->start();
    // The job archives its start graph all the same, and a later tick ends it.
    QTRY_VERIFY_WITH_TIMEOUT(tick(rig.w.get()), 60000);
    rig.w->wait();
    QVERIFY(job.isClosed());
    double v = 0;
    QString graph;
    bool violated = true;
    QVERIFY(lastValue(job, &v, &graph, &violated));
}

// The board's refresh as the job starts reaches a limit of one evaluation: the job still ends
// with its start graph archived. SIZE, which every graph has, so that any start graph counts.
void TestVNS::evaluationLimitOfOneKeepsTheStartGraph()
{
    Rig rig("MAXIMIZE", "SIZE");
    QVERIFY2(rig.w, qPrintable(rig.why));
    rig.w->slot_set_max_evals(1);
    OptimalSolutions &job = rig.newJob();
    QVERIFY(rig.w->init(8, 0, &job, {-1.0}, 0));
    rig.w->start();
    rig.w->wait();
    QVERIFY(job.isClosed());
    job.lock();
    const int kept = job.size();
    job.unlock();
    QCOMPARE(kept, 1);
}

// WIENER has no value on a disconnected graph, which the archives refuse. From a triangle and a
// separate edge, every degree-preserving swap gives the path on 5 vertices, the graph of largest
// Wiener index (20), so the job's first shaking reaches it whatever the random draws. The job
// keeps that graph; one that meets no graph with a value says so on the console, with the
// evaluations it made, counted here as the board signals them; one halted before its search
// began keeps none for that reason alone, and says nothing of values.
void TestVNS::startWithoutAValue_data()
{
    QTest::addColumn<int>("maxEvals");
    QTest::addColumn<bool>("halted");
    QTest::addColumn<bool>("kept");
    // The evaluations the board signals, with a limit of one (from the limit on, every
    // evaluation is signalled); -1: not counted.
    QTest::addColumn<int>("evaluations");
    QTest::addColumn<QString>("none");
    QTest::newRow("the first shaking reaches the optimum") << 300 << false << true << -1 << QString();
    QTest::newRow("a limit of one evaluation")
        << 1 << false << false << 1
        << "Job 3 (5 vertices, maximize WIENER(G)): no graph met in 1 evaluation has a value of the objective, so "
           "the job keeps none.";
    QTest::newRow("halted before the worker ran") << 0 << true << false << -1 << QString();
}

void TestVNS::startWithoutAValue()
{
    QFETCH(int, maxEvals);
    QFETCH(bool, halted);
    QFETCH(bool, kept);
    QFETCH(int, evaluations);
    QFETCH(QString, none);
    WorkerSignals seen;
    Rig rig("MAXIMIZE", "WIENER");
    QVERIFY2(rig.w, qPrintable(rig.why));
    rig.shown.loadCurrentGraph("5 1110000001");
    rig.shown.best_backup();
    seen.watch(rig.w.get());
    std::atomic<int> signalled{0};
    QObject::connect(
        rig.w->privateProblem(), &Problem::signal_max_eval_reached, rig.w->privateProblem(),
        [&signalled] { ++signalled; }, Qt::DirectConnection);
    rig.w->slot_set_max_evals(maxEvals);
    OptimalSolutions &job = rig.newJob();
    QVERIFY(rig.w->init(5, 0, &job, {-1.0}, 2));
    if (halted)
        rig.w->slot_terminateVNS();
    rig.w->start();
    rig.w->wait();
    QCOMPARE(seen.console(false).filter("keeps none"), none.isEmpty() ? QStringList() : QStringList{none});
    if (evaluations >= 0)
        QCOMPARE(signalled.load(), evaluations);
    job.lock();
    const int size = job.size();
    const double value = size > 0 ? (*job.lastSolution()->getValue()->z())[0][0] : 0.0;
    job.unlock();
    QCOMPARE(size, kept ? 1 : 0);
    if (kept)
        QCOMPARE(value, -20.0);
}

QTEST_MAIN(TestVNS)
#include "tst_vns.moc"
