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
    void nearness_data();
    void nearness();
    void agreesWithScan_data();
    void agreesWithScan();
};

void TestToleranceGrid::nearness_data()
{
    QTest::addColumn<Points>("held");
    QTest::addColumn<QVector<double>>("query");
    QTest::addColumn<bool>("near");

    const double e = edge(5);
    const double p34 = 17179869184.0;  // 2^34: from here on neighbours are 3.8e-6 apart
    const double p33 = 8589934592.0;   // just below 2^33 they are 9.5e-7 apart
    QTest::newRow("same point") << Points{{1, 2}} << QVector<double>{1, 2} << true;
    QTest::newRow("9e-7 apart") << Points{{1, 2}} << QVector<double>{1.0000009, 2} << true;
    QTest::newRow("1.1e-6 apart") << Points{{1, 2}} << QVector<double>{1.0000011, 2} << false;
    QTest::newRow("exactly 1e-6 from zero") << Points{{0, 2}} << QVector<double>{1e-6, 2} << true;
    QTest::newRow("one coordinate far") << Points{{1, 2}} << QVector<double>{1, 2.5} << false;
    QTest::newRow("negative zero") << Points{{0.0, -1}} << QVector<double>{-0.0, -1} << true;
    QTest::newRow("across a cell edge") << Points{{e - 4e-7, 3}} << QVector<double>{e + 4e-7, 3} << true;
    QTest::newRow("across two cell edges") << Points{{e - 4e-7, edge(-3) + 3e-7}}
                                           << QVector<double>{e + 4e-7, edge(-3) - 3e-7} << true;
    QTest::newRow("next double after 1e12") << Points{{1e12}} << QVector<double>{std::nextafter(1e12, 2e12)} << false;
    QTest::newRow("1e12 again") << Points{{1e12, 5}} << QVector<double>{1e12, 5} << true;
    QTest::newRow("below 2^33") << Points{{p33}} << QVector<double>{std::nextafter(p33, 0.0)} << true;
    QTest::newRow("below 2^34") << Points{{p34}} << QVector<double>{std::nextafter(p34, 0.0)} << false;
    QTest::newRow("2^34 again") << Points{{-p34}} << QVector<double>{-p34} << true;
    // With this many coordinates at an edge the lookup scans instead of visiting 2^10 cells.
    QVector<double> tenAtEdges, tenAcross;
    for (int k = 0; k < 10; ++k) {
        tenAtEdges.append(edge(k) - 4e-7);
        tenAcross.append(edge(k) + 5e-7);
    }
    QVector<double> tenFar = tenAcross;
    tenFar[9] += 1e-6;
    QTest::newRow("ten coordinates across edges") << Points{tenAtEdges} << tenAcross << true;
    QTest::newRow("ten at edges, one too far") << Points{tenAtEdges} << tenFar << false;
    QTest::newRow("no coordinates") << Points{{}} << QVector<double>{} << true;
    QTest::newRow("nothing held") << Points{} << QVector<double>{1} << false;
}

void TestToleranceGrid::nearness()
{
    QFETCH(Points, held);
    QFETCH(QVector<double>, query);
    QFETCH(bool, near);

    ToleranceGrid grid(query.size());
    for (const QVector<double> &p : held)
        QVERIFY(grid.insertIfNew(p.constData()));
    QCOMPARE(grid.containsNear(query.constData()), near);
    QCOMPARE(grid.insertIfNew(query.constData()), !near);
    QCOMPARE(grid.size(), held.size() + (near ? 0 : 1));
}

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
