#include "BruteForce.h"
#include "FixtureReader.h"
#include "NamedGraphs.h"
#include "invariants/core/VertexConnectivity.h"

#include <QtTest>

class TestVertexConnectivity : public QObject
{
    Q_OBJECT

private slots:
    void fixtures_data();
    void fixtures();
    void bruteForceUpToSeven();
    void handValues_data();
    void handValues();
};

void TestVertexConnectivity::fixtures_data()
{
    FixtureReader::addFileRows();
}

void TestVertexConnectivity::fixtures()
{
    QFETCH(QString, file);
    const auto entries = FixtureReader::read(file);
    QVERIFY(!entries.isEmpty());
    for (const auto &e : entries)
        if (e.has("NCONN"))
            QVERIFY2(VertexConnectivity::compute(e.rows, e.n) == int(e.scalar("NCONN")), qPrintable(e.text));
}

// Every removal set, smallest first: the definition itself.
void TestVertexConnectivity::bruteForceUpToSeven()
{
    for (const auto &e : FixtureReader::read("invariants_small.txt"))
        QVERIFY2(VertexConnectivity::compute(e.rows, e.n) == BruteForce::connectivity(e.rows, e.n), qPrintable(e.text));
}

void TestVertexConnectivity::handValues_data()
{
    QTest::addColumn<QString>("graph");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("expected");
    QTest::newRow("no vertex") << "empty" << 0 << -1;
    QTest::newRow("one vertex") << "empty" << 1 << 0;
    QTest::newRow("two vertices, no edge") << "empty" << 2 << 0;
    QTest::newRow("one edge") << "complete" << 2 << 1;
    QTest::newRow("triangle") << "complete" << 3 << 2;
    QTest::newRow("K32") << "complete" << 32 << 31;
    QTest::newRow("K32 minus an edge") << "almost complete" << 32 << 30;
    QTest::newRow("K9 minus an edge") << "almost complete" << 9 << 7;
    QTest::newRow("edgeless 32") << "empty" << 32 << 0;
    QTest::newRow("P32") << "path" << 32 << 1;
    QTest::newRow("C32") << "cycle" << 32 << 2;
    QTest::newRow("C4") << "cycle" << 4 << 2;
    QTest::newRow("star K1,31") << "star" << 32 << 1;
    QTest::newRow("Petersen") << "petersen" << 10 << 3;
    QTest::newRow("K16,16") << "bipartite" << 32 << 16;
}

void TestVertexConnectivity::handValues()
{
    QFETCH(QString, graph);
    QFETCH(int, n);
    QFETCH(int, expected);
    Graph::Row rows[Graph::MaxNodes];
    QVERIFY(NamedGraphs::byName(graph == "almost complete" ? "complete" : qPrintable(graph), rows, n) == n);
    if (graph == "almost complete") {
        rows[2] &= ~(adjacency::bit(5));
        rows[5] &= ~(adjacency::bit(2));
    }
    QCOMPARE(VertexConnectivity::compute(rows, n), expected);
    // Stray bits of vertices beyond n change nothing.
    const Graph::Row inside = adjacency::lowMask(n);
    for (int v = 0; v < n; ++v)
        rows[v] |= ~inside;
    QCOMPARE(VertexConnectivity::compute(rows, n), expected);
}

QTEST_GUILESS_MAIN(TestVertexConnectivity)
#include "tst_vertexconnectivity.moc"
