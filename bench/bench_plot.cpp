#include "explorer/Analyst.h"
#include "explorer/PlotView.h"
#include "explorer/PlotWidget.h"

#include "bench_support.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTimer>
#include <benchmark/benchmark.h>

// An X-Y plot of 261,080 rows (as many as the connected graphs on 9 vertices), shown in a
// 900 x 700 window: a column-like integer x against a spread y. Reported:
// - fill_s: a fill in one go, without drawing;
// - sliced_s: a fill in slices as the explorer window starts it, until every point is in
//   and drawn, the event loop running meanwhile; longest_block_ms: the longest the event
//   loop was kept from running during it (a slice or a paint);
// - paint_all_s: one paint of the whole plot fitted into the window, every point in sight.
// Argument 1 fits the plot into the window before the sliced fill, so every slice's paint
// draws every point so far.
namespace {
void fillTable(Analyst &table, int rows)
{
    table.setHeader({"X", "Y"});
    table.reserve(rows, 2);
    QRandomGenerator random(7);
    for (int r = 0; r < rows; ++r)
        table.push_back({double(36 + random.bounded(85)), random.bounded(20.0)}, r);
    table.buildTable();
}

void BM_PlotFill(benchmark::State &state)
{
    benchApp();
    const int rows = 261080;
    Analyst table;
    fillTable(table, rows);
    PlotWidget plot;
    plot.resize(900, 700);
    plot.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        plot.fill(&table, 1, 2, 10, 10, 20);
        state.counters["fill_s"] = clock.nsecsElapsed() / 1e9;
        plot.view()->resetTransform();
        if (state.range(0) == 1)
            plot.view()->fitInView(plot.view()->scene()->itemsBoundingRect(), Qt::KeepAspectRatio);
        plot.clear();
        QCoreApplication::processEvents();

        // Gaps between the ticks of a timer that fires whenever the event loop runs.
        qint64 longest = 0, last = 0;
        QElapsedTimer loop;
        QTimer tick;
        tick.setInterval(0);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            const qint64 now = loop.nsecsElapsed();
            longest = qMax(longest, now - last);
            last = now;
        });
        clock.restart();
        loop.start();
        tick.start();
        plot.fillInSlices(&table, 1, 2, 10, 10, 20);
        while (plot.isFilling())
            QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        plot.repaint();
        tick.stop();
        longest = qMax(longest, loop.nsecsElapsed() - last);
        state.counters["sliced_s"] = clock.nsecsElapsed() / 1e9;
        state.counters["longest_block_ms"] = longest / 1e6;
        clock.restart();
        plot.view()->viewport()->repaint();
        state.counters["paint_shown_s"] = clock.nsecsElapsed() / 1e9;

        plot.view()->fitInView(plot.view()->scene()->itemsBoundingRect(), Qt::KeepAspectRatio);
        QCoreApplication::processEvents();
        clock.restart();
        plot.view()->viewport()->repaint();
        state.counters["paint_all_s"] = clock.nsecsElapsed() / 1e9;
    }
    if (int(plot.points().size()) != rows)
        state.SkipWithError("a row has no point");
}
BENCHMARK(BM_PlotFill)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);
} // namespace
