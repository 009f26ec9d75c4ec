#include "OptimizerBoards.h"
#include "calculus/Eval.h"
#include "graph/Graph.h"
#include "optimizer/VNS.h"
#include "problem/Problem.h"

#include "bench_support.h"
#include <QMutex>
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

// Evaluations per second of the search worker on the "minimise WIENER" board, next to the
// bare evaluation of the same board on graphs that change by one edge at a time: the gap is
// what the worker spends outside Problem::eval (moves, graph texts, archive offers).
namespace {
constexpr int JobEvaluations = 30000;

struct Board
{
    Graph shown{"graph", false};
    Problem problem{&shown, "problem", false};
    QString why;
    bool ok = OptimizerBoards::objective(problem, "MINIMIZE", "WIENER", &why);
};

void BM_BareEvalWiener(benchmark::State &state)
{
    benchApp();
    const int n = int(state.range(0));
    Board b;
    if (!b.ok) {
        state.SkipWithError(b.why.toStdString().c_str());
        return;
    }
    Graph::Row rows[Graph::MaxNodes];
    NamedGraphs::random(rows, n, 0.5, 21);
    b.shown.loadCurrentGraph(Graph::graphText(rows, n));
    Eval e;
    int i = 1, j = 0;
    for (auto _ : state) {
        // One pair toggled per evaluation, as the edge-toggle search does.
        if (b.shown.edge(i, j))
            b.shown.remEdge(i, j);
        else
            b.shown.addEdge(i, j);
        b.problem.eval(&e);
        benchmark::DoNotOptimize(e.size());
        if (++j == i) {
            j = 0;
            if (++i == n)
                i = 1;
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BareEvalWiener)->Arg(10)->Arg(20)->Arg(32);

// Workers, each running one job of JobEvaluations evaluations at once on its own thread.
void runWorkers(benchmark::State &state, int n, int count)
{
    benchApp();
    Board b;
    if (!b.ok) {
        state.SkipWithError(b.why.toStdString().c_str());
        return;
    }
    QMutex shared;
    std::vector<std::unique_ptr<VNS>> workers;
    for (int t = 0; t < count; ++t) {
        workers.emplace_back(new VNS(&b.problem, &b.shown, t, &shared));
        workers.back()->slot_set_max_evals(JobEvaluations);
        workers.back()->setSeed(100 + t);
    }
    qint64 evaluations = 0;
    for (auto _ : state) {
        std::vector<std::unique_ptr<OptimalSolutions>> jobs;
        for (int t = 0; t < count; ++t) {
            jobs.emplace_back(new OptimalSolutions);
            workers[t]->init(n, 0, jobs.back().get(), {1.0}, t);
        }
        for (auto &w : workers)
            w->start();
        for (auto &w : workers) {
            w->wait();
            evaluations += w->nbEvals();
        }
        // The queued messages and refreshes of the run.
        QCoreApplication::processEvents();
    }
    state.SetItemsProcessed(evaluations);
}

void BM_WorkerWiener(benchmark::State &state)
{
    runWorkers(state, int(state.range(0)), 1);
}
BENCHMARK(BM_WorkerWiener)->Arg(10)->Arg(20)->Arg(32)->Unit(benchmark::kMillisecond)->UseRealTime();

// Four workers against one, n = 20: the evaluations per second of all of them together.
void BM_WorkersParallel(benchmark::State &state)
{
    runWorkers(state, 20, int(state.range(0)));
}
BENCHMARK(BM_WorkersParallel)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();
} // namespace

// The per-candidate path alone: the edge-toggle search on the complete graph, the optimum of
// "minimise WIENER", where every toggle is evaluated, offered, refused and undone.
namespace {
void BM_RefusedToggleWiener(benchmark::State &state)
{
    benchApp();
    const int n = int(state.range(0));
    Board b;
    if (!b.ok) {
        state.SkipWithError(b.why.toStdString().c_str());
        return;
    }
    Graph::Row rows[Graph::MaxNodes];
    NamedGraphs::complete(rows, n);
    b.shown.loadCurrentGraph(Graph::graphText(rows, n));
    QMutex shared;
    VNS w(&b.problem, &b.shown, 0, &shared);
    OptimalSolutions job;
    w.init(n, 0, &job, {1.0}, 0);
    w.ls_add_rem();
    const int before = w.nbEvals();
    for (auto _ : state)
        benchmark::DoNotOptimize(w.ls_add_rem());
    state.SetItemsProcessed(w.nbEvals() - before);
}
BENCHMARK(BM_RefusedToggleWiener)->Arg(10)->Arg(20)->Arg(32);
} // namespace
