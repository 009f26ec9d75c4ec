#include "ConjectureEngineProbe.h"

#include <benchmark/benchmark.h>
#include <random>

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

} // namespace
