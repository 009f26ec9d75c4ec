#ifndef VNSMANAGER_H
#define VNSMANAGER_H

#include <QColor>
#include <QMutex>
#include <QString>
#include <QThread>
#include <QVector>
#include <atomic>
#include <condition_variable>
#include <mutex>

class AnalystWidget;
class DataLoader;
class Graph;
class OptimalSolutions;
class Problem;
class VNS;

// The optimisation manager: turns the board into jobs (vertex counts crossed with objective
// sign vectors), hands them to the first nbThreads idle workers of its four, and, when every
// job is done or the run was halted, gives the graph text of every archived solution to the
// loader's optimiser inbox. It is also the switchboard between the shell and the workers.
//
// Threads: the object and its workers live in the GUI thread, where every slot runs; run()
// alone runs in the manager's thread. The dispatch sleeps on a condition variable that a
// worker's end and a halt wake, with a short timeout as a safety net; it never spins.
class VNSManager : public QThread
{
    Q_OBJECT

public:
    static constexpr int NbWorkers = 4;

    // The jobs of one run, same index in both lists.
    struct Jobs {
        QVector<int> nbNodes;
        QVector<QVector<double>> signs;
    };

    // The sign vectors of an optimisation pattern (1 minimise, -1 maximise, 0 both): each
    // "both" doubles the list, the vectors so far taking -1 and their copies +1.
    static QVector<QVector<double>> signVectors(const QVector<int> &pattern);
    // Every n of p1min..p1max crossed with every sign vector, ordered by n then by vector.
    static Jobs buildJobs(const QVector<int> &pattern, int p1min, int p1max);

    VNSManager(Problem *problem, Graph *graph, AnalystWidget *g, AnalystWidget *v, DataLoader *loader);
    ~VNSManager() override;

    // For tests and benchmarks: the workers and the archives and jobs of the last run
    // (read them only while no run is in progress).
    VNS *worker(int t) const { return workers.value(t); }
    const QVector<OptimalSolutions *> &archives() const { return jobArchives; }
    const QVector<int> &jobNodes() const { return jobNbNodes; }
    const QVector<QVector<double>> &jobSignVectors() const { return jobSigns; }
    int getMaxTime() const { return maxTime.load(); }
    // The lock the workers hold while they copy the board from its text at a job start: whoever
    // else reads the board during a run holds it too.
    QMutex *sharedMutex() const { return workerMutex; }

signals:
    void signal_optimization_complete();
    void signal_optimization_starts();
    void signal_please_wait(bool);
    void signal_terminate_jobs();
    void signal_max_evals(int);
    void signal_console(QString, bool, int, QColor);
    void signal_console(QString, bool, int, QColor, int);
    void signal_set_amnesy_mode(bool);
    void signal_optimize_family_in_ls(bool);
    void signal_set_start_random(bool);
    void signal_reset_stats(bool);
    void signal_set_agressivity(double);
    void signal_new_solution();
    void signal_graphs_ready();
    void signal_nb_graphs(QString);
    void signal_enable_add_graphs(bool);
    void signal_nb_jobs(int);
    void signal_vns_progress(int, qlonglong, qlonglong);
    void signal_timer();
    // A start refused before anything ran (no objective, no usable vertex count): the text
    // the user is to see in a warning box; the same text goes to the console.
    void signal_nothing_to_optimize(QString);

public slots:
    void run() override;
    void slot_set_nb_threads(int n);
    void slot_console(QString text, bool debug, int level, QColor colour, int id);
    void slot_vns_progress(int job, int value, int maximum);
    void slot_new_solution();
    void slot_set_p1min(int n) { p1min.store(n); }
    void slot_set_p1max(int n) { p1max.store(n); }
    void slot_set_max_evals(int n);
    void slot_startVNS();
    void slot_stopVNS();
    void slot_set_amnesy_mode(bool b);
    void slot_optimize_family_in_ls(bool b);
    void slot_set_start_random(bool b);
    void slot_reset_stats(bool b);
    void slot_set_agressivity(double a);
    void slot_setMaxTime(int seconds);
    void slot_add_graphs_analyst();
    void slot_auto_add_graphs(bool b);

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    void message(const QString &text, QColor colour);
    void refuse(const QString &text);
    bool anyWorkerRunning() const;
    // Sleeps until a worker ends or a halt comes, at most the timeout.
    void sleepForChange();
    void wake();
    void deleteArchives();

    Problem *problem;
    Graph *graph;
    int timerId = 0;
    QVector<int> jobNbNodes;
    std::atomic<int> maxTime{600000};
    QVector<OptimalSolutions *> jobArchives;
    QVector<QVector<double>> jobSigns;
    QMutex *workerMutex;
    std::mutex jobMutex;
    QVector<VNS *> workers;
    AnalystWidget *analystG;
    AnalystWidget *analystV;
    DataLoader *loader;
    std::atomic<int> nbThreads{NbWorkers};
    // Written under jobMutex; read once without it by the dispatch, hence atomic.
    std::atomic<int> nextJob{0};
    std::atomic<bool> autoAdd{true};
    std::atomic<int> p1min{10};
    std::atomic<int> p1max{10};
    // The job count of the current or last run, for the halt.
    std::atomic<int> jobCount{0};

    std::mutex wakeMutex;
    std::condition_variable wakeCondition;
    bool woken = false;
    // Written by run() as its last step and read by the destructor after wait() and by the next
    // start: the run's accesses are then ordered before the teardown or the next run's set-up
    // also for race detectors, which cannot see the ordering made inside Qt when the thread has
    // already finished. Written by an exchange, so that earlier runs stay in the release
    // sequence these read.
    std::atomic<bool> runEnded{false};
};

#endif
