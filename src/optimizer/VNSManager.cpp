#include "optimizer/VNSManager.h"

#include "calculus/Calculus.h"
#include "explorer/DataLoader.h"
#include "graph/Graph.h"
#include "optimizer/OptimalSolutions.h"
#include "optimizer/VNS.h"
#include "problem/Problem.h"

#include <QTimerEvent>
#include <chrono>

namespace {
// The longest the dispatch sleeps without a wake-up: it re-reads nbThreads this often.
constexpr std::chrono::milliseconds SafetyWake(100);
} // namespace

QVector<QVector<double>> VNSManager::signVectors(const QVector<int> &pattern)
{
    QVector<QVector<double>> s;
    for (int p : pattern) {
        if (p == 0) {
            if (s.isEmpty()) {
                s = {{-1.0}, {1.0}};
                continue;
            }
            const int half = s.size();
            s += s;
            for (int i = 0; i < s.size(); ++i)
                s[i].append(i < half ? -1.0 : 1.0);
        } else {
            const double sign = p == 1 ? 1.0 : -1.0;
            if (s.isEmpty())
                s = {{sign}};
            else
                for (QVector<double> &v : s)
                    v.append(sign);
        }
    }
    return s;
}

VNSManager::Jobs VNSManager::buildJobs(const QVector<int> &pattern, int lo, int hi)
{
    Jobs jobs;
    const QVector<QVector<double>> s = signVectors(pattern);
    for (int n = lo; n <= hi && !s.isEmpty(); ++n)
        for (const QVector<double> &v : s) {
            jobs.nbNodes.append(n);
            jobs.signs.append(v);
        }
    return jobs;
}

VNSManager::VNSManager(Problem *problem_, Graph *graph_, AnalystWidget *g, AnalystWidget *v, DataLoader *loader_)
    : QThread(nullptr), problem(problem_), graph(graph_), workerMutex(new QMutex), analystG(g), analystV(v),
      loader(loader_)
{
    for (int id = 0; id < NbWorkers; ++id) {
        VNS *w = new VNS(problem, graph, id, workerMutex);
        workers.append(w);
        connect(this, &VNSManager::signal_max_evals, w, &VNS::slot_set_max_evals);
        connect(this, &VNSManager::signal_terminate_jobs, w, &VNS::slot_terminateVNS);
        connect(this, &VNSManager::signal_set_amnesy_mode, w, &VNS::slot_set_amnesy_mode);
        connect(this, &VNSManager::signal_optimize_family_in_ls, w, &VNS::slot_optimize_family_in_ls);
        connect(this, &VNSManager::signal_set_start_random, w, &VNS::slot_set_start_random);
        connect(this, &VNSManager::signal_reset_stats, w, &VNS::slot_reset_stats);
        connect(this, &VNSManager::signal_set_agressivity, w, &VNS::slot_set_agressivity);
        connect(this, &VNSManager::signal_timer, w, &VNS::slot_timer);
        connect(w, &VNS::signal_best_solution_changed, this, &VNSManager::slot_new_solution);
        connect(w, &VNS::signal_console, this, &VNSManager::slot_console);
        connect(w, &VNS::signal_progress_vns, this, &VNSManager::slot_vns_progress);
        // In the worker's thread as it ends: the dispatch sleeps until a worker falls idle.
        connect(w, &QThread::finished, this, [this] { wake(); }, Qt::DirectConnection);
    }
    timerId = startTimer(1000, Qt::CoarseTimer);
}

VNSManager::~VNSManager()
{
    killTimer(timerId);
    // The dispatch ends and hands over what was found before any worker goes; no thread is
    // ever terminated: every search loop polls its stop flag.
    {
        std::lock_guard<std::mutex> lock(jobMutex);
        nextJob.store(jobCount.load());
    }
    for (VNS *w : workers)
        w->slot_terminateVNS();
    wake();
    wait();
    runEnded.load(std::memory_order_acquire);
    for (VNS *w : workers)
        delete w;
    deleteArchives();
    delete workerMutex;
}

void VNSManager::deleteArchives()
{
    qDeleteAll(jobArchives);
    jobArchives.clear();
}

void VNSManager::message(const QString &text, QColor colour)
{
    emit signal_console(text, false, 0, colour);
}

void VNSManager::refuse(const QString &text)
{
    message(text, QColor(Qt::red));
    emit signal_nothing_to_optimize(text);
}

void VNSManager::wake()
{
    {
        std::lock_guard<std::mutex> lock(wakeMutex);
        woken = true;
    }
    wakeCondition.notify_all();
}

void VNSManager::sleepForChange()
{
    std::unique_lock<std::mutex> lock(wakeMutex);
    wakeCondition.wait_for(lock, SafetyWake, [this] { return woken; });
    woken = false;
}

bool VNSManager::anyWorkerRunning() const
{
    for (VNS *w : workers)
        if (w->isBusy())
            return true;
    return false;
}

void VNSManager::slot_startVNS()
{
    if (isRunning())
        return;
    // The last run, whose end isRunning() saw inside Qt, read the archives deleted below: its
    // last write, read here, orders those reads before the deletion for race detectors too.
    runEnded.load(std::memory_order_acquire);
    const QVector<int> pattern = problem->getOptimizationPattern();
    if (pattern.isEmpty()) {
        refuse("There is no objective to optimise: add an objective (MINIMIZE, MAXIMIZE or MAXMIN) to the board.");
        return;
    }
    // Such an objective has no value on any graph: every job would run to its limit and
    // archive nothing.
    const QVector<Calculus *> &objectives = problem->objectiveList();
    for (int i = 0; i < objectives.size(); ++i) {
        Calculus *z = objectives[i];
        if (z->getArg(1))
            continue;
        QString item = z->getGivenName().isEmpty() ? z->getName() : "\"" + z->getGivenName() + "\"";
        if (objectives.size() > 1)
            item += QString(" (objective %1 of %2)").arg(i + 1).arg(objectives.size());
        refuse("The objective " + item + " has no argument: make an item its argument 1, or delete the objective.");
        return;
    }
    const int lo = qMax(p1min.load(), VNS::MinNodes);
    int hi = p1max.load();
    if (hi > Graph::MaxNodes) {
        message(QString("Vertex counts above %1 are not searched: n = %2 to %3 left out.")
                    .arg(Graph::MaxNodes)
                    .arg(qMax(lo, Graph::MaxNodes + 1))
                    .arg(hi),
                QColor(Qt::red));
        hi = Graph::MaxNodes;
    }
    if (lo > hi) {
        refuse(QString("No vertex count to search between %1 and %2.").arg(p1min.load()).arg(p1max.load()));
        return;
    }
    deleteArchives();
    const Jobs jobs = buildJobs(pattern, lo, hi);
    jobNbNodes = jobs.nbNodes;
    jobSigns = jobs.signs;
    for (int j = 0; j < jobNbNodes.size(); ++j)
        jobArchives.append(new OptimalSolutions);
    jobCount.store(jobNbNodes.size());
    // Here rather than in run(): a halt that comes before the thread runs is kept.
    {
        std::lock_guard<std::mutex> lock(jobMutex);
        nextJob.store(0);
    }
    emit signal_nb_jobs(jobNbNodes.size());
    start();
}

void VNSManager::run()
{
    emit signal_optimization_starts();
    const int count = jobNbNodes.size();
    while (nextJob.load() < count) {
        {
            std::lock_guard<std::mutex> lock(wakeMutex);
            woken = false;
        }
        for (int t = 0; t < qBound(1, nbThreads.load(), NbWorkers) && nextJob.load() < count; ++t) {
            VNS *w = workers[t];
            if (w->isBusy())
                continue;
            // Assigned and started under the lock: a halt either comes first, and the job is
            // never handed out, or after, and reaches a running worker.
            std::lock_guard<std::mutex> lock(jobMutex);
            const int j = nextJob.load();
            if (j >= count)
                break;
            nextJob.store(j + 1);
            if (!w->init(jobNbNodes[j], maxTime.load(), jobArchives[j], jobSigns[j], j))
                continue;
            message("Starting job " + QString::number(j + 1) + "/" + QString::number(count), QColor(Qt::black));
            w->start();
        }
        if (nextJob.load() < count)
            sleepForChange();
    }
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(wakeMutex);
            woken = false;
        }
        if (!anyWorkerRunning())
            break;
        sleepForChange();
    }

    emit signal_please_wait(true);
    loader->clear();
    emit signal_nb_graphs("0 graphs waiting");
    int handed = 0;
    for (OptimalSolutions *a : jobArchives) {
        a->lock();
        const QVector<QString> texts = a->graphs();
        a->unlock();
        loader->addGraphs(texts);
        handed += texts.size();
    }
    message("Nb Sols = " + QString::number(handed), QColor(Qt::blue));
    message(QString::number(loader->size()) + " Graphs added.", QColor(Qt::blue));
    emit signal_optimization_complete();
    emit signal_nb_graphs(QString::number(loader->size()) + " graphs waiting");
    if (autoAdd.load())
        slot_add_graphs_analyst();
    else
        emit signal_enable_add_graphs(true);
    emit signal_please_wait(false);
    runEnded.exchange(true, std::memory_order_release);
}

void VNSManager::slot_stopVNS()
{
    {
        std::lock_guard<std::mutex> lock(jobMutex);
        nextJob.store(jobCount.load());
    }
    emit signal_terminate_jobs();
    wake();
}

void VNSManager::slot_set_nb_threads(int n)
{
    // Only four workers exist, and none would ever be used with 0.
    nbThreads.store(qBound(1, n, NbWorkers));
    wake();
}

void VNSManager::slot_console(QString text, bool debug, int level, QColor colour, int id)
{
    emit signal_console(text, debug, level, colour, id);
}

void VNSManager::slot_vns_progress(int job, int value, int maximum)
{
    emit signal_vns_progress(job, qlonglong(value), qlonglong(maximum));
}

void VNSManager::slot_new_solution()
{
    emit signal_new_solution();
}

void VNSManager::slot_set_max_evals(int n)
{
    emit signal_max_evals(n);
}

void VNSManager::slot_set_amnesy_mode(bool b)
{
    emit signal_set_amnesy_mode(b);
}

void VNSManager::slot_optimize_family_in_ls(bool b)
{
    emit signal_optimize_family_in_ls(b);
}

void VNSManager::slot_set_start_random(bool b)
{
    emit signal_set_start_random(b);
}

void VNSManager::slot_reset_stats(bool b)
{
    emit signal_reset_stats(b);
}

void VNSManager::slot_set_agressivity(double a)
{
    emit signal_set_agressivity(a);
}

void VNSManager::slot_setMaxTime(int seconds)
{
    maxTime.store(qMax(0, seconds) * 1000);
}

void VNSManager::slot_add_graphs_analyst()
{
    emit signal_graphs_ready();
    emit signal_enable_add_graphs(false);
    emit signal_nb_graphs("0 graphs waiting");
}

void VNSManager::slot_auto_add_graphs(bool b)
{
    // Graphs already waiting keep the button enabled until they are added; switching the
    // mode changes only what the next run does.
    autoAdd.store(b);
}

void VNSManager::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == timerId)
        emit signal_timer();
    else
        QThread::timerEvent(event);
}
