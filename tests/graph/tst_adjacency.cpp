// The block transpose of adjacency rows, and the symmetric rows built on it, against the
// definition entry by entry.
#include "graph/Adjacency.h"
#include "graph/Graph.h"

#include <QtTest>
#include <random>

using adjacency::MaxNodes;
using adjacency::Row;

class TestAdjacency : public QObject
{
    Q_OBJECT
private slots:
    void transposeAndSymmetricRows_data();
    void transposeAndSymmetricRows();
};

void TestAdjacency::transposeAndSymmetricRows_data()
{
    QTest::addColumn<double>("density");
    QTest::newRow("empty") << 0.0;
    QTest::newRow("sparse") << 0.1;
    QTest::newRow("half") << 0.5;
    QTest::newRow("full") << 1.0;
}

void TestAdjacency::transposeAndSymmetricRows()
{
    QFETCH(double, density);
    std::mt19937 random(12345);
    std::bernoulli_distribution entry(density);
    for (int round = 0; round < 300; ++round) {
        const int count = round % (MaxNodes + 1);
        Row src[MaxNodes];
        // Entries outside the order, the diagonal included, are noise the results must drop.
        for (int i = 0; i < MaxNodes; ++i) {
            src[i] = 0;
            for (int j = 0; j < MaxNodes; ++j)
                if (entry(random) || (i >= count || j >= count ? random() % 2 : 0))
                    src[i] |= adjacency::bit(j);
        }
        Row t[MaxNodes], sym[MaxNodes];
        adjacency::transpose(src, count, t);
        QCOMPARE(Graph::symmetricRows(src, count, sym), count);
        for (int i = 0; i < MaxNodes; ++i)
            for (int j = 0; j < MaxNodes; ++j) {
                const bool inside = i < count && j < count;
                const bool ij = adjacency::has(src[i], j), ji = adjacency::has(src[j], i);
                if (adjacency::has(t[i], j) != (inside && ji))
                    QFAIL(qPrintable(QString("transpose, order %1, entry (%2, %3)").arg(count).arg(i).arg(j)));
                if (adjacency::has(sym[i], j) != (inside && i != j && (ij || ji)))
                    QFAIL(qPrintable(QString("symmetric rows, order %1, entry (%2, %3)").arg(count).arg(i).arg(j)));
            }
    }
}

QTEST_APPLESS_MAIN(TestAdjacency)
#include "tst_adjacency.moc"
