#include "ConjectureEngineProbe.h"
#include "bench_support.h"
#include "conjectures/ConjectureSettings.h"
#include "conjectures/ConjectureWidget.h"
#include "conjectures/ConjecturesDisplay.h"
#include "conjectures/RelationSpaces.h"
#include "explorer/Analyst.h"

#include <QColor>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <ctime>
#include <random>
#include <set>
#include <utility>
#include <vector>

namespace {

constexpr int Rows = 10000;
constexpr int Columns = 6;

// Table-like rows: integer columns such as orders and sizes, and real ones such as indices.
QVector<QVector<double>> tableRows()
{
    std::mt19937 gen(2024);
    std::uniform_int_distribution<int> order(4, 32);
    std::uniform_real_distribution<double> real(0.0, 100.0);
    QVector<QVector<double>> rows;
    for (int r = 0; r < Rows; ++r) {
        QVector<double> row;
        for (int c = 0; c < Columns; ++c)
            row << (c % 2 ? double(order(gen)) : real(gen));
        rows << row;
    }
    return rows;
}

void feed(ConjectureEngine &e, const QVector<QVector<double>> &rows)
{
    e.clear();
    e.setSq(true);
    e.setProd(true);
    e.setHeader({"a", "b", "c", "d", "e", "f"});
    e.setWeights(QVector<double>(Columns, 1.0));
    for (int r = 0; r < rows.size(); ++r)
        e.addPoint(rows[r], r);
}

// Feeding a job: every row of the table, with the near-duplicate test.
void BM_ConjectureAddPoint10000x6(benchmark::State &state)
{
    const QVector<QVector<double>> rows = tableRows();
    ConjectureEngineProbe e(0);
    for (auto _ : state) {
        feed(e, rows);
        benchmark::DoNotOptimize(e.nbPoints());
    }
}
BENCHMARK(BM_ConjectureAddPoint10000x6)->Unit(benchmark::kMillisecond);

// One evaluation of the search with squares and products: 27 columns over 10,000 points.
void BM_ConjectureEval10000x27(benchmark::State &state)
{
    ConjectureEngineProbe e(0);
    feed(e, tableRows());
    e.prepare();
    state.counters["dim"] = e.dimension();
    for (auto _ : state)
        benchmark::DoNotOptimize(e.evaluate());
}
BENCHMARK(BM_ConjectureEval10000x27)->Unit(benchmark::kMicrosecond);

// The set-up of a search's rows on 100,000 rows x 18 columns with products (171 columns), one
// column the sum of two others: the first job sets the rows up, the next one takes them as they
// are; and a job cancelled while it sets them up.
void BM_ConjectureSetUp100000x171(benchmark::State &state)
{
    benchApp();
    std::mt19937 gen(171);
    QStringList names;
    for (int c = 0; c < 18; ++c)
        names << QString("c%1").arg(c);
    QVector<QVector<double>> rows;
    for (int r = 0; r < 100000; ++r) {
        QVector<double> row;
        for (int c = 0; c < 18; ++c)
            row << double(gen() % 1000) / 10.0;
        row[17] = row[0] + row[1];
        rows << row;
    }
    const auto fed = [&](ConjectureEngine &e) {
        e.clear();
        e.setProd(true);
        e.setHeader(names);
        e.setWeights(QVector<double>(18, 1.0));
        for (int r = 0; r < rows.size(); ++r)
            e.addPoint(rows[r], r);
    };
    for (auto _ : state) {
        const auto shared = std::make_shared<RelationSpaces>();
        QElapsedTimer clock;
        for (const char *job : {"first_job_setup_ms", "next_job_setup_ms"}) {
            ConjectureEngineProbe e(0);
            fed(e);
            e.setSpaces(shared);
            clock.start();
            e.prepare();
            state.counters[job] = double(clock.nsecsElapsed()) / 1e6;
            state.counters["columns"] = e.dimension();
            clock.start();
            e.evaluate();
            state.counters["evaluation_ms"] = double(clock.nsecsElapsed()) / 1e6;
        }
        ConjectureEngine e(1);
        fed(e);
        e.start();
        QThread::msleep(300);
        clock.start();
        e.cancel();
        e.wait();
        state.counters["cancel_in_setup_ms"] = double(clock.nsecsElapsed()) / 1e6;
    }
}
BENCHMARK(BM_ConjectureSetUp100000x171)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

// The conjecture panel's own search, as the user runs it. Seconds of search from
// ORV_CONJECTURE_SEARCH_S (default 20); the README's figures are taken after 600.
namespace {

constexpr double NoValue = 1e12;

// Graph values with an identity among the columns, as a list of graphs found by a search gives
// them: 112 connected graphs, each on 6 vertices or on those 6 and a leaf, with ORDER, SIZE, GIRTH
// and the degrees of the first six vertices, so that 2 SIZE = DEGREES[1] + ... + DEGREES[6] +
// ORDER - 6 on every row. 6 are trees (GIRTH has no value: their rows take no part); of the
// others, all but 2 lie on ORDER + GIRTH = 10 (girth 3 with the leaf, 4 without).
struct GraphValues {
    QStringList names{"ORDER", "SIZE", "GIRTH"};
    QVector<QVector<double>> rows;
};

int girthOf(const std::vector<std::vector<int>> &adj)
{
    const int n = int(adj.size());
    int best = 0;
    for (int s = 0; s < n; ++s) {
        std::vector<int> dist(size_t(n), -1), parent(size_t(n), -1), queue{s};
        dist[size_t(s)] = 0;
        for (size_t q = 0; q < queue.size(); ++q) {
            const int u = queue[q];
            for (int v : adj[size_t(u)]) {
                if (dist[size_t(v)] < 0) {
                    dist[size_t(v)] = dist[size_t(u)] + 1;
                    parent[size_t(v)] = u;
                    queue.push_back(v);
                } else if (parent[size_t(u)] != v) {
                    const int cycle = dist[size_t(u)] + dist[size_t(v)] + 1;
                    if (best == 0 || cycle < best)
                        best = cycle;
                }
            }
        }
    }
    return best;
}

GraphValues degreeTable()
{
    GraphValues t;
    for (int i = 1; i <= 6; ++i)
        t.names << QString("DEGREES[%1]").arg(i);
    std::mt19937 gen(59);
    // Wanted: (leaf, girth) -> count; girth 0 is a tree.
    struct Kind {
        bool leaf;
        int girth;
        int count;
    };
    std::vector<Kind> kinds{{false, 0, 3}, {true, 0, 3}, {true, 4, 2}, {true, 3, 70}, {false, 4, 34}};
    for (Kind &kind : kinds)
        while (kind.count > 0) {
            std::vector<std::vector<char>> edge(7, std::vector<char>(7, 0));
            auto join = [&](int a, int b) { edge[size_t(a)][size_t(b)] = edge[size_t(b)][size_t(a)] = 1; };
            for (int v = 1; v < 6; ++v)
                join(v, int(gen() % unsigned(v)));
            const double p = kind.girth == 0 ? 0.0 : 0.05 + 0.5 * double(gen() % 1000) / 1000.0;
            for (int a = 0; a < 6; ++a)
                for (int b = 0; b < a; ++b)
                    if (double(gen() % 1000) / 1000.0 < p)
                        join(a, b);
            const int n = kind.leaf ? 7 : 6;
            if (kind.leaf)
                join(6, int(gen() % 6));
            std::vector<std::vector<int>> adj(static_cast<size_t>(n));
            int size = 0;
            for (int a = 0; a < n; ++a)
                for (int b = 0; b < n; ++b)
                    if (edge[size_t(a)][size_t(b)]) {
                        adj[size_t(a)].push_back(b);
                        size += a < b;
                    }
            const int girth = girthOf(adj);
            if (girth != kind.girth)
                continue;
            QVector<double> row{double(n), double(size), girth ? double(girth) : NoValue};
            for (int v = 0; v < 6; ++v)
                row << double(adj[size_t(v)].size());
            t.rows << row;
            --kind.count;
        }
    // Mixed as a list is.
    std::shuffle(t.rows.begin(), t.rows.end(), gen);
    return t;
}

// The 112 connected graphs on 6 vertices with ORDER, SIZE, GIRTH and the degrees, as a list of
// them loaded into the explorer gives them: 2 SIZE = DEGREES[1] + ... + DEGREES[6] on every row,
// ORDER is 6 on every row and the 6 trees have no girth. Its faces are many, and a search keeps
// finding relations on it.
GraphValues connectedSix()
{
    GraphValues t;
    for (int i = 1; i <= 6; ++i)
        t.names << QString("DEGREES[%1]").arg(i);
    constexpr int N = 6, Pairs = N * (N - 1) / 2;
    int pairA[Pairs], pairB[Pairs];
    for (int a = 1, k = 0; a < N; ++a)
        for (int b = 0; b < a; ++b, ++k) {
            pairA[k] = a;
            pairB[k] = b;
        }
    std::vector<std::array<int, N>> perms;
    std::array<int, N> p{0, 1, 2, 3, 4, 5};
    do
        perms.push_back(p);
    while (std::next_permutation(p.begin(), p.end()));
    std::set<int> seen;
    for (int mask = 0; mask < (1 << Pairs); ++mask) {
        std::vector<std::vector<int>> adj(N);
        for (int k = 0; k < Pairs; ++k)
            if (mask >> k & 1) {
                adj[size_t(pairA[k])].push_back(pairB[k]);
                adj[size_t(pairB[k])].push_back(pairA[k]);
            }
        std::vector<int> reached{0};
        std::vector<char> in(N, 0);
        in[0] = 1;
        for (size_t q = 0; q < reached.size(); ++q)
            for (int v : adj[size_t(reached[q])])
                if (!in[size_t(v)]) {
                    in[size_t(v)] = 1;
                    reached.push_back(v);
                }
        if (int(reached.size()) != N)
            continue;
        // The smallest relabelled mask stands for the graph.
        int canonical = mask;
        for (const auto &perm : perms) {
            int m = 0;
            for (int k = 0; k < Pairs; ++k)
                if (mask >> k & 1) {
                    const int a = perm[size_t(pairA[k])], b = perm[size_t(pairB[k])];
                    const int hi = std::max(a, b), lo = std::min(a, b);
                    m |= 1 << (hi * (hi - 1) / 2 + lo);
                }
            canonical = std::min(canonical, m);
        }
        if (!seen.insert(canonical).second)
            continue;
        const int girth = girthOf(adj);
        QVector<double> row{double(N), double(__builtin_popcount(unsigned(mask))), girth ? double(girth) : NoValue};
        for (int v = 0; v < N; ++v)
            row << double(adj[size_t(v)].size());
        t.rows << row;
    }
    return t;
}

// The longest pass of the event loop: the longest gap between two ticks of a 1 ms timer, in
// wall-clock time and in the GUI thread's own processor time (which a loaded machine, taking the
// processor away, does not lengthen).
class PassClock
{
public:
    PassClock()
    {
        tick.setTimerType(Qt::PreciseTimer);
        tick.setInterval(1);
        QObject::connect(&tick, &QTimer::timeout, [this] {
            const qint64 now = clock.nsecsElapsed(), cpu = threadNs();
            longest = std::max(longest, now - last);
            longestCpu = std::max(longestCpu, cpu - lastCpu);
            last = now;
            lastCpu = cpu;
        });
        clock.start();
        last = clock.nsecsElapsed();
        lastCpu = threadNs();
        tick.start();
    }
    // The longest gaps since the last call, in ms: wall clock, then processor time.
    std::pair<double, double> take()
    {
        const std::pair<double, double> ms{double(longest) / 1e6, double(longestCpu) / 1e6};
        longest = longestCpu = 0;
        return ms;
    }

private:
    static qint64 threadNs()
    {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
    }

    QTimer tick;
    QElapsedTimer clock;
    qint64 last = 0, lastCpu = 0;
    qint64 longest = 0, longestCpu = 0;
};

void runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

QPushButton *buttonOf(QWidget *panel, const QString &caption)
{
    for (QPushButton *b : panel->findChildren<QPushButton *>())
        if (b->text() == caption)
            return b;
    return nullptr;
}

// Search, with the panel's defaults (120 s per job, 4 engines), for the set time, then Cancel:
// the longest event-loop pass while searching and from Cancel to the end (ordering and showing
// the list included), the records the engines sent to the panel, the relations listed, the
// time from Cancel to the end, and the resident memory before and after.
void BM_ConjectureSearchLive(benchmark::State &state)
{
    benchApp();
    const int seconds = qEnvironmentVariableIsSet("ORV_CONJECTURE_SEARCH_S")
                            ? qEnvironmentVariableIntValue("ORV_CONJECTURE_SEARCH_S") : 20;
    const GraphValues values = state.range(0) == 0 ? degreeTable() : connectedSix();
    for (auto _ : state) {
        Analyst table;
        table.setHeader(values.names);
        for (int r = 0; r < values.rows.size(); ++r)
            table.push_back(values.rows[r], r);
        table.buildTable();
        ConjectureSettings settings;
        settings.setVariables(values.names);
        ConjecturesDisplay display;
        ConjectureWidget panel(&table, &settings, &display);
        qint64 records = 0;
        QStringList lines;
        QObject::connect(&panel, &ConjectureWidget::signal_console, [&](QString text, bool, int level, QColor) {
            if (level == 1)
                ++records;
            else
                lines << text;
        });
        const double rssBefore = statusMB("VmRSS:");
        PassClock passes;
        buttonOf(&panel, "Search")->click();
        runFor(seconds * 1000);
        const std::pair<double, double> searching = passes.take();
        const double rssSearching = statusMB("VmRSS:");
        const qint64 recordsAtCancel = records;
        QElapsedTimer cancelled;
        cancelled.start();
        buttonOf(&panel, "Cancel")->click();
        while (panel.isSearching())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        const double cancelToEnd = double(cancelled.nsecsElapsed()) / 1e6;
        runFor(50);
        const std::pair<double, double> ending = passes.take();
        state.counters["longest_pass_searching_ms"] = searching.first;
        state.counters["longest_pass_searching_cpu_ms"] = searching.second;
        state.counters["longest_pass_cancel_to_end_ms"] = ending.first;
        state.counters["longest_pass_cancel_to_end_cpu_ms"] = ending.second;
        state.counters["cancel_to_end_ms"] = cancelToEnd;
        state.counters["records"] = double(recordsAtCancel);
        state.counters["relations"] = display.nbRows();
        state.counters["rss_before_MB"] = rssBefore;
        state.counters["rss_searching_MB"] = rssSearching;
        state.counters["seconds"] = seconds;
        state.counters["rows"] = values.rows.size();
        if (qEnvironmentVariableIsSet("ORV_CONJECTURE_SEARCH_LIST"))
            std::fprintf(stderr, "%s\n%s", qPrintable(lines.join('\n')), qPrintable(panel.getConjectures()));
    }
}
// 0: the generated table, on which the search soon finds little new; 1: the connected graphs on 6
// vertices, which keep records coming.
BENCHMARK(BM_ConjectureSearchLive)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace

namespace {

// The column choice of a Search click on 261,080 rows x 30 columns (the connected 9-vertex
// catalogue's size), each column 1 wherever it has a value, so that every column leaves and no
// engine starts. Arguments: tiers, gaps. With 30 tiers column k has no value on the blocks
// k..29 of 4,000 rows and leaves at step k; with one tier every column leaves at once, with gaps
// on the same 120,000 rows or without any.
void BM_ConjectureColumnChoice(benchmark::State &state)
{
    benchApp();
    const int tiers = int(state.range(0));
    const bool gaps = state.range(1) != 0;
    constexpr int Rows = 261080, Columns = 30, Block = 4000;
    QStringList names;
    for (int c = 0; c < Columns; ++c)
        names << QString("C%1").arg(c);
    Analyst table;
    table.setHeader(names);
    table.reserve(Rows, Columns);
    for (int r = 0; r < Rows; ++r) {
        const int block = r / Block;  // 0..29 for the rows with gaps
        QVector<double> row(Columns, 1.0);
        for (int c = 0; c < Columns; ++c)
            if (gaps && block < Columns && (tiers == 1 || block >= c))
                row[c] = NoValue;
        table.push_back(row, r);
    }
    table.buildTable();
    ConjectureSettings settings;
    settings.setVariables(names);
    ConjecturesDisplay display;
    ConjectureWidget panel(&table, &settings, &display);
    QPushButton *search = buttonOf(&panel, "Search");
    int lines = 0;
    QObject::connect(&panel, &ConjectureWidget::signal_console, [&lines] { ++lines; });
    for (auto _ : state) {
        search->click();
        benchmark::DoNotOptimize(lines);
    }
    state.counters["console_lines"] = double(lines) / double(state.iterations());
}
BENCHMARK(BM_ConjectureColumnChoice)->Args({1, 0})->Args({1, 1})->Args({30, 1})->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
