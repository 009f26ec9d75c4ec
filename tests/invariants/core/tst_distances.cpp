#include "FixtureReader.h"
#include "NamedGraphs.h"
#include "invariants/core/BreadthFirstTree.h"
#include "invariants/core/Distances.h"

#include <QtTest>
#include <cmath>

namespace {
bool close(double a, double b) { return std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(b)); }
} // namespace

class TestDistances : public QObject
{
    Q_OBJECT

private slots:
    void fixtures_data();
    void fixtures();
    void closedForms_data();
    void closedForms();
    void disconnected();
    void tinyGraphs();
    void diametralPath();
    void connectedEightVertexGraphs();
};

void TestDistances::fixtures_data()
{
    FixtureReader::addFileRows();
    // Long trees with a few more edges, measured from the tree from 16 vertices on.
    QTest::newRow("sparse graphs 16..32 vertices") << "distances_sparse.txt";
}

// Every value that the libraries define the same way: the matrix on all graphs, the rest on
// the connected ones (the script leaves the other cases out).
void TestDistances::fixtures()
{
    QFETCH(QString, file);
    const auto entries = FixtureReader::read(file);
    QVERIFY(!entries.isEmpty());
    int compared = 0;
    for (const auto &e : entries) {
        Distances d(e.rows, e.n);
        QCOMPARE(d.connected(), e.connected());
        if (e.has("DISTANCES")) {
            for (int i = 0; i < e.n; ++i)
                for (int j = 0; j < e.n; ++j)
                    QVERIFY2(d.at(i, j) == e.matrix("DISTANCES", i, j), qPrintable(e.text));
            ++compared;
        }
        if (!e.connected())
            continue;
        QCOMPARE(double(d.diameter()), e.scalar("DIAMETER"));
        QCOMPARE(d.radius(), e.scalar("RADIUS"));
        QCOMPARE(double(d.wiener()), e.scalar("WIENER"));
        QVERIFY2(close(d.harary(), e.scalar("HARARY")), qPrintable(e.text));
        for (int v = 0; v < e.n; ++v) {
            QCOMPARE(d.eccentricity(v), e.vector("ECCENTRICITY")[v]);
            QCOMPARE(d.transmission(v), e.vector("TRANSMISSION")[v]);
        }
        if (e.has("AVDIST"))
            QVERIFY2(close(d.averageDistance(), e.scalar("AVDIST")), qPrintable(e.text));
        ++compared;
    }
    QVERIFY(compared > entries.size() / 2);
}

void TestDistances::closedForms_data()
{
    QTest::addColumn<int>("n");
    for (int n = 2; n <= 32; ++n)
        QTest::addRow("n=%d", n) << n;
}

void TestDistances::closedForms()
{
    QFETCH(int, n);
    Graph::Row rows[Graph::MaxNodes];
    const long long N = n;

    NamedGraphs::path(rows, n);
    Distances path(rows, n);
    QCOMPARE(path.wiener(), (N * N * N - N) / 6);
    QCOMPARE(path.diameter(), n - 1);
    QCOMPARE(path.radius(), double(n / 2));
    QCOMPARE(path.eccentricity(0), double(n - 1));

    NamedGraphs::complete(rows, n);
    Distances complete(rows, n);
    QCOMPARE(complete.wiener(), N * (N - 1) / 2);
    QVERIFY(close(complete.harary(), N * (N - 1) / 2.0));
    QCOMPARE(complete.averageDistance(), 1.0);
    QCOMPARE(complete.transmission(n - 1), double(n - 1));

    NamedGraphs::star(rows, n);
    Distances star(rows, n);
    QCOMPARE(star.wiener(), (N - 1) * (N - 1));
    QCOMPARE(star.transmission(0), double(n - 1));
    QCOMPARE(star.transmission(1), double(1 + 2 * (n - 2)));

    if (n >= 3) {
        NamedGraphs::cycle(rows, n);
        Distances cycle(rows, n);
        // W(C_n) = n^3/8 for even n, n(n^2 - 1)/8 for odd n.
        const long long expected = n % 2 == 0 ? N * N * N / 8 : N * (N * N - 1) / 8;
        QCOMPARE(cycle.wiener(), expected);
        QCOMPARE(cycle.diameter(), n / 2);
        QCOMPARE(cycle.radius(), double(n / 2));
    }
}

// Two disjoint edges: the conventions for a disconnected graph.
void TestDistances::disconnected()
{
    Graph::Row rows[Graph::MaxNodes];
    const int n = NamedGraphs::fromEdges(rows, 4, {{0, 1}, {2, 3}});
    Distances d(rows, n);
    QVERIFY(!d.connected());
    QCOMPARE(d.at(0, 1), 1.0);
    QCOMPARE(d.at(0, 2), 1e12);
    QCOMPARE(d.hops(3, 0), int(Distances::Unreached));
    for (int v = 0; v < n; ++v) {
        QCOMPARE(d.eccentricity(v), 1e12);
        QCOMPARE(d.transmission(v), 1.0 + 2e12);
    }
    QCOMPARE(d.radius(), 1e12);
}

void TestDistances::tinyGraphs()
{
    Graph::Row rows[Graph::MaxNodes];
    Distances none(rows, NamedGraphs::empty(rows, 0));
    QVERIFY(none.connected());
    QCOMPARE(none.wiener(), 0LL);
    QCOMPARE(none.diameter(), 0);
    QCOMPARE(none.radius(), 0.0);
    QCOMPARE(none.averageDistance(), 0.0);

    Distances one(rows, NamedGraphs::empty(rows, 1));
    QVERIFY(one.connected());
    QCOMPARE(one.at(0, 0), 0.0);
    QCOMPARE(one.radius(), 0.0);

    Distances two(rows, NamedGraphs::empty(rows, 2));
    QVERIFY(!two.connected());
    QCOMPARE(two.at(0, 1), 1e12);
    QCOMPARE(two.at(1, 1), 0.0);

    // The snapshot's rows may carry bits of vertices beyond n; they are not vertices.
    NamedGraphs::path(rows, 5);
    Distances cut(rows, 3);
    QVERIFY(cut.connected());
    QCOMPARE(cut.wiener(), 4LL);
}

// The diametral path of the highlight item: from the smallest vertex of largest eccentricity
// to the first vertex its search reaches at that distance.
void TestDistances::diametralPath()
{
    Graph::Row rows[Graph::MaxNodes];
    Graph::Row marked[Graph::MaxNodes] = {};
    int n = NamedGraphs::path(rows, 4);
    Distances d(rows, n);
    QCOMPARE(d.peripheralVertex(), 0);
    BreadthFirstTree tree;
    tree.grow(rows, n, 0);
    QCOMPARE(tree.firstAtDepth(d.diameter()), 3);
    tree.markPath(3, marked);
    QCOMPARE(marked[0], Graph::Row(0b0010));
    QCOMPARE(marked[1], Graph::Row(0b0101));
    QCOMPARE(marked[2], Graph::Row(0b1010));
    QCOMPARE(marked[3], Graph::Row(0b0100));

    // Queue order, not index order, picks the far end: from 0, vertex 4 (reached through 1)
    // enters the queue before vertex 3 (reached through 2).
    n = NamedGraphs::fromEdges(rows, 5, {{0, 1}, {0, 2}, {2, 3}, {1, 4}});
    tree.grow(rows, n, 0);
    QCOMPARE(tree.firstAtDepth(2), 4);
    QCOMPARE(tree.parent(4), 1);
    QCOMPARE(tree.parent(0), -1);
    QVERIFY(tree.reachedAll());

    tree.grow(rows, n, 7);
    QCOMPARE(tree.reachedCount(), 0);
}

void TestDistances::connectedEightVertexGraphs()
{
    const auto entries = FixtureReader::read("connected8.txt");
    QCOMPARE(entries.size(), 11117);
    for (const auto &e : entries) {
        Distances d(e.rows, e.n);
        QVERIFY(d.connected());
        QVERIFY(d.wiener() >= 28 && d.wiener() <= 84); // between K8 and P8
    }
}

QTEST_GUILESS_MAIN(TestDistances)
#include "tst_distances.moc"
