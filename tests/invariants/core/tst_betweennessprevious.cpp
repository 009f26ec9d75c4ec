#include "NamedGraphs.h"
#include "invariants/core/Betweenness.h"
#include "invariants/core/Distances.h"

#include <QtTest>
#include <algorithm>

using namespace adjacency;

namespace {

// The per-source computation as it stood before the layered one: vertices sorted by their
// distance from the source, each neighbour's layer looked up in the distance table. Kept
// here only as the reference for the values of the replacement.
void previousBetweenness(const Row rows[MaxNodes], const Distances &distances, Betweenness::Weight weight,
                         double value[MaxNodes][MaxNodes])
{
    const int n = distances.order();
    for (int i = 0; i < n; ++i)
        std::fill(value[i], value[i] + n, 0.0);
    if (!distances.connected())
        return;
    const Row all = lowMask(n);
    int order[MaxNodes];
    double paths[MaxNodes];
    double carried[MaxNodes];
    for (int s = 0; s < n; ++s) {
        for (int i = 0; i < n; ++i)
            order[i] = i;
        std::stable_sort(order, order + n,
                         [&](int a, int b) { return distances.hops(s, a) < distances.hops(s, b); });
        for (int k = 0; k < n; ++k) {
            const int v = order[k];
            const int d = distances.hops(s, v);
            if (d == 0) {
                paths[v] = 1.0;
                continue;
            }
            double count = 0.0;
            for (Row r = rows[v] & all; r; r &= r - 1) {
                const int u = lowest(r);
                if (distances.hops(s, u) == d - 1)
                    count += paths[u];
            }
            paths[v] = count;
        }
        for (int k = n - 1; k >= 1; --k) {
            const int v = order[k];
            const int d = distances.hops(s, v);
            double w = 1.0;
            if (weight == Betweenness::ByDistance)
                w = 1.0 / d;
            else if (weight == Betweenness::BySquaredDistance)
                w = 1.0 / (double(d) * d);
            double c = w / paths[v];
            for (Row r = rows[v] & all; r; r &= r - 1) {
                const int x = lowest(r);
                if (distances.hops(s, x) == d + 1)
                    c += carried[x];
            }
            carried[v] = c;
            for (Row r = rows[v] & all; r; r &= r - 1) {
                const int u = lowest(r);
                if (distances.hops(s, u) == d - 1) {
                    const double share = paths[u] * c;
                    value[u][v] += share;
                    value[v][u] += share;
                }
            }
        }
    }
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            value[i][j] *= 0.5;
}

} // namespace

class TestBetweennessPrevious : public QObject
{
    Q_OBJECT

private slots:
    // The same sums in the same order, so the values match to the last bit: sparse graphs
    // (long layers, disconnected ones among them), middling and dense ones, of every size.
    void sameValuesOnRandomGraphs_data()
    {
        QTest::addColumn<double>("density");
        QTest::newRow("p = 0.08") << 0.08;
        QTest::newRow("p = 0.2") << 0.2;
        QTest::newRow("p = 0.5") << 0.5;
        QTest::newRow("p = 0.9") << 0.9;
    }
    void sameValuesOnRandomGraphs()
    {
        QFETCH(double, density);
        int connected = 0;
        for (unsigned seed = 0; seed < 150; ++seed) {
            Row rows[MaxNodes];
            const int n = NamedGraphs::random(rows, 1 + int(seed % 32), density, 900 + seed);
            const Distances distances(rows, n);
            connected += distances.connected();
            for (Betweenness::Weight w : {Betweenness::Plain, Betweenness::ByDistance, Betweenness::BySquaredDistance}) {
                static double expected[MaxNodes][MaxNodes];
                previousBetweenness(rows, distances, w, expected);
                Betweenness b;
                QCOMPARE(b.compute(rows, distances, w), distances.connected());
                for (int i = 0; i < n; ++i)
                    for (int j = 0; j < n; ++j)
                        if (b.at(i, j) != expected[i][j]) // the message only when it fails: it is slow
                            QFAIL(qPrintable(QString("seed %1 weight %2 entry (%3, %4)").arg(seed).arg(int(w)).arg(i).arg(j)));
            }
        }
        QVERIFY(connected > 0);
    }
};

QTEST_GUILESS_MAIN(TestBetweennessPrevious)
#include "tst_betweennessprevious.moc"
