#include "conjectures/ConjectureSettings.h"
#include "dialogs/DialogProvider.h"
#include "explorer/Analyst.h"
#include "explorer/AnalystWidget.h"
#include "explorer/DataLoader.h"
#include "explorer/FilterWidget.h"
#include "problem/Problem.h"

#include "bench_support.h"
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

// The explorer's exports. The value tables and graph lists of every connected graph on 9
// vertices (connectedNinePath()), written in the GUI thread: seconds per command and megabytes
// per file. And the per-graph PDF drawings of G(n, 1/2): milliseconds and kilobytes per
// drawing, and the longest stretch for which the GUI thread did not come back to its event
// loop during the export.
namespace {

// Answers every save dialog with the next name and every question with OK.
class NamedDialogs : public DialogProvider
{
public:
    QStringList names;
    NamedDialogs() : previous(DialogProvider::install(this)) {}
    ~NamedDialogs() override { DialogProvider::install(previous); }
    QString getOpenFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString getSaveFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        return names.isEmpty() ? QString() : names.takeFirst();
    }
    void warning(QWidget *, const QString &, const QString &text) override { failure = text; }
    QMessageBox::StandardButton question(QWidget *, const QString &, const QString &, QMessageBox::StandardButtons,
                                         QMessageBox::StandardButton) override
    {
        return QMessageBox::Ok;
    }
    bool print(QPrinter *, QWidget *) override { return false; }
    void about(QWidget *, const QString &, const QString &) override {}
    QString getExistingDirectory(QWidget *, const QString &, const QString &) override { return {}; }
    QString failure;

private:
    DialogProvider *previous;
};

// Both panels over one board of graph values (DIAMETER, WIENER) and vertex values (DEGREES).
struct Panels {
    Graph graph{"graph", true};
    Problem problem{&graph, "problem", true};
    DataLoader loader{&problem, &graph, nullptr};
    FilterWidget gFilter, vFilter;
    ConjectureSettings gSettings, vSettings;
    Analyst *gTable = new Analyst;
    Analyst *vTable = new Analyst;
    AnalystWidget g{&problem, &graph, gTable, &loader, &gFilter, &gSettings, false};
    AnalystWidget v{&problem, &graph, vTable, &loader, &vFilter, &vSettings, true};

    Panels()
    {
        BuildCalculus factory;
        for (const char *key : {"DEGREES", "DIAMETER", "WIENER"}) {
            Calculus *c = factory.makeCalculus(key, true);
            problem.addInvariantItem(c);
            c->setInReport(true);
            c->setNodInReport(QByteArray(key) == "DEGREES");
            c->setGraphInReport(QByteArray(key) != "DEGREES");
        }
    }
};

double megabytes(const QString &path) { return QFileInfo(path).size() / 1e6; }

void BM_SaveConnectedNine(benchmark::State &state)
{
    benchApp();
    for (auto _ : state) {
        state.PauseTiming();
        Panels p;
        if (!p.loader.setFilename(connectedNinePath())) {
            state.SkipWithError("no catalogue: run scripts/make_connected9.sh");
            return;
        }
        p.loader.prepareLoad();
        // Run in this thread, the load already reached both panels when it completed.
        p.loader.run();
        QTemporaryDir dir;
        NamedDialogs dialogs;
        state.ResumeTiming();

        struct Step {
            const char *name;
            AnalystWidget *panel;
            void (AnalystWidget::*command)();
            const char *file;
        };
        const Step steps[] = {
            {"graph_table", &p.g, &AnalystWidget::slot_save_data, "g.txt"},
            {"vertex_table", &p.v, &AnalystWidget::slot_save_data, "v.txt"},
            {"all_graphs", &p.g, &AnalystWidget::slot_save_graphs, "all.dorv3"},
            {"graph_used", &p.g, &AnalystWidget::slot_save_used_graphs, "gused.dorv3"},
            {"vertex_used", &p.v, &AnalystWidget::slot_save_used_graphs, "vused.dorv3"},
        };
        for (const Step &s : steps) {
            dialogs.names << dir.filePath(s.file);
            QElapsedTimer clock;
            clock.start();
            (s.panel->*s.command)();
            state.counters[std::string(s.name) + "_s"] = clock.nsecsElapsed() / 1e9;
            state.counters[std::string(s.name) + "_MB"] = megabytes(dir.filePath(s.file));
        }

        state.PauseTiming();
        state.counters["graphs"] = p.g.getGraphs().size();
        state.counters["vertex_rows"] = p.vTable->nbRows();
        if (p.g.getGraphs().size() != 261080 || !dialogs.failure.isEmpty()) {
            state.SkipWithError("not every graph was loaded, or a save failed");
            return;
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SaveConnectedNine)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_DrawGraphsPdf(benchmark::State &state)
{
    benchApp();
    const int n = int(state.range(0));
    constexpr int Drawings = 20;
    Panels p;
    for (int k = 0; k < Drawings; ++k) {
        Graph::Row rows[Graph::MaxNodes];
        NamedGraphs::random(rows, n, 0.5, 500u + unsigned(k));
        p.g.addGraph(Graph::graphText(rows, n));
    }
    qint64 longestAway = 0;
    double kilobytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        NamedDialogs dialogs;
        dialogs.names << dir.filePath("d.pdf");
        QElapsedTimer away;
        QTimer tick;
        tick.setInterval(0);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            longestAway = qMax(longestAway, away.nsecsElapsed());
            away.restart();
        });
        state.ResumeTiming();

        tick.start();
        away.start();
        p.g.slot_save_graphs_pdf();
        while (p.g.pdfExportRunning())
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        tick.stop();

        state.PauseTiming();
        kilobytes = 0;
        for (const QFileInfo &f : QDir(dir.path()).entryInfoList(QDir::Files))
            kilobytes += f.size() / 1e3;
        if (QDir(dir.path()).entryList(QDir::Files).size() != Drawings || !dialogs.failure.isEmpty()) {
            state.SkipWithError("not every drawing was written");
            return;
        }
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * Drawings);
    state.counters["kB_per_drawing"] = kilobytes / Drawings;
    state.counters["longest_away_ms"] = longestAway / 1e6;
}
BENCHMARK(BM_DrawGraphsPdf)->Arg(7)->Arg(9)->Arg(32)->Unit(benchmark::kMillisecond)->Iterations(3);
} // namespace
