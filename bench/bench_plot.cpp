#include "explorer/Analyst.h"
#include "explorer/PlotWidget.h"

#include "bench_support.h"
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <benchmark/benchmark.h>

// An X-Y plot of 100,000 rows: the fill, then the first paint of the shown plot. Goal: both
// within 2 s together.
static void BM_PlotFill(benchmark::State &state)
{
    benchApp();
    const int rows = int(state.range(0));
    Analyst table;
    table.setHeader({"X", "Y"});
    table.reserve(rows, 2);
    QRandomGenerator random(7);
    for (int r = 0; r < rows; ++r)
        table.push_back({random.bounded(100.0), random.bounded(100.0)}, r);
    table.buildTable();
    PlotWidget plot;
    plot.resize(900, 700);
    plot.show();
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        plot.fill(&table, 1, 2, 10, 10, 20);
        const double fill = clock.nsecsElapsed() / 1e9;
        plot.grab();
        state.counters["fill_s"] = fill;
        state.counters["fill_and_show_s"] = clock.nsecsElapsed() / 1e9;
    }
    if (int(plot.points().size()) != rows)
        state.SkipWithError("a row has no point");
}
BENCHMARK(BM_PlotFill)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(2);
