#include "NamedGraphs.h"
#include "OptimizerBoards.h"
#include "conjectures/ConjectureSettings.h"
#include "explorer/Analyst.h"
#include "explorer/AnalystWidget.h"
#include "explorer/DataLoader.h"
#include "explorer/FilterWidget.h"
#include "graph/Graph.h"
#include "optimizer/OptimalSolutions.h"
#include "optimizer/VNS.h"
#include "optimizer/VNSManager.h"
#include "problem/Problem.h"

#include <QElapsedTimer>
#include <QSet>
#include <QtTest>
#include <cmath>
#include <memory>
#include <mutex>
#include <random>

using SignList = QVector<QVector<double>>;
Q_DECLARE_METATYPE(SignList)

namespace {
// The board, the interactive graph, the loader and a graph-values explorer, with a manager
// wired to them as the shell wires it. Every signal of the manager is logged in the GUI
// thread (queued from the manager's thread), so the test reads the log without a race.
struct Rig
{
    Graph shown{"graph", true};
    Problem board{&shown, "problem", false};
    DataLoader loader{&board, &shown, nullptr};
    FilterWidget filter;
    ConjectureSettings settings;
    AnalystWidget explorer{&board, &shown, new Analyst, &loader, &filter, &settings, false};
    // Last, so that it goes first: it stops its run before the loader and the explorer go.
    std::unique_ptr<VNSManager> m{new VNSManager(&board, &shown, &explorer, nullptr, &loader)};
    QStringList log;
    QSet<int> workerIds;
    QObject context;

    Rig()
    {
        VNSManager *v = m.get();
        QObject::connect(v, &VNSManager::signal_new_solution, &board, &Problem::slot_refresh);
        QObject::connect(v, &VNSManager::signal_graphs_ready, &explorer, &AnalystWidget::slot_data_loaded);
        QObject::connect(v, QOverload<QString, bool, int, QColor>::of(&VNSManager::signal_console), &context,
                         [this](QString t, bool, int, QColor) { log << "console:" + t; });
        QObject::connect(v, QOverload<QString, bool, int, QColor, int>::of(&VNSManager::signal_console), &context,
                         [this](QString t, bool, int, QColor, int id) {
                             workerIds.insert(id);
                             if (t.startsWith("Job "))
                                 log << "worker:" + t;
                         });
        QObject::connect(v, &VNSManager::signal_optimization_starts, &context, [this] { log << "starts"; });
        QObject::connect(v, &VNSManager::signal_optimization_complete, &context, [this] { log << "complete"; });
        QObject::connect(v, &VNSManager::signal_graphs_ready, &context, [this] { log << "ready"; });
        QObject::connect(v, &VNSManager::signal_please_wait, &context,
                         [this](bool b) { log << QString("wait:%1").arg(b); });
        QObject::connect(v, &VNSManager::signal_nb_graphs, &context, [this](QString t) { log << "label:" + t; });
        QObject::connect(v, &VNSManager::signal_enable_add_graphs, &context,
                         [this](bool b) { log << QString("button:%1").arg(b); });
        QObject::connect(v, &VNSManager::signal_nb_jobs, &context, [this](int n) { log << QString("jobs:%1").arg(n); });
        QObject::connect(v, &VNSManager::signal_nothing_to_optimize, &context,
                         [this](QString t) { log << "refused:" + t; });
        for (int t = 0; t < VNSManager::NbWorkers; ++t)
            m->worker(t)->setSeed(1000 + 17 * t);
    }

    // Waits for the end of the run: the last signal of run has reached the GUI thread, and the
    // manager's thread, which then has only its return left, has ended. Empty, or what did not
    // come in time.
    QString finished(int ms)
    {
        QElapsedTimer clock;
        clock.start();
        while (!log.contains("wait:0") && clock.elapsed() < ms)
            QTest::qWait(5);
        if (!log.contains("wait:0"))
            return QString("the run did not end within %1 s; seen: %2").arg(ms / 1000.0).arg(log.join(", "));
        if (!m->wait(30000))
            return "the manager's thread did not end within 30 s of the run's last signal";
        return QString();
    }

    QStringList lines(const QString &prefix) const
    {
        QStringList out;
        for (const QString &l : log)
            if (l.startsWith(prefix))
                out << l.mid(prefix.size());
        return out;
    }

    int archived(int from, int to) const
    {
        int total = 0;
        for (int j = from; j < to; ++j)
            total += m->archives()[j]->size();
        return total;
    }
};

QStringList announcements(int count)
{
    QStringList out;
    for (int j = 1; j <= count; ++j)
        out << QString("Starting job %1/%2").arg(j).arg(count);
    return out;
}

// Rows of a graph text as bitmasks; the test's own reading, not the graph model's.
QVector<quint32> rowsOf(const QString &text)
{
    const int n = text.section(' ', 0, 0).toInt();
    const QString bits = text.section(' ', 1);
    QVector<quint32> r(n, 0);
    int k = 0;
    for (int i = 1; i < n; ++i)
        for (int j = 0; j < i; ++j, ++k)
            if (bits.at(k) == '1') {
                r[i] |= 1u << j;
                r[j] |= 1u << i;
            }
    return r;
}

// Edge count and Wiener index by breadth-first search; -1 for a disconnected graph.
void sizeAndWiener(const QVector<quint32> &r, int *size, int *wiener)
{
    const int n = r.size();
    *size = 0;
    *wiener = 0;
    for (int v = 0; v < n; ++v) {
        *size += __builtin_popcount(r[v]);
        QVector<int> d(n, -1);
        d[v] = 0;
        QVector<int> queue{v};
        for (int h = 0; h < queue.size(); ++h)
            for (int w = 0; w < n; ++w)
                if ((r[queue[h]] >> w) & 1u && d[w] < 0) {
                    d[w] = d[queue[h]] + 1;
                    queue << w;
                }
        for (int w = v + 1; w < n; ++w) {
            if (d[w] < 0) {
                *wiener = -1;
                *size /= 2;
                return;
            }
            *wiener += d[w];
        }
    }
    *size /= 2;
}

// Randic index: the sum over the edges of 1 / sqrt(deg u * deg v).
double randic(const QVector<quint32> &r)
{
    double sum = 0;
    for (int u = 0; u < r.size(); ++u)
        for (int v = u + 1; v < r.size(); ++v)
            if ((r[u] >> v) & 1u)
                sum += 1.0 / std::sqrt(double(__builtin_popcount(r[u]) * __builtin_popcount(r[v])));
    return sum;
}

QString cycleText(int n)
{
    Graph::Row rows[Graph::MaxNodes];
    return Graph::graphText(rows, NamedGraphs::cycle(rows, n));
}

bool isPath(const QVector<quint32> &r)
{
    int size = 0, wiener = 0;
    sizeAndWiener(r, &size, &wiener);
    for (quint32 row : r)
        if (__builtin_popcount(row) > 2)
            return false;
    return wiener >= 0 && size == r.size() - 1;
}
} // namespace

class TestVNSManager : public QObject
{
    Q_OBJECT

private slots:
    void buildsJobs_data();
    void buildsJobs();
    void twoThreadsSixJobs();
    void haltDuringRun();
    void refusals_data();
    void refusals();
    void autoAdd_data();
    void autoAdd();
    void settingsReachWorkers();
    void endToEnd_data();
    void endToEnd();
    void startHaltCycles();
    void teardownDuringRun();
    void maximisingJobFromTheShownGraph_data();
    void maximisingJobFromTheShownGraph();
    void optimalStartIsKept();
    void shakingRangeFollowsTheJob();
};

void TestVNSManager::buildsJobs_data()
{
    QTest::addColumn<QVector<int>>("pattern");
    QTest::addColumn<int>("lo");
    QTest::addColumn<int>("hi");
    QTest::addColumn<QVector<int>>("nodes");
    QTest::addColumn<SignList>("signs");
    QTest::newRow("(0, 1, 0): four vectors") << QVector<int>{0, 1, 0} << 7 << 7 << QVector<int>{7, 7, 7, 7}
                                             << SignList{{-1, 1, -1}, {1, 1, -1}, {-1, 1, 1}, {1, 1, 1}};
    QTest::newRow("(1, 0), n = 8..10") << QVector<int>{1, 0} << 8 << 10 << QVector<int>{8, 8, 9, 9, 10, 10}
                                       << SignList{{1, -1}, {1, 1}, {1, -1}, {1, 1}, {1, -1}, {1, 1}};
    QTest::newRow("(0) first: maximise before minimise") << QVector<int>{0} << 5 << 5 << QVector<int>{5, 5}
                                                         << SignList{{-1}, {1}};
    QTest::newRow("(-1, 1), n = 5..6") << QVector<int>{-1, 1} << 5 << 6 << QVector<int>{5, 6}
                                       << SignList{{-1, 1}, {-1, 1}};
    QTest::newRow("no objective") << QVector<int>{} << 5 << 10 << QVector<int>{} << SignList{};
    QTest::newRow("lower bound above upper") << QVector<int>{1} << 9 << 8 << QVector<int>{} << SignList{};
}

void TestVNSManager::buildsJobs()
{
    QFETCH(QVector<int>, pattern);
    QFETCH(int, lo);
    QFETCH(int, hi);
    QFETCH(QVector<int>, nodes);
    QFETCH(SignList, signs);
    const VNSManager::Jobs jobs = VNSManager::buildJobs(pattern, lo, hi);
    QCOMPARE(jobs.nbNodes, nodes);
    QCOMPARE(jobs.signs, signs);
}

void TestVNSManager::twoThreadsSixJobs()
{
    Rig rig;
    QString why;
    // WIENER has no value on a disconnected graph, which the archives refuse: a search from a
    // disconnected start may spend its 150 evaluations without meeting a connected graph (a few
    // of 3,000 seeded jobs on 5 to 10 vertices did). Such a job keeps nothing and says so.
    QVERIFY2(OptimizerBoards::objective(rig.board, "MAXIMIZE", "WIENER", &why), qPrintable(why));
    rig.m->slot_set_nb_threads(2);
    rig.m->slot_set_p1min(5);
    rig.m->slot_set_p1max(10);
    rig.m->slot_set_max_evals(150);
    rig.m->slot_startVNS();
    // A second start while the first run goes on changes nothing.
    rig.m->slot_startVNS();
    QCOMPARE(rig.finished(120000), QString());
    QCOMPARE(rig.lines("jobs:"), QStringList{"6"});
    QCOMPARE(rig.lines("console:Starting job"), announcements(6).replaceInStrings("Starting job", ""));
    QVERIFY2(rig.workerIds == (QSet<int>{0, 1}), qPrintable(QString::number(rig.workerIds.size())));
    QCOMPARE(rig.m->worker(2)->nbEvals() + rig.m->worker(3)->nbEvals(), 0);
    QCOMPARE(rig.m->jobNodes(), (QVector<int>{5, 6, 7, 8, 9, 10}));
    // Every archived graph reaches the loader, in job order; a job keeps a graph or says why not.
    QVector<QString> expected;
    int empty = 0;
    for (int j = 0; j < 6; ++j) {
        OptimalSolutions *a = rig.m->archives()[j];
        const QString job = QString("worker:Job %1 (%2 vertices, maximize WIENER(G)): ").arg(j + 1).arg(5 + j);
        empty += a->size() == 0;
        QCOMPARE(rig.log.filter(job).size(), a->size() == 0 ? 1 : 0);
        expected += a->graphs();
    }
    QCOMPARE(rig.lines("worker:").size(), empty);
    QCOMPARE(rig.loader.getGraphs(), expected);
    QCOMPARE(rig.lines("console:Nb Sols = "), QStringList{QString::number(expected.size())});
    QCOMPARE(rig.lines("console:").last(), QString("%1 Graphs added.").arg(expected.size()));
    QCOMPARE(rig.log.count("starts"), 1);
    QCOMPARE(rig.log.count("complete"), 1);
}

void TestVNSManager::haltDuringRun()
{
    Rig rig;
    QString why;
    QVERIFY2(OptimizerBoards::objective(rig.board, "MAXIMIZE", "WIENER", &why), qPrintable(why));
    rig.m->slot_set_nb_threads(2);
    rig.m->slot_set_p1min(10);
    rig.m->slot_set_p1max(15);
    rig.m->slot_setMaxTime(600);
    rig.m->slot_startVNS();
    QTRY_VERIFY(rig.lines("console:").contains("Starting job 2/6"));
    QTest::qWait(100);
    rig.m->slot_stopVNS();
    // Ten-minute jobs: the run ends with the halt, and no job starts after it.
    QCOMPARE(rig.finished(10000), QString());
    QCOMPARE(rig.lines("console:Starting job"), (QStringList{" 1/6", " 2/6"}));
    QCOMPARE(rig.archived(2, 6), 0);
    const int handed = rig.archived(0, 2);
    QCOMPARE(rig.loader.size(), handed);
    QCOMPARE(rig.lines("console:Nb Sols = "), QStringList{QString::number(handed)});
    QCOMPARE(rig.log.count("complete"), 1);
    QCOMPARE(rig.explorer.getGraphs().size(), handed);
}

void TestVNSManager::refusals_data()
{
    QTest::addColumn<bool>("objective");
    QTest::addColumn<int>("lo");
    QTest::addColumn<int>("hi");
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<QVector<int>>("nodes");
    QTest::newRow("constraint but no objective") << false << 5 << 6 << "There is no objective to optimise" << QVector<int>{};
    QTest::newRow("lower bound above 32") << true << 33 << 40 << "No vertex count to search" << QVector<int>{};
    QTest::newRow("lower above upper") << true << 9 << 8 << "No vertex count to search" << QVector<int>{};
    QTest::newRow("range across 32") << true << 31 << 1000 << "" << QVector<int>{31, 32};
}

void TestVNSManager::refusals()
{
    QFETCH(bool, objective);
    QFETCH(int, lo);
    QFETCH(int, hi);
    QFETCH(QString, refusal);
    QFETCH(QVector<int>, nodes);
    Rig rig;
    QString why;
    QVERIFY2(OptimizerBoards::constraint(rig.board, "CONNECTED", &why), qPrintable(why));
    if (objective)
        QVERIFY2(OptimizerBoards::objective(rig.board, "MINIMIZE", "SIZE", &why), qPrintable(why));
    rig.loader.addGraph("3 111");
    rig.m->slot_set_p1min(lo);
    rig.m->slot_set_p1max(hi);
    rig.m->slot_set_max_evals(40);
    rig.m->slot_startVNS();
    if (!refusal.isEmpty()) {
        QVERIFY(!rig.m->isRunning());
        QTest::qWait(50);
        QCOMPARE(rig.lines("refused:").size(), 1);
        QVERIFY(rig.lines("refused:")[0].startsWith(refusal));
        QCOMPARE(rig.lines("console:").last(), rig.lines("refused:")[0]);
        QVERIFY(!rig.log.contains("starts"));
        // What waited in the loader is untouched.
        QCOMPARE(rig.loader.getGraphs(), QVector<QString>{"3 111"});
        return;
    }
    QCOMPARE(rig.finished(60000), QString());
    QCOMPARE(rig.m->jobNodes(), nodes);
    QVERIFY(rig.lines("console:")[0].startsWith("Vertex counts above 32 are not searched: n = 33 to 1000"));
    QCOMPARE(rig.lines("console:Starting job"), (QStringList{" 1/2", " 2/2"}));
    for (const QString &g : rig.loader.getGraphs())
        QVERIFY(g.startsWith("31 ") || g.startsWith("32 "));
}

void TestVNSManager::autoAdd_data()
{
    QTest::addColumn<bool>("on");
    QTest::newRow("auto add on") << true;
    QTest::newRow("auto add off") << false;
}

void TestVNSManager::autoAdd()
{
    QFETCH(bool, on);
    Rig rig;
    QString why;
    QVERIFY2(OptimizerBoards::objective(rig.board, "MAXIMIZE", "SIZE", &why), qPrintable(why));
    rig.m->slot_auto_add_graphs(on);
    rig.m->slot_set_p1min(5);
    rig.m->slot_set_p1max(6);
    rig.m->slot_set_max_evals(60);
    rig.m->slot_startVNS();
    QCOMPARE(rig.finished(60000), QString());
    const int n = rig.loader.size();
    QVERIFY(n > 0);
    const QString waiting = QString("%1 graphs waiting").arg(n);
    QStringList labels = {"0 graphs waiting", waiting};
    if (on)
        labels << "0 graphs waiting";
    QCOMPARE(rig.lines("label:"), labels);
    QCOMPARE(rig.lines("button:"), QStringList{on ? "0" : "1"});
    QCOMPARE(rig.log.count("ready"), on ? 1 : 0);
    QCOMPARE(rig.explorer.getGraphs().size(), on ? n : 0);
    // The "Add graphs" button hands the waiting graphs over, once.
    rig.m->slot_add_graphs_analyst();
    QCOMPARE(rig.log.count("ready"), on ? 2 : 1);
    QCOMPARE(rig.lines("button:").last(), QString("0"));
    QCOMPARE(rig.lines("label:").last(), QString("0 graphs waiting"));
    QCOMPARE(rig.explorer.getGraphs().size(), on ? 2 * n : n);
}

void TestVNSManager::settingsReachWorkers()
{
    Rig rig;
    QString why;
    QVERIFY2(OptimizerBoards::objective(rig.board, "MINIMIZE", "SIZE", &why), qPrintable(why));
    rig.m->slot_setMaxTime(90);
    QCOMPARE(rig.m->getMaxTime(), 90000);
    // The evaluation limit reaches every worker: each job stops at exactly that many.
    rig.m->slot_set_max_evals(70);
    rig.m->slot_set_p1min(6);
    rig.m->slot_set_p1max(9);
    rig.m->slot_startVNS();
    QCOMPARE(rig.finished(60000), QString());
    for (int t = 0; t < VNSManager::NbWorkers; ++t)
        QCOMPARE(rig.m->worker(t)->nbEvals(), 70);
    // The timer ticks every second and reaches every worker, run or no run.
    QSignalSpy ticks(rig.m.get(), &VNSManager::signal_timer);
    QVERIFY(ticks.wait(30000));
}

void TestVNSManager::endToEnd_data()
{
    QTest::addColumn<bool>("twoObjectives");
    QTest::newRow("maximise WIENER subject to CONNECTED") << false;
    QTest::newRow("maximise SIZE and minimise WIENER") << true;
}

void TestVNSManager::endToEnd()
{
    QFETCH(bool, twoObjectives);
    Rig rig;
    QString why;
    if (twoObjectives)
        QVERIFY2(OptimizerBoards::objective(rig.board, "MAXIMIZE", "SIZE", &why) &&
                     OptimizerBoards::objective(rig.board, "MINIMIZE", "WIENER", &why),
                 qPrintable(why));
    else
        QVERIFY2(OptimizerBoards::objective(rig.board, "MAXIMIZE", "WIENER", &why) &&
                     OptimizerBoards::constraint(rig.board, "CONNECTED", &why),
                 qPrintable(why));
    rig.m->slot_set_p1min(5);
    rig.m->slot_set_p1max(9);
    rig.m->slot_set_max_evals(4000);
    rig.m->slot_startVNS();
    QCOMPARE(rig.finished(240000), QString());
    const QStringList delivered = rig.explorer.getGraphs();
    QCOMPARE(delivered.size(), rig.loader.size());
    for (int n = 5; n <= 9; ++n) {
        QVector<QPair<int, int>> points;
        for (const QString &g : delivered) {
            const QVector<quint32> r = rowsOf(g);
            if (r.size() != n)
                continue;
            if (!twoObjectives) {
                QVERIFY2(isPath(r), qPrintable(g));
                points << qMakePair(0, 0);
                continue;
            }
            int size = 0, wiener = 0;
            sizeAndWiener(r, &size, &wiener);
            QVERIFY2(wiener >= 0, qPrintable(g));
            points << qMakePair(size, wiener);
        }
        QVERIFY2(!points.isEmpty(), qPrintable(QString("nothing for n = %1").arg(n)));
        for (const auto &p : points)
            for (const auto &q : points)
                QVERIFY2(!(q.first >= p.first && q.second <= p.second && q != p),
                         qPrintable(QString("(%1, %2) dominated by (%3, %4)")
                                        .arg(p.first).arg(p.second).arg(q.first).arg(q.second)));
    }
}

void TestVNSManager::startHaltCycles()
{
    Rig rig;
    QString why;
    QVERIFY2(OptimizerBoards::objective(rig.board, "MAXIMIZE", "WIENER", &why), qPrintable(why));
    rig.m->slot_set_p1min(10);
    rig.m->slot_set_p1max(17);
    rig.m->slot_setMaxTime(600);
    // The explorer would grow by every cycle's graphs; the hand-over to the loader is enough.
    rig.m->slot_auto_add_graphs(false);
    std::mt19937 rng(11);
    for (int cycle = 0; cycle < 200; ++cycle) {
        rig.log.clear();
        rig.m->slot_startVNS();
        QTest::qWait(int(rng() % 30));
        rig.m->slot_stopVNS();
        QVERIFY(rig.m->wait(10000));
        QCOMPARE(rig.finished(10000), QString());
        QCOMPARE(rig.log.count("complete"), 1);
        // Ten-minute jobs end only by the halt: none starts after it, so at most one per worker.
        QVERIFY(rig.lines("console:Starting job").size() <= VNSManager::NbWorkers);
    }
}

void TestVNSManager::teardownDuringRun()
{
    Rig rig;
    QString why;
    QVERIFY2(OptimizerBoards::objective(rig.board, "MAXIMIZE", "WIENER", &why), qPrintable(why));
    rig.m->slot_set_p1min(20);
    rig.m->slot_set_p1max(32);
    rig.m->slot_setMaxTime(600);
    rig.m->slot_startVNS();
    QTRY_VERIFY(rig.lines("console:").contains("Starting job 4/13"));
    // Until a job has archived its start graph, which a loaded machine may delay.
    auto archived = [&rig] {
        int total = 0;
        for (int j = 0; j < 4; ++j) {
            OptimalSolutions *a = rig.m->archives()[j];
            a->lock();
            total += a->size();
            a->unlock();
        }
        return total;
    };
    QTRY_VERIFY_WITH_TIMEOUT(archived() > 0, 60000);
    rig.m.reset();
    // The run was handed over before the manager went, and no job started after the first four.
    QVERIFY(rig.loader.size() > 0);
    QCoreApplication::processEvents();
    QCOMPARE(rig.lines("console:Starting job"), (QStringList{" 1/13", " 2/13", " 3/13", " 4/13"}));
}

void TestVNSManager::maximisingJobFromTheShownGraph_data()
{
    QTest::addColumn<int>("maxEvals");
    // Three evaluations: the start's hand-over, the start graph offered to the job, the first
    // shaken graph, which reaches the limit and closes the archive.
    QTest::newRow("the start graph alone") << 3;
    QTest::newRow("after a search") << 400;
}

void TestVNSManager::maximisingJobFromTheShownGraph()
{
    QFETCH(int, maxEvals);
    Rig rig;
    QString why;
    QVERIFY2(OptimizerBoards::objective(rig.board, "MAXIMIZE", "WIENER", &why) &&
                 OptimizerBoards::constraint(rig.board, "CONNECTED", &why),
             qPrintable(why));
    // The job's vertex count is the shown graph's: the job starts from that graph.
    const QString start = cycleText(10);
    rig.shown.loadCurrentGraph(start);
    rig.shown.best_backup();
    rig.m->slot_set_nb_threads(1);
    rig.m->slot_set_p1min(10);
    rig.m->slot_set_p1max(10);
    rig.m->slot_set_max_evals(maxEvals);
    rig.m->slot_startVNS();
    QCOMPARE(rig.finished(60000), QString());
    OptimalSolutions *job = rig.m->archives().value(0);
    QVERIFY(job && job->size() > 0);
    if (maxEvals == 3) {
        QCOMPARE(job->size(), 1);
        QCOMPARE(job->graph(0), start);
    }
    // Every record is its graph's value, maximised: minus the Wiener index, no violation.
    for (int i = 0; i < job->size(); ++i) {
        const Solution *s = job->OSSolution(i);
        int size = 0, wiener = 0;
        sizeAndWiener(rowsOf(s->getGraph()), &size, &wiener);
        QVERIFY2(wiener > 0, qPrintable(s->getGraph()));
        QVERIFY2(!s->getValue()->violated(), qPrintable(s->getGraph()));
        QCOMPARE((*s->getValue()->z())[0][0], -double(wiener));
    }
}

void TestVNSManager::optimalStartIsKept()
{
    Rig rig;
    QString why;
    QVERIFY2(OptimizerBoards::objective(rig.board, "MAXIMIZE", "RANDIC", &why) &&
                 OptimizerBoards::constraint(rig.board, "CONNECTED", &why),
             qPrintable(why));
    rig.m->slot_set_nb_threads(1);
    rig.m->slot_set_p1min(7);
    rig.m->slot_set_p1max(7);
    rig.m->slot_set_max_evals(1500);
    rig.m->slot_auto_add_graphs(false);
    // The cycle is optimal: every regular graph reaches n / 2, no connected graph more.
    for (int seed : {1, 2, 3, 4, 5, 6}) {
        rig.log.clear();
        rig.shown.loadCurrentGraph(cycleText(7));
        rig.shown.best_backup();
        rig.m->worker(0)->setSeed(seed);
        rig.m->slot_startVNS();
        QCOMPARE(rig.finished(60000), QString());
        OptimalSolutions *job = rig.m->archives().value(0);
        QVERIFY(job && job->size() > 0);
        for (int i = 0; i < job->size(); ++i) {
            const Solution *s = job->OSSolution(i);
            const QString text = s->getGraph();
            QVERIFY2(qAbs(randic(rowsOf(text)) - 3.5) < 1e-9, qPrintable(QString("seed %1: %2").arg(seed).arg(text)));
            QVERIFY2(qAbs((*s->getValue()->z())[0][0] + 3.5) < 1e-9, qPrintable(QString("seed %1").arg(seed)));
        }
    }
}

void TestVNSManager::shakingRangeFollowsTheJob()
{
    Rig rig;
    QString why;
    QVERIFY2(OptimizerBoards::objective(rig.board, "MAXIMIZE", "WIENER", &why), qPrintable(why));
    rig.m->slot_set_p1min(5);
    rig.m->slot_set_p1max(8);
    rig.m->slot_set_max_evals(100);
    rig.m->slot_auto_add_graphs(false);
    // Each job's vertex count and shaking range, read in the worker's thread by the message
    // its search starts with (the range is set by then, and the next job waits for this one).
    std::mutex seenLock;
    QMap<int, QPair<int, int>> seen;
    for (int t = 0; t < VNSManager::NbWorkers; ++t) {
        VNS *w = rig.m->worker(t);
        QObject::connect(w, &VNS::signal_console, &rig.context, [w, &seenLock, &seen](QString text) {
            if (!text.startsWith("optimization running.."))
                return;
            std::lock_guard<std::mutex> locker(seenLock);
            seen.insert(w->privateProblem()->getNbNod(), qMakePair(w->getKMin(), w->getKMax()));
        }, Qt::DirectConnection);
    }
    const QMap<int, QPair<int, int>> expected{{5, {1, 5}}, {6, {1, 6}}, {7, {1, 7}}, {8, {2, 8}}};
    for (int threads : {1, 4}) {
        rig.log.clear();
        {
            std::lock_guard<std::mutex> locker(seenLock);
            seen.clear();
        }
        // The same shown graph at each start; the jobs hand theirs over as they run.
        rig.shown.loadCurrentGraph(cycleText(10));
        rig.shown.best_backup();
        rig.m->slot_set_nb_threads(threads);
        rig.m->slot_startVNS();
        QCOMPARE(rig.finished(60000), QString());
        std::lock_guard<std::mutex> locker(seenLock);
        QCOMPARE(seen, expected);
    }
}

QTEST_MAIN(TestVNSManager)
#include "tst_vnsmanager.moc"
