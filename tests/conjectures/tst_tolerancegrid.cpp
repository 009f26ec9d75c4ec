#include "conjectures/ToleranceGrid.h"

#include <QtTest>
#include <cmath>
#include <random>

using Points = QVector<QVector<double>>;
Q_DECLARE_METATYPE(Points)

namespace {

// The definition itself: some held point within 1e-6 in every coordinate.
bool nearByScan(const Points &held, const QVector<double> &x)
{
    for (const QVector<double> &p : held) {
        bool all = true;
        for (int i = 0; i < x.size(); ++i)
            all = all && std::fabs(p[i] - x[i]) <= 1e-6;
        if (all)
            return true;
    }
    return false;
}

// A cell edge of the grid, where a point and its neighbour fall into different cells.
double edge(int k)
{
    return (k - 0.6180339887498949) / 64.0;
}

} // namespace

class TestToleranceGrid : public QObject
{
    Q_OBJECT

private slots:
    void agreesWithScan_data();
    void agreesWithScan();
};

void TestToleranceGrid::agreesWithScan_data()
{
    QTest::addColumn<int>("dimension");
    QTest::addColumn<int>("seed");
    // Small dimensions use the cells; 10 coordinates all at an edge make the lookup scan.
    for (int d : {1, 3, 6, 10})
        for (int seed : {1, 2})
            QTest::addRow("dimension %d seed %d", d, seed) << d << seed;
}

void TestToleranceGrid::agreesWithScan()
{
    QFETCH(int, dimension);
    QFETCH(int, seed);

    std::mt19937 gen(seed);
    std::uniform_int_distribution<int> small(-3, 3);
    std::uniform_real_distribution<double> jitter(-1.5e-6, 1.5e-6);
    std::uniform_int_distribution<int> kind(0, 3);

    ToleranceGrid grid(dimension);
    Points held;
    for (int round = 0; round < 2000; ++round) {
        QVector<double> x(dimension);
        for (int i = 0; i < dimension; ++i) {
            switch (kind(gen)) {
            case 0: x[i] = small(gen); break;                         // table integers
            case 1: x[i] = edge(small(gen)) + jitter(gen); break;      // at a cell edge
            case 2: x[i] = small(gen) * 0.5 + jitter(gen); break;      // halves, nearly
            default: x[i] = 1e12 + small(gen) * 1.220703125e-4; break; // the missing-value mark
            }
        }
        // Mostly near copies of held points, which is what decides the answer.
        if (!held.isEmpty() && round % 2 == 0) {
            x = held[int(gen() % unsigned(held.size()))];
            for (int i = 0; i < dimension; ++i)
                if (std::fabs(x[i]) < 1e6)
                    x[i] += jitter(gen);
        }
        const bool expected = nearByScan(held, x);
        QCOMPARE(grid.containsNear(x.constData()), expected);
        QCOMPARE(grid.insertIfNew(x.constData()), !expected);
        if (!expected)
            held.append(x);
    }
    QCOMPARE(grid.size(), held.size());
    for (int p = 0; p < held.size(); ++p)
        for (int i = 0; i < dimension; ++i)
            QCOMPARE(grid.point(p)[i], held[p][i]);
}

QTEST_GUILESS_MAIN(TestToleranceGrid)
#include "tst_tolerancegrid.moc"
