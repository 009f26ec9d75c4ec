#include "FixtureReader.h"
#include "NamedGraphs.h"
#include "invariants/core/Girth.h"

#include <QtTest>

namespace {
// The marked edges form one cycle of the given length.
bool isCycleOfLength(const Graph::Row marked[Graph::MaxNodes], int n, int length)
{
    int edges = 0;
    int start = -1;
    for (int v = 0; v < n; ++v) {
        const int degree = adjacency::popcount(marked[v]);
        if (degree != 0 && degree != 2)
            return false;
        edges += degree;
        if (degree && start < 0)
            start = v;
    }
    if (edges != 2 * length || start < 0)
        return false;
    int steps = 0;
    for (int previous = -1, v = start;;) {
        const Graph::Row next = marked[v] & ~(previous >= 0 ? adjacency::bit(previous) : 0);
        previous = v;
        v = adjacency::lowest(next);
        ++steps;
        if (v == start)
            break;
    }
    return steps == length;
}
} // namespace

class TestGirth : public QObject
{
    Q_OBJECT

private slots:
    void fixtures_data();
    void fixtures();
    void handValues();
    void firstCycle();
};

void TestGirth::fixtures_data()
{
    FixtureReader::addFileRows();
}

void TestGirth::fixtures()
{
    QFETCH(QString, file);
    const auto entries = FixtureReader::read(file);
    QVERIFY(!entries.isEmpty());
    for (const auto &e : entries) {
        Girth g;
        g.compute(e.rows, e.n);
        const double expected = e.scalar("GIRTH");
        QVERIFY2(g.hasCycle() == (expected < 1e12), qPrintable(e.text));
        if (g.hasCycle()) {
            QVERIFY2(g.girth() == int(expected), qPrintable(e.text));
            QVERIFY2(isCycleOfLength(g.cycle(), e.n, g.girth()), qPrintable(e.text));
        }
    }
}

void TestGirth::handValues()
{
    Graph::Row rows[Graph::MaxNodes];
    Girth g;
    g.compute(rows, NamedGraphs::petersen(rows));
    QCOMPARE(g.girth(), 5);
    for (int n : {3, 4, 17, 32}) {
        g.compute(rows, NamedGraphs::cycle(rows, n));
        QCOMPARE(g.girth(), n);
        QVERIFY(isCycleOfLength(g.cycle(), n, n));
    }
    g.compute(rows, NamedGraphs::path(rows, 32));
    QVERIFY(!g.hasCycle());
    QCOMPARE(g.cycle()[3], Graph::Row(0));
    g.compute(rows, NamedGraphs::star(rows, 32));
    QVERIFY(!g.hasCycle());
    g.compute(rows, NamedGraphs::empty(rows, 0));
    QVERIFY(!g.hasCycle());
    NamedGraphs::complete(rows, 6);
    g.compute(rows, 2); // bits beyond n are not vertices
    QVERIFY(!g.hasCycle());
    g.compute(rows, NamedGraphs::complete(rows, 32));
    QCOMPARE(g.girth(), 3);
    g.compute(rows, NamedGraphs::completeBipartite(rows, 3, 5));
    QCOMPARE(g.girth(), 4);
    // A triangle in one component, a 4-cycle in the other.
    g.compute(rows, NamedGraphs::fromEdges(rows, 7, {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {4, 5}, {5, 6}, {6, 4}}));
    QCOMPARE(g.girth(), 3);
    QCOMPARE(g.cycle()[4], Graph::Row(0b1100000));
}

// The cycle kept is the first shortest one met.
void TestGirth::firstCycle()
{
    Graph::Row rows[Graph::MaxNodes];
    Girth g;
    // 4-cycle 0-1-2-3 with chord 0-2: the triangle 0-1-2.
    g.compute(rows, NamedGraphs::fromEdges(rows, 4, {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {0, 2}}));
    QCOMPARE(g.girth(), 3);
    QCOMPARE(g.cycle()[0], Graph::Row(0b0110));
    QCOMPARE(g.cycle()[1], Graph::Row(0b0101));
    QCOMPARE(g.cycle()[2], Graph::Row(0b0011));
    QCOMPARE(g.cycle()[3], Graph::Row(0));
    // Triangle 1-2-3 with a pendant vertex 0 at 1.
    g.compute(rows, NamedGraphs::fromEdges(rows, 4, {{0, 1}, {1, 2}, {2, 3}, {1, 3}}));
    QCOMPARE(g.girth(), 3);
    QCOMPARE(g.cycle()[0], Graph::Row(0));
    QCOMPARE(g.cycle()[1], Graph::Row(0b1100));
    // Two triangles, 3-4-5 and 0-1-2 (vertex 6 joins them): the root-0 search meets 0-1-2.
    g.compute(rows, NamedGraphs::fromEdges(rows, 7, {{3, 4}, {4, 5}, {5, 3}, {0, 1}, {1, 2}, {2, 0}, {2, 6}, {6, 3}}));
    QCOMPARE(g.cycle()[0], Graph::Row(0b110));
    QCOMPARE(g.cycle()[3], Graph::Row(0));
}

QTEST_GUILESS_MAIN(TestGirth)
#include "tst_girth.moc"
