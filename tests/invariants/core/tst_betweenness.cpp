#include "FixtureReader.h"
#include "NamedGraphs.h"
#include "invariants/core/Betweenness.h"
#include "invariants/core/Distances.h"
#include "invariants/core/FlowBetweenness.h"

#include <QtTest>
#include <cmath>

namespace {
bool close(double a, double b) { return std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(b)); }

const Betweenness::Weight weights[] = {Betweenness::Plain, Betweenness::ByDistance, Betweenness::BySquaredDistance};

double weightOf(Betweenness::Weight w, int d)
{
    return w == Betweenness::Plain ? 1.0 : w == Betweenness::ByDistance ? 1.0 / d : 1.0 / (double(d) * d);
}

// A source joined to a first layer of three vertices, each layer of three joined completely
// to the next: the number of shortest paths grows as 3^layers.
int layered(Graph::Row rows[Graph::MaxNodes], int layers)
{
    const int n = NamedGraphs::empty(rows, 1 + 3 * layers);
    for (int a = 1; a <= 3; ++a)
        NamedGraphs::addEdge(rows, 0, a);
    for (int l = 1; l < layers; ++l)
        for (int a = 0; a < 3; ++a)
            for (int b = 0; b < 3; ++b)
                NamedGraphs::addEdge(rows, 3 * l - 2 + a, 3 * l + 1 + b);
    return n;
}

// Closed form on the layered graph for an edge x-y from layer i to layer i + 1: a pair with ends
// in layers a <= i < i + 1 <= b crosses it with probability 1/3 for each end not on the edge;
// a pair inside layer i + 1 (or i) that holds y (or x) has one of its paths of length 2
// through it, out of one per vertex of the two neighbouring layers.
double layeredEdgeValue(int layers, int i, Betweenness::Weight w)
{
    auto size = [layers](int layer) { return layer == 0 ? 1 : layer > layers ? 0 : 3; };
    double total = 2.0 * weightOf(w, 2) / (size(i) + size(i + 2));
    if (i >= 1)
        total += 2.0 * weightOf(w, 2) / (size(i - 1) + size(i + 1));
    for (int a = 0; a <= i; ++a)
        for (int b = i + 1; b <= layers; ++b) {
            const double from = a == i ? 1.0 : size(a) / 3.0;
            const double to = b == i + 1 ? 1.0 : size(b) / 3.0;
            total += from * to * weightOf(w, b - a);
        }
    return total;
}
} // namespace

class TestBetweenness : public QObject
{
    Q_OBJECT

private slots:
    void fixtures_data();
    void fixtures();
    void handValues_data();
    void handValues();
    void totals();
    void layeredGraphs_data();
    void layeredGraphs();
    void disconnectedAndTiny();
    void flowHandValues();
    void flowOnTreesAndCompleteGraphs();
};

void TestBetweenness::fixtures_data()
{
    FixtureReader::addFileRows();
}

// Edge matrices against networkx (matrices are stored up to 6 vertices for the small set);
// vertex sums against 2 x vertex betweenness + n - 1 and the path-listing sums.
void TestBetweenness::fixtures()
{
    QFETCH(QString, file);
    const auto entries = FixtureReader::read(file);
    QVERIFY(!entries.isEmpty());
    const char *matrixKeys[] = {"BETWEENNESS", "DBETW", "DBETW2"};
    const char *sumKeys[] = {"CENTRALITY", "DCENTRALITY", "DCENTRALITY2"};
    for (const auto &e : entries) {
        Distances d(e.rows, e.n);
        for (int k = 0; k < 3; ++k) {
            Betweenness b;
            QCOMPARE(b.compute(e.rows, d, weights[k]), e.connected());
            if (!e.connected())
                continue;
            if (e.has(matrixKeys[k]))
                for (int i = 0; i < e.n; ++i)
                    for (int j = 0; j < e.n; ++j)
                        QVERIFY2(close(b.at(i, j), e.matrix(matrixKeys[k], i, j)), qPrintable(e.text + " " + matrixKeys[k]));
            for (int v = 0; v < e.n; ++v)
                QVERIFY2(close(b.rowSum(v), e.vector(sumKeys[k])[v]), qPrintable(e.text + " " + sumKeys[k]));
        }
    }
}

void TestBetweenness::handValues_data()
{
    QTest::addColumn<int>("weight");
    QTest::addColumn<double>("path");   // each edge of 0-1-2
    QTest::addColumn<double>("cycle");  // each edge of the 4-cycle
    QTest::addColumn<double>("centre"); // centre of the star with 3 leaves
    QTest::addColumn<double>("leaf");
    QTest::newRow("plain") << int(Betweenness::Plain) << 2.0 << 2.0 << 9.0 << 3.0;
    QTest::newRow("by distance") << int(Betweenness::ByDistance) << 1.5 << 1.5 << 6.0 << 2.0;
    QTest::newRow("by squared distance") << int(Betweenness::BySquaredDistance) << 1.25 << 1.25 << 4.5 << 1.5;
}

void TestBetweenness::handValues()
{
    QFETCH(int, weight);
    QFETCH(double, path);
    QFETCH(double, cycle);
    QFETCH(double, centre);
    QFETCH(double, leaf);
    const auto w = Betweenness::Weight(weight);
    Graph::Row rows[Graph::MaxNodes];
    Betweenness b;

    int n = NamedGraphs::path(rows, 3);
    QVERIFY(b.compute(rows, Distances(rows, n), w));
    QCOMPARE(b.at(0, 1), path);
    QCOMPARE(b.at(2, 1), path);
    QCOMPARE(b.at(0, 2), 0.0);
    QCOMPARE(b.at(1, 1), 0.0);
    QCOMPARE(b.rowSum(1), 2 * path);

    n = NamedGraphs::cycle(rows, 4);
    QVERIFY(b.compute(rows, Distances(rows, n), w));
    for (int v = 0; v < 4; ++v)
        QCOMPARE(b.at(v, (v + 1) % 4), cycle);

    n = NamedGraphs::star(rows, 4);
    QVERIFY(b.compute(rows, Distances(rows, n), w));
    QCOMPARE(b.rowSum(0), centre);
    QCOMPARE(b.rowSum(3), leaf);

    n = NamedGraphs::complete(rows, 9);
    QVERIFY(b.compute(rows, Distances(rows, n), w));
    QCOMPARE(b.at(3, 7), 1.0);
    QCOMPARE(b.rowSum(5), 8.0);
}

// Over the edges: plain values sum to the Wiener index, by-distance values to the number of
// pairs, by-squared-distance values to the sum of reciprocal distances.
void TestBetweenness::totals()
{
    Graph::Row rows[Graph::MaxNodes];
    for (unsigned seed = 1; seed <= 40; ++seed) {
        const int n = NamedGraphs::random(rows, 6 + seed % 27, 0.15 + 0.02 * (seed % 30), seed);
        Distances d(rows, n);
        if (!d.connected())
            continue;
        double reciprocals = 0.0;
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < i; ++j)
                reciprocals += 1.0 / d.at(i, j);
        const double expected[] = {double(d.wiener()), n * (n - 1) / 2.0, reciprocals};
        for (int k = 0; k < 3; ++k) {
            Betweenness b;
            QVERIFY(b.compute(rows, d, weights[k]));
            double sum = 0.0;
            for (int i = 0; i < n; ++i)
                for (int j = 0; j < i; ++j) {
                    QCOMPARE(b.at(i, j), b.at(j, i));
                    if (rows[i] & (adjacency::bit(j)))
                        QVERIFY(b.at(i, j) >= 1.0 - 1e-12);
                    else
                        QCOMPARE(b.at(i, j), 0.0);
                    sum += b.at(i, j);
                }
            QVERIFY2(close(sum, expected[k]), qPrintable(QString("seed %1 weight %2").arg(seed).arg(k)));
        }
    }
}

void TestBetweenness::layeredGraphs_data()
{
    QTest::addColumn<int>("layers");
    QTest::newRow("19 vertices, 1093 paths from the source") << 6;
    QTest::newRow("31 vertices") << 10;
}

void TestBetweenness::layeredGraphs()
{
    QFETCH(int, layers);
    Graph::Row rows[Graph::MaxNodes];
    const int n = layered(rows, layers);
    Distances d(rows, n);
    for (auto w : weights) {
        Betweenness b;
        QVERIFY(b.compute(rows, d, w));
        QVERIFY(close(b.at(0, 2), layeredEdgeValue(layers, 0, w)));
        for (int i = 1; i < layers; ++i)
            QVERIFY2(close(b.at(3 * i - 1, 3 * i + 2), layeredEdgeValue(layers, i, w)), qPrintable(QString::number(i)));
    }
}

void TestBetweenness::disconnectedAndTiny()
{
    Graph::Row rows[Graph::MaxNodes];
    Betweenness b;
    int n = NamedGraphs::empty(rows, 2);
    QVERIFY(!b.compute(rows, Distances(rows, n), Betweenness::Plain));
    FlowBetweenness f;
    QVERIFY(!f.compute(rows, Distances(rows, n)));
    QCOMPARE(f.at(0, 1), 0.0);

    n = NamedGraphs::empty(rows, 1);
    QVERIFY(b.compute(rows, Distances(rows, n), Betweenness::Plain));
    QCOMPARE(b.rowSum(0), 0.0);
    QVERIFY(f.compute(rows, Distances(rows, n)));
    QCOMPARE(f.at(0, 0), 0.0);

    // The rows of P5 read as a graph on 3 vertices: P3.
    NamedGraphs::path(rows, 5);
    QVERIFY(b.compute(rows, Distances(rows, 3), Betweenness::Plain));
    QCOMPARE(b.at(1, 2), 2.0);
    QVERIFY(f.compute(rows, Distances(rows, 3)));
    QCOMPARE(f.raw(1, 2), 2.0);

    n = NamedGraphs::empty(rows, 0);
    QVERIFY(b.compute(rows, Distances(rows, n), Betweenness::Plain));
    QCOMPARE(b.order(), 0);
}

void TestBetweenness::flowHandValues()
{
    Graph::Row rows[Graph::MaxNodes];
    FlowBetweenness f;
    int n = NamedGraphs::path(rows, 3);
    QVERIFY(f.compute(rows, Distances(rows, n)));
    QCOMPARE(f.raw(0, 1), 2.0);
    QVERIFY(close(f.at(0, 1), 1 / std::sqrt(2.0)));
    QCOMPARE(f.at(0, 2), 0.0);

    n = NamedGraphs::cycle(rows, 4);
    QVERIFY(f.compute(rows, Distances(rows, n)));
    QVERIFY(close(f.at(1, 2), 0.5));

    // Splitting per vertex and counting per path differ here.
    n = NamedGraphs::fromEdges(rows, 6, {{0, 1}, {0, 2}, {1, 3}, {2, 3}, {2, 4}, {3, 5}, {4, 5}});
    Distances d(rows, n);
    QVERIFY(f.compute(rows, d));
    QVERIFY(close(f.raw(0, 1), 2.75));
    QVERIFY(close(f.raw(2, 3), 3.5));
    Betweenness b;
    QVERIFY(b.compute(rows, d, Betweenness::Plain));
    QVERIFY(close(b.at(0, 1), 8.0 / 3));
    QVERIFY(close(b.at(2, 3), 11.0 / 3));
}

void TestBetweenness::flowOnTreesAndCompleteGraphs()
{
    Graph::Row rows[Graph::MaxNodes];
    FlowBetweenness f;
    Betweenness b;
    // A caterpillar: on a tree the flow and the path count agree.
    int n = NamedGraphs::fromEdges(rows, 8, {{0, 1}, {1, 2}, {2, 3}, {1, 4}, {2, 5}, {2, 6}, {3, 7}});
    Distances d(rows, n);
    QVERIFY(f.compute(rows, d));
    QVERIFY(b.compute(rows, d, Betweenness::Plain));
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            QVERIFY(close(f.raw(i, j), b.at(i, j)));

    n = NamedGraphs::complete(rows, 32);
    QVERIFY(f.compute(rows, Distances(rows, n)));
    QVERIFY(close(f.at(4, 30), 1.0 / 31));
}

QTEST_GUILESS_MAIN(TestBetweenness)
#include "tst_betweenness.moc"
