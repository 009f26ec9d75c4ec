// The search's hot spots, each beside a plain C++ loop that does the same work (its floor), so
// that one run reads the ratio:
// - the search worker on "maximise WIENER subject to CONNECTED" (evaluations per second)
//   beside a flip-and-recompute hill climb on bit rows;
// - the domination number beside a plain branch and bound;
// - the Wiener index (the distance core, and the item on graph objects) beside an all-sources
//   distance sum on bit rows;
// - a 31-vertex graph6 line read into a graph with reset, and the decode alone beside a plain
//   one-bit-at-a-time decoder.
// Each floor is checked against Orvalith's value on every graph of its set before it is timed.
#include "OptimizerBoards.h"
#include "graph/GraphText.h"
#include "invariants/core/Distances.h"
#include "invariants/core/Domination.h"
#include "optimizer/VNS.h"
#include "problem/Problem.h"

#include "bench_support.h"
#include <QMutex>
#include <benchmark/benchmark.h>
#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <pthread.h>
#include <time.h>
#include <vector>

using namespace adjacency;

namespace {
// ---- The worker and the hill climb ----

// Evaluations before the measured segments: the first pattern tables have been learned by
// then. ORV_WARMUP_EVALS sets another count, to measure a later stage of the same search.
int warmUpEvaluations(int n)
{
    if (!qEnvironmentVariableIsEmpty("ORV_WARMUP_EVALS"))
        return qEnvironmentVariableIntValue("ORV_WARMUP_EVALS");
    return n <= 12 ? 400000 : (n <= 20 ? 300000 : 200000);
}

struct ConnectedWienerBoard
{
    Graph shown{"graph", false};
    Problem problem{&shown, "problem", false};
    QString why;
    bool ok = OptimizerBoards::objective(problem, "MAXIMIZE", "WIENER", &why) &&
              OptimizerBoards::constraint(problem, "CONNECTED", &why);
};

// CPU time of the thread it was made in.
struct ThreadClock
{
    clockid_t id{};
    bool ok = pthread_getcpuclockid(pthread_self(), &id) == 0;
    double seconds() const
    {
        timespec t{};
        clock_gettime(id, &t);
        return double(t.tv_sec) + 1e-9 * double(t.tv_nsec);
    }
};

// One worker runs one job on its own thread, from a seeded random graph. After a warm-up,
// each iteration is the next segment of 50,000 evaluations: evaluations per second of the
// worker thread's own CPU time, which other work on the machine dilutes less than wall time.
constexpr int SegmentEvaluations = 50000;

void BM_WorkerWienerConnected(benchmark::State &state)
{
    benchApp();
    const int n = int(state.range(0));
    ConnectedWienerBoard b;
    if (!b.ok) {
        state.SkipWithError(b.why.toStdString().c_str());
        return;
    }
    QMutex shared;
    VNS w(&b.problem, &b.shown, 0, &shared);
    w.slot_set_start_random(true);
    w.setSeed(100);
    std::unique_ptr<ThreadClock> clock;
    std::mutex clockMutex;
    std::condition_variable clockMade;
    QObject::connect(
        &w, &QThread::started, &w,
        [&] {
            {
                std::lock_guard<std::mutex> l(clockMutex);
                clock.reset(new ThreadClock);
            }
            clockMade.notify_all();
        },
        Qt::DirectConnection);
    auto waitFor = [&w](int evaluations) {
        while (w.nbEvals() < evaluations && w.isRunning())
            QThread::usleep(200);
        return w.nbEvals();
    };
    OptimalSolutions job;
    w.init(n, 0, &job, {-1.0}, 0);
    w.start();
    int e0 = waitFor(warmUpEvaluations(n));
    // Without a warm-up the worker thread may not have made its clock yet.
    std::unique_lock<std::mutex> l(clockMutex);
    clockMade.wait(l, [&clock] { return clock != nullptr; });
    double t0 = clock->seconds();
    qint64 evaluations = 0;
    for (auto _ : state) {
        const int e1 = waitFor(e0 + SegmentEvaluations);
        const double t1 = clock->seconds();
        evaluations += e1 - e0;
        state.SetIterationTime(t1 - t0);
        e0 = e1;
        t0 = t1;
    }
    w.slot_terminateVNS();
    w.wait();
    QCoreApplication::processEvents();
    state.SetItemsProcessed(evaluations);
}
BENCHMARK(BM_WorkerWienerConnected)->Arg(12)->Arg(20)->Arg(32)->Iterations(4)->UseManualTime()->Unit(benchmark::kMillisecond);

// Wiener index by one frontier-at-a-time search per source; false when the graph is
// disconnected.
bool plainWiener(const Row rows[], int n, long long *w)
{
    const Row all = lowMask(n);
    long long total = 0;
    for (int s = 0; s < n; ++s) {
        Row seen = bit(s), frontier = seen;
        for (int d = 1; frontier; ++d) {
            Row next = 0;
            for (Row f = frontier; f; f &= f - 1)
                next |= rows[lowest(f)];
            frontier = next & all & ~seen;
            seen |= frontier;
            total += d * popcount(frontier);
        }
        if (seen != all)
            return false;
    }
    *w = total / 2;
    return true;
}

// The floor of the worker: flip a random pair, recompute connectivity and the Wiener index,
// keep the flip when the graph stays connected and the index does not drop, else flip back.
void BM_FloorHillClimb(benchmark::State &state)
{
    const int n = int(state.range(0));
    Row rows[MaxNodes];
    NamedGraphs::random(rows, n, 0.5, 21);
    long long best = -1, w = 0;
    if (plainWiener(rows, n, &w))
        best = w;
    std::uint64_t x = 88172645463325252ull;
    for (auto _ : state) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        const int i = int((x & 0xFFFFFFFFu) % unsigned(n));
        int j = int((x >> 32) % unsigned(n - 1));
        j += j >= i;
        rows[i] ^= bit(j);
        rows[j] ^= bit(i);
        if (plainWiener(rows, n, &w) && w >= best) {
            best = w;
        } else {
            rows[i] ^= bit(j);
            rows[j] ^= bit(i);
        }
    }
    benchmark::DoNotOptimize(best);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FloorHillClimb)->Arg(12)->Arg(20)->Arg(32);

// ---- Domination ----

// A plain branch and bound for the domination number: no first bound but n; branch on the
// closed neighbourhood of the undominated vertex with the fewest of them; bound by the
// undominated count over the largest closed neighbourhood.
class PlainDomination
{
public:
    PlainDomination(const Row rows[], int n_) : n(n_), all(lowMask(n_)), best(n_)
    {
        for (int v = 0; v < n; ++v) {
            closed[v] = (rows[v] & all) | bit(v);
            largest = std::max(largest, popcount(closed[v]));
        }
    }
    int run()
    {
        if (n > 0)
            search(all, 0);
        return best;
    }

private:
    void search(Row open, int size)
    {
        if (!open) {
            best = std::min(best, size);
            return;
        }
        if (size + (popcount(open) + largest - 1) / largest >= best)
            return;
        int target = 0, fewest = MaxNodes + 1;
        for (Row r = open; r; r &= r - 1)
            if (popcount(closed[lowest(r)]) < fewest) {
                fewest = popcount(closed[lowest(r)]);
                target = lowest(r);
            }
        for (Row c = closed[target]; c; c &= c - 1)
            search(open & ~closed[lowest(c)], size + 1);
    }

    int n;
    Row all;
    int best;
    int largest = 1;
    Row closed[MaxNodes];
};

const std::vector<std::string> &dominationSets()
{
    return benchSets32();
}

template <typename Core>
void cycle(benchmark::State &state, const BenchSet &set, Core core)
{
    if (set.graphs.empty()) {
        state.SkipWithError("empty graph set");
        return;
    }
    std::size_t k = 0;
    for (auto _ : state) {
        const BenchGraph &g = set.at(k++);
        benchmark::DoNotOptimize(core(g));
    }
    state.SetItemsProcessed(state.iterations());
}

// ---- Wiener ----

// All sources at once: the balls of radius 1 are the closed neighbourhoods; each round turns
// every ball of radius d - 1 that is not yet whole into the ball of radius d, R[v] |= R[u]
// over the neighbours u, from the previous round's balls; each vertex outside a ball adds one
// to the sum of the distances from its centre. -1 on a disconnected graph.
long long allSourcesWiener(const Row rows[], int n)
{
    const Row all = lowMask(n);
    Row r[MaxNodes], next[MaxNodes];
    long long total = 0;
    Row open = 0;
    for (int v = 0; v < n; ++v) {
        r[v] = (rows[v] & all) | bit(v);
        total += (n - 1) + (n - popcount(r[v]));
        if (r[v] != all)
            open |= bit(v);
    }
    while (open) {
        std::copy(r, r + n, next);
        Row stillOpen = 0;
        bool grew = false;
        for (Row a = open; a; a &= a - 1) {
            const int v = lowest(a);
            Row b = r[v];
            for (Row f = rows[v] & all; f; f &= f - 1)
                b |= r[lowest(f)];
            grew |= b != r[v];
            next[v] = b;
            total += n - popcount(b);
            if (b != all)
                stillOpen |= bit(v);
        }
        if (!grew)
            return -1;
        std::copy(next, next + n, r);
        open = stillOpen;
    }
    return total / 2;
}

// ---- graph6 ----

QByteArray toGraph6(const Row rows[], int n)
{
    QByteArray g6(1, char(63 + n));
    int bits = 0, filled = 0;
    for (int j = 1; j < n; ++j)
        for (int i = 0; i < j; ++i) {
            bits = (bits << 1) | int((rows[i] >> j) & 1u);
            if (++filled == 6) {
                g6.append(char(63 + bits));
                bits = filled = 0;
            }
        }
    if (filled)
        g6.append(char(63 + (bits << (6 - filled))));
    return g6;
}

const std::vector<QByteArray> &lines31()
{
    static const std::vector<QByteArray> list = [] {
        std::vector<QByteArray> out;
        for (unsigned k = 0; k < 200; ++k) {
            Row rows[MaxNodes];
            NamedGraphs::random(rows, 31, 0.5, 7000 + k);
            out.push_back(toGraph6(rows, 31));
        }
        return out;
    }();
    return list;
}

// One 31-vertex line into a non-displayed graph, with reset as the explorer's loader reads.
void BM_LoadG6Line31(benchmark::State &state)
{
    benchApp();
    std::vector<QString> lines;
    for (const QByteArray &l : lines31())
        lines.push_back(QString::fromLatin1(l));
    Graph g("G", false);
    std::size_t k = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(g.loadg6(lines[k++ % lines.size()], true));
}
BENCHMARK(BM_LoadG6Line31);

// The decode alone.
void BM_ParseGraph6Line31(benchmark::State &state)
{
    const std::vector<QByteArray> &lines = lines31();
    GraphText::Rows g;
    std::size_t k = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(GraphText::parseGraph6(lines[k++ % lines.size()], &g));
        benchmark::DoNotOptimize(g.rows[30]);
    }
}
BENCHMARK(BM_ParseGraph6Line31);

// A plain decode: the pair bits walked one by one into rows.
void BM_PlainGraph6Line31(benchmark::State &state)
{
    const std::vector<QByteArray> &lines = lines31();
    std::size_t k = 0;
    for (auto _ : state) {
        const QByteArray &line = lines[k++ % lines.size()];
        const int n = line[0] - 63;
        Row rows[MaxNodes] = {};
        int pos = 1, b = 6, byte = 0;
        for (int j = 1; j < n; ++j)
            for (int i = 0; i < j; ++i) {
                if (b == 6) {
                    byte = line[pos++] - 63;
                    b = 0;
                }
                const Row e = Row(byte >> (5 - b++)) & 1u;
                rows[i] |= e << j;
                rows[j] |= e << i;
            }
        benchmark::DoNotOptimize(rows[30]);
    }
}
BENCHMARK(BM_PlainGraph6Line31);

// False, with the benchmark skipped, when the floor's value differs from Orvalith's on a graph.
template <typename Ours, typename Floor>
bool agree(benchmark::State &state, const BenchSet &set, Ours ours, Floor floor)
{
    for (const BenchGraph &g : set.graphs)
        if (ours(g) != floor(g)) {
            state.SkipWithError("the floor's value differs");
            return false;
        }
    return true;
}

int dominationNumber(const BenchGraph &g)
{
    return Domination::number(g.rows, g.n);
}
int plainDomination(const BenchGraph &g)
{
    return PlainDomination(g.rows, g.n).run();
}
// -1 on a disconnected graph, as the floor.
long long distancesWiener(const BenchGraph &g)
{
    const Distances d(g.rows, g.n);
    return d.connected() ? d.wiener() : -1;
}
long long floorWiener(const BenchGraph &g)
{
    return allSourcesWiener(g.rows, g.n);
}

const int registered = [] {
    registerOnSets("BM_DominationNumber", dominationSets(), [](benchmark::State &state, const BenchSet &set) {
        cycle(state, set, dominationNumber);
    });
    registerOnSets("BM_FloorDomination", dominationSets(), [](benchmark::State &state, const BenchSet &set) {
        if (agree(state, set, dominationNumber, plainDomination))
            cycle(state, set, plainDomination);
    });
    const std::vector<std::string> wienerSets = {"G(32,0.5)x200", "G(32,0.1)x200", "G(32,0.9)x200", "P32x200",
                                                 "trees32x200", "G(20,0.5)x200"};
    registerOnSets(
        "BM_DistancesWiener", wienerSets,
        [](benchmark::State &state, const BenchSet &set) {
            // One table refilled, as the items' shared table is.
            Distances d;
            cycle(state, set, [&d](const BenchGraph &g) {
                d.fill(g.rows, g.n);
                return d.wiener();
            });
        },
        benchmark::kNanosecond);
    // The item as the optimiser computes it: the graph read and the shared distances refilled.
    registerOnSets(
        "BM_WienerItem", wienerSets,
        [](benchmark::State &state, const BenchSet &set) { timeOnGraphs(state, set, "WIENER", false); },
        benchmark::kNanosecond);
    registerOnSets(
        "BM_FloorWiener", wienerSets,
        [](benchmark::State &state, const BenchSet &set) {
            if (agree(state, set, distancesWiener, floorWiener))
                cycle(state, set, floorWiener);
        },
        benchmark::kNanosecond);
    return 0;
}();
} // namespace
