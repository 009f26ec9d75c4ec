#include "BruteForce.h"
#include "FixtureReader.h"
#include "NamedGraphs.h"
#include "invariants/core/Domination.h"

#include <QtTest>

class TestDomination : public QObject
{
    Q_OBJECT

private slots:
    void fixtures_data();
    void fixtures();
    void bruteForceUpToSeven();
    void independentNumbers();
    void paths_data();
    void paths();
    void handValues();
};

void TestDomination::fixtures_data()
{
    FixtureReader::addFileRows();
}

void TestDomination::fixtures()
{
    QFETCH(QString, file);
    const auto entries = FixtureReader::read(file);
    QVERIFY(!entries.isEmpty());
    for (const auto &e : entries) {
        const Graph::Row set = Domination::firstMinimumSet(e.rows, e.n);
        QVERIFY2(adjacency::popcount(set) == int(e.scalar("DOMINATION")), qPrintable(e.text));
        const QVector<double> marks = e.vector("INDOMINATION");
        for (int v = 0; v < e.n; ++v)
            QVERIFY2(((set >> v) & 1) == (marks[v] > 0.5 ? 1u : 0u), qPrintable(e.text));
    }
}

void TestDomination::bruteForceUpToSeven()
{
    for (const auto &e : FixtureReader::read("invariants_small.txt"))
        QVERIFY2(Domination::firstMinimumSet(e.rows, e.n) == BruteForce::firstMinimumDominating(e.rows, e.n), qPrintable(e.text));
}

// The number searched for alone, and the first minimum set, against an integer program on
// every connected graph up to 8 vertices and 2,000 random graphs up to 32; up to 8 vertices
// the set is the lexicographically first one that brute force finds.
void TestDomination::independentNumbers()
{
    const auto entries = FixtureReader::read("domination.txt");
    QCOMPARE(entries.size(), 14113);
    for (const auto &e : entries) {
        const int expected = int(e.scalar("DOMINATION"));
        QVERIFY2(Domination::number(e.rows, e.n) == expected, qPrintable(e.text));
        const Graph::Row set = Domination::firstMinimumSet(e.rows, e.n);
        QVERIFY2(adjacency::popcount(set) == expected && BruteForce::dominates(e.rows, e.n, set), qPrintable(e.text));
        if (e.n <= 8)
            QVERIFY2(set == BruteForce::firstMinimumDominating(e.rows, e.n), qPrintable(e.text));
    }
}

void TestDomination::paths_data()
{
    QTest::addColumn<int>("n");
    for (int n = 1; n <= 32; ++n)
        QTest::addRow("P%d", n) << n;
}

void TestDomination::paths()
{
    QFETCH(int, n);
    Graph::Row rows[Graph::MaxNodes];
    NamedGraphs::path(rows, n);
    const Graph::Row set = Domination::firstMinimumSet(rows, n);
    QCOMPARE(adjacency::popcount(set), (n + 2) / 3);
    QVERIFY(BruteForce::dominates(rows, n, set));
    if (n <= 20)
        QCOMPARE(set, BruteForce::firstMinimumDominating(rows, n));
}

void TestDomination::handValues()
{
    Graph::Row rows[Graph::MaxNodes];
    QCOMPARE(Domination::firstMinimumSet(rows, NamedGraphs::empty(rows, 0)), Graph::Row(0));
    QCOMPARE(Domination::firstMinimumSet(rows, NamedGraphs::empty(rows, 1)), Graph::Row(1));
    QCOMPARE(Domination::firstMinimumSet(rows, NamedGraphs::path(rows, 3)), Graph::Row(0b010));
    QCOMPARE(Domination::firstMinimumSet(rows, NamedGraphs::path(rows, 4)), Graph::Row(0b0101));
    QCOMPARE(Domination::firstMinimumSet(rows, NamedGraphs::fromEdges(rows, 4, {{0, 1}, {2, 3}})), Graph::Row(0b0101));
    QCOMPARE(Domination::firstMinimumSet(rows, NamedGraphs::complete(rows, 32)), Graph::Row(1));
    QCOMPARE(Domination::firstMinimumSet(rows, NamedGraphs::star(rows, 32)), Graph::Row(1));
    QCOMPARE(Domination::firstMinimumSet(rows, NamedGraphs::empty(rows, 32)), ~Graph::Row(0));
    QCOMPARE(Domination::number(rows, NamedGraphs::petersen(rows)), 3);
    QCOMPARE(Domination::number(rows, NamedGraphs::cycle(rows, 32)), 11);
    QCOMPARE(Domination::number(rows, NamedGraphs::completeBipartite(rows, 5, 9)), 2);
}

QTEST_GUILESS_MAIN(TestDomination)
#include "tst_domination.moc"
