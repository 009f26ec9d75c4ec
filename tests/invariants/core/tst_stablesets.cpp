#include "BruteForce.h"
#include "FixtureReader.h"
#include "NamedGraphs.h"
#include "invariants/core/StableSets.h"

#include <QtTest>

namespace {
Graph::Row fromMembership(const QVector<double> &v)
{
    Graph::Row set = 0;
    for (int i = 0; i < v.size(); ++i)
        if (v[i] > 0.5)
            set |= adjacency::bit(i);
    return set;
}
} // namespace

class TestStableSets : public QObject
{
    Q_OBJECT

private slots:
    void fixtures_data();
    void fixtures();
    void bruteForceUpToSeven();
    void handValues();
};

void TestStableSets::fixtures_data()
{
    FixtureReader::addFileRows();
}

// igraph's sizes, and the lexicographically first of igraph's maximum sets.
void TestStableSets::fixtures()
{
    QFETCH(QString, file);
    const auto entries = FixtureReader::read(file);
    QVERIFY(!entries.isEmpty());
    for (const auto &e : entries) {
        const Graph::Row stable = StableSets::firstMaximumStable(e.rows, e.n);
        const Graph::Row clique = StableSets::firstMaximumClique(e.rows, e.n);
        QVERIFY2(StableSets::stabilityNumber(e.rows, e.n) == int(e.scalar("STABLEMAX")), qPrintable(e.text));
        QVERIFY2(StableSets::cliqueNumber(e.rows, e.n) == int(e.scalar("CLIQMAX")), qPrintable(e.text));
        QVERIFY2(stable == fromMembership(e.vector("INSTABLEMAX")), qPrintable(e.text));
        QVERIFY2(clique == fromMembership(e.vector("INCLIQMAX")), qPrintable(e.text));
    }
}

void TestStableSets::bruteForceUpToSeven()
{
    for (const auto &e : FixtureReader::read("invariants_small.txt")) {
        QVERIFY2(StableSets::firstMaximumStable(e.rows, e.n) == BruteForce::firstMaximumStable(e.rows, e.n), qPrintable(e.text));
        QVERIFY2(StableSets::firstMaximumClique(e.rows, e.n) == BruteForce::firstMaximumClique(e.rows, e.n), qPrintable(e.text));
    }
}

void TestStableSets::handValues()
{
    Graph::Row rows[Graph::MaxNodes];
    const Graph::Row all = ~Graph::Row(0);

    QCOMPARE(StableSets::firstMaximumStable(rows, NamedGraphs::empty(rows, 0)), Graph::Row(0));
    QCOMPARE(StableSets::firstMaximumClique(rows, NamedGraphs::empty(rows, 1)), Graph::Row(1));
    QCOMPARE(StableSets::firstMaximumStable(rows, NamedGraphs::empty(rows, 1)), Graph::Row(1));

    NamedGraphs::complete(rows, 2);
    QCOMPARE(StableSets::firstMaximumStable(rows, 2), Graph::Row(0b01));
    QCOMPARE(StableSets::firstMaximumClique(rows, 2), Graph::Row(0b11));

    // Ties in the 5-cycle: the first stable set is {0, 2}, the first clique {0, 1}.
    NamedGraphs::cycle(rows, 5);
    QCOMPARE(StableSets::firstMaximumStable(rows, 5), Graph::Row(0b00101));
    QCOMPARE(StableSets::firstMaximumClique(rows, 5), Graph::Row(0b00011));

    NamedGraphs::complete(rows, 32);
    QCOMPARE(StableSets::firstMaximumStable(rows, 32), Graph::Row(1));
    QCOMPARE(StableSets::firstMaximumClique(rows, 32), all);

    NamedGraphs::empty(rows, 32);
    QCOMPARE(StableSets::firstMaximumStable(rows, 32), all);
    QCOMPARE(StableSets::firstMaximumClique(rows, 32), Graph::Row(1));

    NamedGraphs::star(rows, 32);
    QCOMPARE(StableSets::firstMaximumStable(rows, 32), all & ~Graph::Row(1));
    QCOMPARE(StableSets::firstMaximumClique(rows, 32), Graph::Row(0b11));

    NamedGraphs::path(rows, 32);
    QCOMPARE(StableSets::firstMaximumStable(rows, 32), Graph::Row(0x55555555));

    NamedGraphs::petersen(rows);
    QCOMPARE(StableSets::stabilityNumber(rows, 10), 4);
    QCOMPARE(StableSets::cliqueNumber(rows, 10), 2);

    NamedGraphs::completeBipartite(rows, 12, 20);
    QCOMPARE(StableSets::firstMaximumStable(rows, 32), all & ~Graph::Row(0xfff));
}

QTEST_GUILESS_MAIN(TestStableSets)
#include "tst_stablesets.moc"
