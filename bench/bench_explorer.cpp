#include "calculus/BuildCalculus.h"
#include "calculus/Calculus.h"
#include "conjectures/ConjectureSettings.h"
#include "explorer/Analyst.h"
#include "explorer/AnalystWidget.h"
#include "explorer/DataLoader.h"
#include "explorer/FilterWidget.h"
#include "graph/Graph.h"
#include "problem/Problem.h"

#include "bench_support.h"
#include <QElapsedTimer>
#include <QFile>
#include <benchmark/benchmark.h>
#include <cstdlib>

// A catalogue load: every connected graph on 9 vertices (scripts/make_connected9.sh writes
// them with nauty-geng; ORV_CONNECTED9 names another copy) on a WIENER + DIAMETER + ENERGY
// board, read and evaluated by the loader in the calling thread, then taken by both explorer
// panels. Reported: graphs per second of the load, the time until each table shows its first
// page, and the resident memory after each step. Argument 0 is the full board; argument 1
// leaves ENERGY out, which shows what the loader itself costs beside the eigenvalues.
namespace {
QString catalogue() { return connectedNinePath(); }

void BM_LoadConnectedNine(benchmark::State &state)
{
    benchApp();
    if (!QFile::exists(catalogue())) {
        state.SkipWithError("no catalogue: run scripts/make_connected9.sh");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        Graph graph("graph", true);
        Problem problem(&graph, "problem", true);
        BuildCalculus factory;
        for (const char *key : {"ENERGY", "DIAMETER", "WIENER"}) {
            if (state.range(0) == 1 && QByteArray(key) == "ENERGY")
                continue;
            Calculus *c = factory.makeCalculus(key, true);
            problem.addInvariantItem(c);
            c->setInReport(true);
        }
        DataLoader loader(&problem, &graph, nullptr);
        FilterWidget gFilter, vFilter;
        ConjectureSettings gSettings, vSettings;
        Analyst *gTable = new Analyst, *vTable = new Analyst;
        AnalystWidget g(&problem, &graph, gTable, &loader, &gFilter, &gSettings, false);
        AnalystWidget v(&problem, &graph, vTable, &loader, &vFilter, &vSettings, true);
        // The panels are timed one by one below, not as part of the load.
        QObject::disconnect(&loader, &DataLoader::signal_load_complete, nullptr, nullptr);
        const double before = statusMB("VmRSS:");
        state.ResumeTiming();

        QElapsedTimer clock;
        clock.start();
        loader.setFilename(catalogue());
        loader.prepareLoad();
        loader.run();
        const double load = clock.nsecsElapsed() / 1e9;
        const double afterLoad = statusMB("VmRSS:");
        clock.restart();
        g.slot_load_complete();
        const double graphTable = clock.nsecsElapsed() / 1e9;
        const double afterGraphTable = statusMB("VmRSS:");
        clock.restart();
        v.slot_load_complete();
        const double vertexTable = clock.nsecsElapsed() / 1e9;

        state.PauseTiming();
        const int graphs = loader.getLoaded().texts.size();
        state.counters["graphs"] = graphs;
        state.counters["load_s"] = load;
        state.counters["graph_table_s"] = graphTable;
        state.counters["vertex_table_s"] = vertexTable;
        state.counters["rss_MB"] = statusMB("VmRSS:");
        state.counters["load_MB"] = afterLoad - before;
        state.counters["graph_table_MB"] = afterGraphTable - afterLoad;
        state.counters["vertex_table_MB"] = statusMB("VmRSS:") - afterGraphTable;
        state.counters["peak_MB"] = statusMB("VmHWM:");
        state.counters["graph_rows"] = gTable->nbRows();
        state.counters["vertex_rows"] = vTable->nbRows();
        if (graphs != 261080 || gTable->nbRows() != graphs)
            state.SkipWithError("not every graph was loaded");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadConnectedNine)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);
} // namespace
