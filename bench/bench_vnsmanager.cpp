#include "OptimizerBoards.h"
#include "explorer/DataLoader.h"
#include "graph/Graph.h"
#include "optimizer/VNSManager.h"
#include "problem/Problem.h"

#include "bench_support.h"
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <ctime>

// A whole run as the shell starts it: "maximise WIENER subject to CONNECTED" over n = 5..12,
// four workers, 5 s per job. Reported: the cores kept busy (process CPU time over wall time,
// four at best) and how late a 10 ms timer of the GUI thread fires at worst during the run.
namespace {
double processCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + 1e-9 * double(t.tv_nsec);
}

void BM_ManagerRunWienerConnected(benchmark::State &state)
{
    benchApp();
    Graph shown("graph", true);
    Problem board(&shown, "problem", false);
    QString why;
    if (!OptimizerBoards::objective(board, "MAXIMIZE", "WIENER", &why) ||
        !OptimizerBoards::constraint(board, "CONNECTED", &why)) {
        state.SkipWithError(why.toStdString().c_str());
        return;
    }
    DataLoader loader(&board, &shown, nullptr);
    VNSManager manager(&board, &shown, nullptr, nullptr, &loader);
    QObject::connect(&manager, &VNSManager::signal_new_solution, &board, &Problem::slot_refresh);
    manager.slot_set_p1min(5);
    manager.slot_set_p1max(12);
    manager.slot_setMaxTime(int(state.range(0)));

    double busy = 0, worstLateMs = 0;
    int graphs = 0;
    for (auto _ : state) {
        QEventLoop loop;
        QObject::connect(&manager, &VNSManager::signal_please_wait, &loop, [&loop](bool on) {
            if (!on)
                loop.quit();
        });
        QTimer tick;
        tick.setTimerType(Qt::PreciseTimer);
        tick.setInterval(10);
        QElapsedTimer since;
        QObject::connect(&tick, &QTimer::timeout, [&] {
            worstLateMs = qMax(worstLateMs, double(since.nsecsElapsed()) / 1e6 - 10.0);
            since.restart();
        });
        const double cpu0 = processCpuSeconds();
        QElapsedTimer wall;
        wall.start();
        since.start();
        tick.start();
        manager.slot_startVNS();
        loop.exec();
        tick.stop();
        busy = (processCpuSeconds() - cpu0) / (double(wall.nsecsElapsed()) / 1e9);
        graphs = loader.size();
    }
    state.counters["cores_busy"] = busy;
    state.counters["gui_timer_late_ms"] = worstLateMs;
    state.counters["graphs"] = graphs;
}
BENCHMARK(BM_ManagerRunWienerConnected)->Arg(5)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
} // namespace
