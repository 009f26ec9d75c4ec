#ifndef VNS_H
#define VNS_H

#include "graph/Graph.h"
#include "optimizer/OptimalSolutions.h"
#include "optimizer/SearchRandom.h"

#include <QColor>
#include <QString>
#include <QThread>
#include <QVector>
#include <atomic>
#include <memory>
#include <mutex>

class Eval;
class Problem;
class QMutex;

// One search worker: a variable neighbourhood search of one job (a vertex count, a time
// limit, the job's archive, the objective signs) on a private copy of the board and a private
// graph, in a thread of its own. It shakes the graph by degree-preserving edge swaps, improves
// it by edge toggles and by rewriting four-vertex patterns under a learned table of
// preferences, keeps what it finds in the job archive and hands each new best graph over.
//
// Threads: the object lives in the GUI thread, where its slots run (timer, halt, settings);
// init runs in the dispatching thread; run() and everything it calls run in the worker's
// own thread. The worker hands a best graph over as data only (Graph::offerGraph) and
// signals; the GUI thread loads it and redraws, at most every 200 ms during a run.
class VNS : public QThread
{
    Q_OBJECT

public:
    static constexpr int MinNodes = 1;
    // Refreshes of the shown best graph are at least this far apart during a run.
    static constexpr qint64 RefreshIntervalMs = 200;

    VNS(Problem *board, Graph *interactive, int id, QMutex *shared);
    ~VNS() override;

    // Loads a job; false, with nothing changed, for a vertex count outside 1 to 32 or while
    // a job runs. A time limit of 0 means none.
    bool init(int n, int maxTimeMs, OptimalSolutions *archive, QVector<double> signs, int jobIndex);
    // True from the start of a run until its last write: the dispatcher reads it before it
    // hands the worker a new job, so the job's set-up is ordered after the previous run's
    // writes (QThread's own end is inside Qt, where ThreadSanitizer cannot see it).
    bool isBusy() const { return working.load(std::memory_order_acquire) || isRunning(); }

    // The moves, on the private graph.
    void perturb(int k);
    bool ls_add_rem();
    bool ls_stoquad();
    int quadSignature(int *q) const
    {
        const Graph::Row r0 = rows[q[0]], r1 = rows[q[1]], r2 = rows[q[2]];
        return int(((r0 >> q[1]) & 1u) | (((r0 >> q[2]) & 1u) << 1) | (((r0 >> q[3]) & 1u) << 2) |
                   (((r1 >> q[2]) & 1u) << 3) | (((r1 >> q[3]) & 1u) << 4) | (((r2 >> q[3]) & 1u) << 5));
    }
    void setQuadGraph(int *q, int t);
    // Hands the job archive's last graph over, and records the private board's values on the
    // private graph with one evaluation, whose record goes to `record` when one is given.
    void best_backup(QString tag, Eval *record = nullptr);

    // The pattern-preference table, and the rule by which a rewrite is tried: with u drawn
    // uniformly in [0, 1], when tanh(m) + agressivity > 2u - 0.5. A rewrite whose entry
    // decides the outcome whatever u (tanh(m) + agressivity at most -0.5 or at least 1.5) is
    // skipped or tried without a draw.
    double quadStat(int s, int t) const { return quadStats[s][t]; }
    void setQuadStat(int s, int t, double v);
    void recentreQuadStats();
    static bool tryRewrite(double m, double agressivity, double u);

    // A fixed seed for the worker thread's random source (negative: the clock's
    // millisecond, the default).
    void setSeed(int s) { seed = s; }
    // Reads the private graph again after a change made from outside the moves.
    void syncGraph();
    Graph *privateGraph() const { return graph; }
    Problem *privateProblem() const { return problem; }
    OptimalSolutions *localSolutions() { return &localArchive; }
    int nbEvals() const;
    int getK() const { return k; }
    int getKMin() const { return kMin; }
    int getKMax() const { return kMax; }
    bool isStopped() const { return stop.load(std::memory_order_acquire); }

signals:
    void signal_console(QString, bool, int, QColor, int);
    void signal_best_solution_changed();
    void signal_progress_vns(int, int, int);

public slots:
    void run() override;
    void slot_timer();
    void slot_set_agressivity(double a);
    void slot_reset_stats(bool b) { resetStats.store(b, std::memory_order_relaxed); }
    void slot_set_start_random(bool b);
    void slot_optimize_family_in_ls(bool b) { localArchive.setFamily(b); }
    void slot_set_amnesy_mode(bool b) { amnesy.store(b, std::memory_order_relaxed); }
    void slot_set_max_evals(int limit);
    void slot_terminateVNS();

private slots:
    // The evaluation limit's report of a job, in the GUI thread; `job` as it was when the
    // limit was reached.
    void slot_maxEvalsReached(int job);

private:
    void optimize();
    void console(const QString &text, bool debug, int level, QColor colour);
    // Evaluates the private graph into e and makes a solution of it.
    Solution *evaluate(Eval *e);
    // Notes whether the record just evaluated has a value for every objective, which the
    // archives need to keep a graph.
    void noteValue(const Eval &e);
    // Offers a solution; a refused one is deleted here.
    static bool offer(OptimalSolutions *archive, Solution *s);
    // Offers a solution to the local archive and, when it enters, to the job archive too,
    // handing it over when that accepts; true when the job archive took it. Every graph that
    // enters the local archive goes this way, so the job keeps at least the best graph it met.
    bool offerBoth(Solution *s, const QString &tag);
    // Evaluates the graph a move left and offers it to the local archive; a graph taken there
    // goes on to the job archive, and is handed over with the tag when that takes it too
    // (*result then set). False: refused, the caller undoes the move.
    bool tryMove(Eval *e, const char *tag, bool *result);
    // Tries the rewrites of the quadruple q of pattern s, starting with the tryable patterns
    // `next`; true when one was kept.
    bool rewriteQuadruple(int *q, int s, std::uint64_t next, Eval *e, bool *result);
    // The patterns that row s may try (the draw can succeed), under the current agressivity;
    // never s itself.
    std::uint64_t tryable(int s)
    {
        // A change of the agressivity from the GUI thread takes effect at the next trial.
        if (agressivity.load(std::memory_order_relaxed) != markedAgressivity)
            markAll();
        return possible[s];
    }
    void markEntry(int s, int t);
    void markAll();
    void setPair(int u, int v, bool on);
    bool adjacent(int u, int v) const { return (rows[u] >> v) & 1u; }
    void loadPrivate(const QString &text);
    void shuffle(int *order, int n);
    QString currentText() const { return Graph::graphText(rows, nbNodes); }
    // Emits the owed refresh signal when the last refresh of any worker is old enough, or
    // at once when forced.
    void flushRefresh(bool force)
    {
        if (refreshOwed)
            flushOwedRefresh(force);
    }
    void flushOwedRefresh(bool force);
    void zeroQuadStats();
    // Worker thread, at the evaluation that reaches the limit.
    void maxEvalsReached();
    qint64 elapsedMs() const;

    const int id;
    QMutex *mutex;
    Problem *problem = nullptr;
    Problem *mainProblem;
    Graph *mainGraph;
    Graph *graph = nullptr;
    std::atomic<qint64> startMs{0};
    std::atomic<bool> stop{true};
    std::atomic<bool> ready{false};
    std::atomic<bool> working{false};
    int kMin = 4;
    int kMax = 20;
    int kStep = 1;
    int k = 4;
    std::atomic<bool> startRandom{false};
    std::atomic<double> agressivity{0.3};
    std::atomic<int> maxTime{600000};
    int nbnod = 10;
    std::atomic<int> jobIndex{0};
    std::atomic<bool> resetStats{true};
    OptimalSolutions localArchive;
    std::atomic<OptimalSolutions *> jobArchive{nullptr};
    bool improved = false;
    std::atomic<bool> amnesy{true};
    double quadStats[64][64];
    // tanh of each entry, kept with it; per row the patterns whose trial can succeed and
    // those whose trial cannot fail, and per entry the 64-bit draw below which it is tried,
    // all under the agressivity they were marked for.
    double quadTanh[64][64];
    std::uint64_t possible[64];
    std::uint64_t certain[64];
    std::uint64_t threshold[64][64];
    double markedAgressivity = 0.3;
    SearchRandom random;

    // The private graph as rows, kept by the moves: the worker alone changes that graph.
    Graph::Row rows[Graph::MaxNodes];
    int nbNodes = 0;
    int seed = -1;
    // One evaluation limit signal handled per job.
    std::atomic<bool> limitHandled{false};
    // init loads a job and the timer checks and ends one under this lock, so that a deadline
    // check that began on the previous job never stops the next.
    std::mutex jobLock;
    // Set by the worker once the job's start graph was offered: until then the deadline waits,
    // so that a worker kept from running past it still archives that graph. Release and acquire
    // order the offer before the timer's close of the archive.
    std::atomic<bool> startOffered{false};
    bool refreshOwed = false;
    // The solution of the next candidate offered to the local archive.
    std::unique_ptr<Solution> candidate;
    // Whether the current job evaluated a graph with a value for every objective; worker
    // thread only.
    bool metValue = false;
    // Whether the current job's search began with its start graph offered: false when a halt
    // closed the job archive first. Worker thread only.
    bool ran = false;
    // The job's objectives with their senses ("maximize WIENER(G)"), for its console lines.
    QString objectives;
    static std::atomic<qint64> lastRefreshMs;
};

#endif
