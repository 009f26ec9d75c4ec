#include "optimizer/VNS.h"

#include "calculus/Calculus.h"
#include "calculus/Eval.h"
#include "problem/Problem.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QMutexLocker>
#include <QStringList>
#include <QTime>
#include <cmath>

namespace {
// Milliseconds on one monotonic clock shared by every worker.
qint64 monotonicMs()
{
    static const QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock.elapsed();
}
} // namespace

using adjacency::bit;

std::atomic<qint64> VNS::lastRefreshMs{-RefreshIntervalMs - 1};

VNS::VNS(Problem *board, Graph *interactive, int id_, QMutex *shared)
    : id(id_), mutex(shared), mainProblem(board), mainGraph(interactive)
{
    const uint constructionSeed = uint(qrand() + id);
    qsrand(constructionSeed);
    random.reseed(constructionSeed);
    problem = board->clone();
    // Handled in the worker thread at the evaluation itself, so that the search stops at
    // once and the limit is acted on once per job.
    connect(problem, &Problem::signal_max_eval_reached, this, &VNS::maxEvalsReached, Qt::DirectConnection);
    graph = new Graph("VNS", false);
    graph->copy(interactive);
    problem->setGraph(graph);
    syncGraph();
    localArchive.name = "local";
    localArchive.setFamily(true);
    zeroQuadStats();
}

void VNS::zeroQuadStats()
{
    for (int s = 0; s < 64; ++s)
        for (int t = 0; t < 64; ++t) {
            quadStats[s][t] = 0.0;
            quadTanh[s][t] = 0.0;
        }
    markAll();
}

void VNS::setQuadStat(int s, int t, double v)
{
    quadStats[s][t] = v;
    quadTanh[s][t] = std::tanh(v);
    markEntry(s, t);
}

void VNS::markEntry(int s, int t)
{
    // With u in [0, 1) the trial test tanh(m) + a > 2u - 0.5 compares with a value in
    // [-0.5, 1.5): at or below its bottom no draw passes, at or above its top every one does.
    // In between, a draw of 64 bits k, u = k / 2^64, passes when k is below (x + 0.5) 2^63.
    const double x = quadTanh[s][t] + markedAgressivity;
    const std::uint64_t b = std::uint64_t(1) << t;
    // A rewrite into the current pattern changes nothing: the diagonal is never tried.
    possible[s] = x > -0.5 && s != t ? possible[s] | b : possible[s] & ~b;
    certain[s] = x >= 1.5 ? certain[s] | b : certain[s] & ~b;
    const double scaled = (x + 0.5) * 9223372036854775808.0;
    threshold[s][t] = x <= -0.5 ? 0 : scaled >= 18446744073709551615.0 ? ~std::uint64_t(0) : std::uint64_t(scaled);
}

void VNS::markAll()
{
    markedAgressivity = agressivity.load(std::memory_order_relaxed);
    for (int s = 0; s < 64; ++s) {
        possible[s] = 0;
        certain[s] = 0;
        for (int t = 0; t < 64; ++t)
            markEntry(s, t);
    }
}

VNS::~VNS()
{
    // No forced termination: every loop of the search polls the stop flag.
    if (isRunning()) {
        if (OptimalSolutions *a = jobArchive.load())
            a->close();
    }
    stop.store(true, std::memory_order_release);
    wait();
    // QThread's own end is ordered inside Qt, where ThreadSanitizer cannot see it; the run's
    // last write, read here, orders it for the tool too.
    working.load(std::memory_order_acquire);
    delete problem;
    delete graph;
}

bool VNS::init(int n, int maxTimeMs, OptimalSolutions *archive, QVector<double> signs, int index)
{
    if (n < MinNodes || n > Graph::MaxNodes || !archive || isBusy()) {
        console(QString("VNS: job refused, vertex count %1 outside %2 to %3").arg(n).arg(MinNodes).arg(Graph::MaxNodes),
                false, 0, QColor(Qt::red));
        return false;
    }
    nbnod = n;
    graph->copy(mainGraph);
    syncGraph();
    problem->resetNbEvals();
    {
        QMutexLocker locker(mutex);
        problem->openString(mainProblem->saveString());
    }
    problem->setNbNod(n);
    problem->setOptFactors(signs);
    QStringList senses;
    const QVector<Calculus *> &zs = problem->objectiveList();
    for (int i = 0; i < zs.size(); ++i)
        senses << QString(i < signs.size() && signs[i] < 0 ? "maximize " : "minimize ") + zs[i]->formula();
    objectives = senses.join(", ");
    limitHandled.store(false);
    // The timer checks a job's deadline under it.
    std::lock_guard<std::mutex> lock(jobLock);
    jobArchive.store(archive);
    maxTime.store(maxTimeMs);
    jobIndex.store(index);
    startOffered.store(false, std::memory_order_relaxed);
    // The start time and the cleared stop flag belong to the job from here: a halt that
    // comes before the thread runs is kept.
    startMs.store(monotonicMs());
    stop.store(false, std::memory_order_release);
    ready.store(true, std::memory_order_release);
    return true;
}

int VNS::nbEvals() const
{
    return problem->nbEvals();
}

qint64 VNS::elapsedMs() const
{
    return monotonicMs() - startMs.load();
}

void VNS::console(const QString &text, bool debug, int level, QColor colour)
{
    emit signal_console(text, debug, level, colour, id);
}

void VNS::run()
{
    if (ready.exchange(false)) {
        working.store(true, std::memory_order_relaxed);
        // From the job's own vertex count: the shown graph at this moment is whatever the
        // previous job handed over, so it would tie the search to the order the jobs ran in.
        kMin = nbnod / 4;
        kMax = nbnod;
        kStep = 1;
        console("optimization running.. thread no=" + QString::number(id), true, 2, QColor(Qt::black));
        optimize();
    }
    // Also after a start without a job: the last write of every run, which the destructor
    // reads to order itself after the thread's reads of this object.
    working.store(false, std::memory_order_release);
}

void VNS::syncGraph()
{
    nbNodes = graph->snapshot(rows);
}

void VNS::loadPrivate(const QString &text)
{
    graph->loadCurrentGraph(text);
    syncGraph();
}

void VNS::setPair(int u, int v, bool on)
{
    if (on) {
        graph->addEdge(u, v);
        rows[u] |= bit(v);
        rows[v] |= bit(u);
    } else {
        graph->remEdge(u, v);
        rows[u] &= ~bit(v);
        rows[v] &= ~bit(u);
    }
}

Solution *VNS::evaluate(Eval *e)
{
    problem->eval(e);
    noteValue(*e);
    return new Solution(e, currentText());
}

void VNS::noteValue(const Eval &e)
{
    if (metValue)
        return;
    for (const QVector<double> &v : *e.z())
        if (v.isEmpty())
            return;
    metValue = true;
}

bool VNS::offer(OptimalSolutions *archive, Solution *s)
{
    if (archive && archive->addSolution(s))
        return true;
    delete s;
    return false;
}

bool VNS::offerBoth(Solution *s, const QString &tag)
{
    if (!offer(&localArchive, s))
        return false;
    if (!offer(jobArchive.load(), new Solution(s)))
        return false;
    best_backup(tag);
    return true;
}

bool VNS::tryMove(Eval *e, const char *tag, bool *result)
{
    problem->eval(e);
    noteValue(*e);
    // The graph text is made once the local archive takes the graph: most candidates are
    // refused on their values alone, and the refused candidate's solution serves the next.
    if (!candidate)
        candidate.reset(new Solution(nullptr, QString()));
    candidate->getValue()->copy(e);
    if (!localArchive.addSolution(candidate.get()))
        return false;
    Solution *s = candidate.release();
    const QString text = currentText();
    s->setGraph(text);
    improved = true;
    if (offer(jobArchive.load(), new Solution(e, text))) {
        best_backup(QString::fromLatin1(tag));
        *result = true;
    }
    return true;
}

void VNS::shuffle(int *order, int n)
{
    for (int i = 0; i < n; ++i)
        std::swap(order[i], order[random.below(n)]);
}

void VNS::optimize()
{
    k = kMin;
    const int clockSeed = QTime::currentTime().msec() + 1000 * id;
    const uint jobSeed = uint(seed >= 0 ? seed : clockSeed);
    // The thread's own Qt state too, for whatever else draws in this thread.
    qsrand(jobSeed);
    random.reseed(jobSeed);
    localArchive.clear();
    metValue = false;
    if (resetStats.load() || amnesy.load())
        zeroQuadStats();

    if (nbNodes != nbnod || startRandom.load()) {
        // A random graph on the job's vertex count, each pair an edge with probability 1/2.
        Graph::Row r[Graph::MaxNodes] = {};
        for (int i = 0; i + 1 < nbnod; ++i)
            for (int j = i + 1; j < nbnod; ++j)
                if (random.coin()) {
                    r[i] |= bit(j);
                    r[j] |= bit(i);
                }
        loadPrivate(Graph::graphText(r, nbnod));
    }
    localArchive.clear();
    Eval start;
    best_backup("Restart", &start);

    OptimalSolutions *archive = jobArchive.load();
    // The start graph is offered with the record of the hand-over's evaluation, so that it is
    // evaluated once and a limit of one evaluation is kept. It is offered unless the job was
    // halted before its search began; a job stopped by its evaluation limit, even at that
    // evaluation, keeps its start graph.
    ran = !archive->isClosed();
    if (ran && archive->size() == 0)
        offer(archive, new Solution(&start, currentText()));
    startOffered.store(true, std::memory_order_release);

    while (!stop.load(std::memory_order_acquire)) {
        perturb(k);
        localArchive.updateSolutions();

        bool success = false;
        do {
            improved = false;
            QVector<QString> texts = localArchive.graphs();
            if (texts.isEmpty() && !stop.load()) {
                Eval e;
                offerBoth(evaluate(&e), "perturb");
                texts = {currentText()};
            }
            for (const QString &text : texts) {
                if (stop.load(std::memory_order_acquire))
                    continue;
                loadPrivate(text);
                if (ls_stoquad())
                    success = true;
            }
            localArchive.updateSolutions();
        } while (improved);

        if (success) {
            console("ls succes", true, 4, QColor(Qt::green));
            k = kMin;
            const int before = archive->size();
            archive->updateSolutions();
            const int after = archive->size();
            if (before != after) {
                console(QString::number(archive->nbPoints()) + " points", false, 1, QColor(Qt::blue));
                console("OPT SOL : " + QString::number(after), false, 1, QColor(Qt::blue));
            }
        } else {
            console("ls failed", true, 4, QColor(Qt::green));
            k += kStep;
        }
        if (k > kMax)
            k = kMin;

        // Restart from one of the job's graphs, drawn at random.
        archive->lock();
        const int count = archive->size();
        const QString start = count > 0 ? archive->graph(random.below(count)) : QString();
        archive->unlock();
        if (count > 0)
            loadPrivate(start);
    }
    // A halt or a deadline closed the archive already; the evaluation limit leaves it open
    // until the graph that reached the limit was offered.
    archive->close();
    flushRefresh(true);
    // The archives keep only graphs with a value: such a job hands over nothing, which the
    // run's count alone would not say. A job halted before its search began keeps none for
    // that reason alone.
    if (ran && !metValue) {
        const int evaluations = problem->nbEvals();
        console("Job " + QString::number(jobIndex.load() + 1) + " (" + QString::number(nbnod) + " vertices, " +
                    objectives + "): no graph met in " + QString::number(evaluations) +
                    (evaluations == 1 ? " evaluation" : " evaluations") +
                    " has a value of the objective, so the job keeps none.",
                false, 0, QColor(Qt::red));
    }
    console("VNS Complete (" + QString::number(id) + ")", true, 4, QColor(Qt::blue));
    quit();
}

void VNS::best_backup(QString tag, Eval *record)
{
    OptimalSolutions *archive = jobArchive.load();
    {
        QMutexLocker shared(mutex);
        archive->lock();
        if (Solution *last = archive->lastSolution()) {
            const QString text = last->getGraph();
            const QString record = last->getValue()->display();
            const int size = archive->size();
            archive->unlock();
            loadPrivate(text);
            // Data only: the GUI thread takes it into the interactive graph and redraws.
            mainGraph->offerGraph(text);
            refreshOwed = true;
            flushRefresh(false);
            console(tag + " [" + QString::number(id) + "] : " + record + "\t time = " +
                        QString::number(double(elapsedMs()), 'g', 6) + "/" + QString::number(maxTime.load()) +
                        " nb evals = " + QString::number(problem->nbEvals()) + " #sol = " + QString::number(size),
                    false, 1, QColor(Qt::gray));
        } else {
            archive->unlock();
        }
    }
    // The private copies are the worker's own: recorded outside the shared lock.
    graph->best_backup();
    Eval own;
    Eval &e = record ? *record : own;
    problem->best_backup(&e);
    // An evaluation the job made, like any other.
    noteValue(e);
}

void VNS::flushOwedRefresh(bool force)
{
    const qint64 now = monotonicMs();
    qint64 last = lastRefreshMs.load();
    if (!force) {
        if (now - last < RefreshIntervalMs || !lastRefreshMs.compare_exchange_strong(last, now))
            return;
    } else {
        lastRefreshMs.store(now);
    }
    refreshOwed = false;
    emit signal_best_solution_changed();
}

void VNS::maxEvalsReached()
{
    if (limitHandled.exchange(true))
        return;
    // The archive stays open: the graph that reached the limit is offered still, and the
    // worker closes it as the job ends.
    stop.store(true, std::memory_order_release);
    // The progress report runs in the GUI thread. Posted by name, so that Qt itself copies the
    // arguments: a functor made here and run in the GUI thread is handed over inside Qt, where
    // ThreadSanitizer cannot see the order.
    QMetaObject::invokeMethod(this, "slot_maxEvalsReached", Qt::QueuedConnection, Q_ARG(int, jobIndex.load()));
}

void VNS::slot_maxEvalsReached(int job)
{
    // The job is stopped already. Nothing more is done here: by now the dispatcher may have
    // loaded the next job, which a halt from here would stop.
    emit signal_progress_vns(job, 100, 100);
}

void VNS::slot_timer()
{
    int job = 0;
    int limit = 0;
    bool expired = false;
    {
        std::lock_guard<std::mutex> lock(jobLock);
        if (stop.load(std::memory_order_acquire))
            return;
        job = jobIndex.load();
        limit = maxTime.load();
        // The clock runs from the dispatch: a worker the machine kept from running until past
        // the deadline still archives its start graph, and the tick after that ends the job.
        expired = limit > 0 && double(elapsedMs()) >= double(limit) && startOffered.load(std::memory_order_acquire);
        if (expired) {
            if (isRunning())
                if (OptimalSolutions *a = jobArchive.load())
                    a->close();
            stop.store(true, std::memory_order_release);
        }
    }
    // Reported outside the lock, which a receiver that loads the next job would take again.
    if (expired) {
        emit signal_progress_vns(job, 100, 100);
        return;
    }
    const int ev = problem->nbEvals();
    const int mx = problem->maxEvals();
    const qint64 e = limit > 0 ? qMin<qint64>(elapsedMs(), limit) : 0;
    const double evalFraction = mx > 0 ? double(ev) / mx : 0.0;
    const double timeFraction = limit > 0 ? double(e) / limit : 0.0;
    if (timeFraction > evalFraction)
        emit signal_progress_vns(job, int(e), limit);
    else
        emit signal_progress_vns(job, ev, mx);
}

void VNS::slot_set_agressivity(double a)
{
    agressivity.store(a);
    console("VNS: prob = " + QString::number(a, 'g', 6), true, 0, QColor(Qt::green));
}

void VNS::slot_set_start_random(bool b)
{
    console(QString("start random = ") + (b ? "1" : "0"), true, 3, QColor(Qt::red));
    startRandom.store(b);
}

void VNS::slot_set_max_evals(int limit)
{
    if (problem)
        problem->slot_set_max_eval(limit);
}

void VNS::slot_terminateVNS()
{
    emit signal_progress_vns(jobIndex.load(), 100, 100);
    // A job that is loaded but not yet running is closed as well: the halt is never lost.
    if (isRunning() || ready.load())
        if (OptimalSolutions *a = jobArchive.load())
            a->close();
    stop.store(true, std::memory_order_release);
}

// ---- Moves ----

void VNS::perturb(int kSwaps)
{
    const int n = nbNodes;
    if (n < 5)
        return;
    for (int attempt = 0; attempt < kSwaps; ++attempt) {
        const int ra = random.below(n), rb = random.below(n), rc = random.below(n), rd = random.below(n);
        bool found = false;
        for (int i = 0; i < n - 1 && !found; ++i) {
            if (stop.load(std::memory_order_relaxed))
                break;
            const int a = (ra + i) % n;
            for (int j = 0; j < n && !found; ++j) {
                const int b = (rb + j) % n;
                if (b == a || !adjacent(a, b))
                    continue;
                for (int m = 0; m < n && !found; ++m) {
                    const int c = (rc + m) % n;
                    if (c == a || c == b || adjacent(b, c))
                        continue;
                    for (int l = 0; l < n; ++l) {
                        const int d = (rd + l) % n;
                        if (d == c || d == a || d == b || !adjacent(c, d) || adjacent(a, d))
                            continue;
                        setPair(a, b, false);
                        setPair(c, d, false);
                        setPair(a, d, true);
                        setPair(c, b, true);
                        found = true;
                        break;
                    }
                }
            }
        }
    }
    localArchive.clear();
    if (!stop.load()) {
        Eval e;
        offerBoth(evaluate(&e), "perturb");
    }
}

bool VNS::ls_add_rem()
{
    Eval e;
    bool result = false;
    if (stop.load())
        return result;
    offerBoth(evaluate(&e), "ls_add_rem");

    const int n = nbNodes;
    int order[Graph::MaxNodes];
    for (int v = 0; v < n; ++v)
        order[v] = v;
    bool changed = true;
    while (changed) {
        shuffle(order, n);
        changed = false;
        for (int i = 0; i + 1 < n; ++i)
            for (int j = i + 1; j < n; ++j) {
                if (stop.load(std::memory_order_relaxed))
                    continue;
                flushRefresh(false);
                const int u = order[i], v = order[j];
                const bool was = adjacent(u, v);
                setPair(u, v, !was);
                if (tryMove(&e, "ls_add_rem", &result))
                    changed = true;
                else
                    setPair(u, v, was);
            }
    }
    return result;
}

void VNS::setQuadGraph(int *q, int t)
{
    static const int pairs[6][2] = {{0, 1}, {0, 2}, {0, 3}, {1, 2}, {1, 3}, {2, 3}};
    for (int b = 0; b < 6; ++b) {
        const int u = q[pairs[b][0]], v = q[pairs[b][1]];
        if ((t >> b) & 1) {
            rows[u] |= bit(v);
            rows[v] |= bit(u);
        } else {
            rows[u] &= ~bit(v);
            rows[v] &= ~bit(u);
        }
    }
    // The six pairs in one edit of the graph, which counts them as six.
    graph->setRows(bit(q[0]) | bit(q[1]) | bit(q[2]) | bit(q[3]), rows, 6);
}

bool VNS::tryRewrite(double m, double agressivity, double u)
{
    return std::tanh(m) + agressivity > 2.0 * u - 0.5;
}

void VNS::recentreQuadStats()
{
    double sum = 0.0;
    int count = 0;
    for (auto &row : quadStats)
        for (double x : row)
            if (std::fabs(x) > 0.01) {
                sum += x;
                ++count;
            }
    if (count == 0)
        return;
    const double shift = sum / count;
    for (int s = 0; s < 64; ++s)
        for (int t = 0; t < 64; ++t)
            if (std::fabs(quadStats[s][t]) > 0.01)
                setQuadStat(s, t, quadStats[s][t] - shift);
}

bool VNS::ls_stoquad()
{
    bool result = ls_add_rem();
    Eval e;
    if (!stop.load())
        offerBoth(evaluate(&e), "ls_stoquad init");

    const int n = nbNodes;
    int order[Graph::MaxNodes];
    for (int v = 0; v < n; ++v)
        order[v] = v;
    bool changed = true;
    while (changed) {
        shuffle(order, n);
        changed = false;
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j)
                for (int k2 = j + 1; k2 < n; ++k2)
                    for (int l = k2 + 1; l < n; ++l) {
                        if (stop.load(std::memory_order_relaxed))
                            continue;
                        flushRefresh(false);
                        int q[4] = {order[i], order[j], order[k2], order[l]};
                        const int s = quadSignature(q);
                        // Only the patterns whose trial can succeed are visited; most
                        // quadruples of a learned table have none.
                        const std::uint64_t next = tryable(s);
                        if (next && rewriteQuadruple(q, s, next, &e, &result))
                            changed = true;
                    }
    }
    recentreQuadStats();
    return result;
}

bool VNS::rewriteQuadruple(int *q, int s, std::uint64_t next, Eval *e, bool *result)
{
    bool kept = false;
    // The patterns t in increasing order; a draw is made only when its outcome is open.
    while (next) {
        const int t = __builtin_ctzll(next);
        // Also within the quadruple: an evaluation limit is never overrun.
        if (stop.load(std::memory_order_relaxed))
            break;
        const bool tried = ((certain[s] >> t) & 1u) || random.next() < threshold[s][t];
        if (tried) {
            setQuadGraph(q, t);
            if (tryMove(e, "ls_stoquad", result)) {
                setQuadStat(s, t, quadStats[s][t] + 1.0);
                kept = true;
                s = t;
            } else {
                setQuadStat(s, t, quadStats[s][t] - 0.1);
                setQuadGraph(q, s);
            }
        }
        next = t == 63 ? 0 : tryable(s) & (~std::uint64_t(0) << (t + 1));
    }
    return kept;
}
