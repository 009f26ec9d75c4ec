#include "InvariantProbe.h"
#include "NamedGraphs.h"
#include "calculus/Calculus.h"
#include "graph/Graph.h"

#include <QtTest>
#include <cmath>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

// The distance items, the distance indices, cut centrality and the I-index: hand-computed
// values of small graphs, the conventions for disconnected and tiny graphs, closed forms on
// graph families, and the fill that the items of one graph share.
namespace {
using Matrix = QVector<QVector<double>>;
const double inf = 1e12;

QString textOf(const Graph::Row rows[Graph::MaxNodes], int n)
{
    QString bits;
    for (int i = 1; i < n; ++i)
        for (int j = 0; j < i; ++j)
            bits += ((rows[i] >> j) & 1u) ? '1' : '0';
    return QString::number(n) + ' ' + bits;
}

// Graph text of a graph built by one of the NamedGraphs makers.
QString named(const std::function<int(Graph::Row *)> &make)
{
    Graph::Row rows[Graph::MaxNodes];
    const int n = make(rows);
    return textOf(rows, n);
}
QString edges(int n, std::initializer_list<std::pair<int, int>> list)
{
    return named([&](Graph::Row *r) { return NamedGraphs::fromEdges(r, n, list); });
}
QString path(int n) { return named([n](Graph::Row *r) { return NamedGraphs::path(r, n); }); }
QString cycle(int n) { return named([n](Graph::Row *r) { return NamedGraphs::cycle(r, n); }); }
QString star(int n) { return named([n](Graph::Row *r) { return NamedGraphs::star(r, n); }); }
QString complete(int n) { return named([n](Graph::Row *r) { return NamedGraphs::complete(r, n); }); }
QString apart(int n) { return named([n](Graph::Row *r) { return NamedGraphs::empty(r, n); }); }

Matrix values(int r, int c, const QVector<double> &flat)
{
    Matrix m(r, QVector<double>(c));
    for (int i = 0; i < r; ++i)
        for (int j = 0; j < c; ++j)
            m[i][j] = flat[i * c + j];
    return m;
}
Matrix scalar(double x) { return values(1, 1, {x}); }
Matrix column(const QVector<double> &v) { return values(v.size(), 1, v); }
Matrix none() { return Matrix(); }
Matrix noRows() { return Matrix(0, QVector<double>(1)); }

// Relative tolerance, so that 1 + 2e12 and 1e-12 compare as well as small values.
bool close(double a, double b) { return InvariantProbe::close(a, b); }
bool same(const Matrix &a, const Matrix &b) { return InvariantProbe::same(a, b); }
QString show(const Matrix &m) { return InvariantProbe::show(m); }

const QStringList distanceKeys = {"DISTANCES", "ECCENTRICITY", "DIAMETER", "RADIUS",  "WIENER",  "HARARY",
                                  "TRANSMISSION", "AVDIST", "DISTCLOSESTLEAF", "SUMDISTP", "BALABAN", "SZEGED",
                                  "HARMONIC", "CLOSENESS", "CUTCENTRALITY", "IINDEX"};
} // namespace

class TestDistanceItems : public QObject
{
    Q_OBJECT

private slots:
    void handCases_data()
    {
        QTest::addColumn<QString>("graph");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("complement");
        QTest::addColumn<Matrix>("expected");
        QTest::addColumn<bool>("error");
        auto ok = [](const QString &name, const QString &g, const char *key, const Matrix &m) {
            QTest::newRow(qPrintable(name + " " + key)) << g << QString(key) << false << m << false;
        };
        auto failed = [](const QString &name, const QString &g, const char *key, const Matrix &m) {
            QTest::newRow(qPrintable(name + " " + key)) << g << QString(key) << false << m << true;
        };
        const double r6 = std::sqrt(6.0);

        // No vertex: empty windows or a zero scalar, never an error. RADIUS and AVDIST give
        // 0 like DIAMETER and WIENER rather than an unwritten entry or 0/0.
        for (const char *key : {"DISTANCES", "CUTCENTRALITY"})
            ok("n=0", "0 ", key, QString(key) == "DISTANCES" ? none() : noRows());
        for (const char *key : {"ECCENTRICITY", "TRANSMISSION", "DISTCLOSESTLEAF", "SUMDISTP", "HARMONIC",
                                "CLOSENESS", "IINDEX"})
            ok("n=0", "0 ", key, noRows());
        for (const char *key : {"DIAMETER", "RADIUS", "WIENER", "HARARY", "AVDIST", "BALABAN", "SZEGED"})
            ok("n=0", "0 ", key, scalar(0));

        // One vertex. CLOSENESS would be 1/0: a lone vertex gets 0. DISTCLOSESTLEAF has no leaf.
        for (const char *key : {"DISTANCES", "ECCENTRICITY", "DIAMETER", "RADIUS", "WIENER", "HARARY",
                                "TRANSMISSION", "AVDIST", "SUMDISTP", "BALABAN", "SZEGED", "HARMONIC", "CLOSENESS",
                                "CUTCENTRALITY", "IINDEX"})
            ok("n=1", "1 ", key, scalar(0));
        failed("n=1", "1 ", "DISTCLOSESTLEAF", none());

        // Two vertices without an edge: the values each item keeps on a disconnected graph.
        const QString two = apart(2);
        failed("2 apart", two, "DISTANCES", values(2, 2, {0, inf, inf, 0}));
        failed("2 apart", two, "ECCENTRICITY", column({inf, inf}));
        failed("2 apart", two, "RADIUS", scalar(inf));
        failed("2 apart", two, "TRANSMISSION", column({inf, inf}));
        failed("2 apart", two, "AVDIST", scalar(inf));
        failed("2 apart", two, "HARMONIC", column({1e-12, 1e-12}));
        failed("2 apart", two, "CLOSENESS", column({1e-12, 1e-12}));
        failed("2 apart", two, "CUTCENTRALITY", values(2, 2, {0, 0, 0, 0}));
        failed("2 apart", two, "IINDEX", values(2, 2, {0, 0, 0, 0}));
        for (const char *key : {"DIAMETER", "WIENER", "HARARY", "DISTCLOSESTLEAF", "SUMDISTP", "BALABAN", "SZEGED"})
            failed("2 apart", two, key, none());

        // Two disjoint edges 0-1 and 2-3.
        const QString twoEdges = edges(4, {{0, 1}, {2, 3}});
        failed("2K2", twoEdges, "DISTANCES", values(4, 4, {0, 1, inf, inf, 1, 0, inf, inf, inf, inf, 0, 1, inf, inf, 1, 0}));
        failed("2K2", twoEdges, "ECCENTRICITY", column({inf, inf, inf, inf}));
        const double far = 1 + 2 * inf;
        failed("2K2", twoEdges, "TRANSMISSION", column({far, far, far, far}));
        failed("2K2", twoEdges, "CLOSENESS", column({1 / far, 1 / far, 1 / far, 1 / far}));
        failed("2K2", twoEdges, "HARMONIC", column({1 + 2e-12, 1 + 2e-12, 1 + 2e-12, 1 + 2e-12}));
        for (const char *key : {"DIAMETER", "WIENER", "HARARY", "SUMDISTP", "DISTCLOSESTLEAF"})
            failed("2K2", twoEdges, key, none());

        // Single edge: both ends are leaves.
        ok("K2", path(2), "DISTCLOSESTLEAF", column({0, 0}));
        ok("K2", path(2), "SUMDISTP", column({1, 1}));
        ok("K2", path(2), "BALABAN", scalar(1));

        // Path 0-1-2.
        const QString p3 = path(3);
        ok("P3", p3, "BALABAN", scalar(4 / r6));
        ok("P3", p3, "SZEGED", scalar(4));
        ok("P3", p3, "HARMONIC", column({1.5, 2, 1.5}));
        ok("P3", p3, "CLOSENESS", column({1.0 / 3, 0.5, 1.0 / 3}));
        ok("P3", p3, "CUTCENTRALITY", column({2.0 / 3, 4.0 / 3, 2.0 / 3}));
        ok("P3", p3, "IINDEX", column({0, 0.5, 0}));

        // Path 0-1-2-3.
        const QString p4 = path(4);
        ok("P4", p4, "DISTANCES", values(4, 4, {0, 1, 2, 3, 1, 0, 1, 2, 2, 1, 0, 1, 3, 2, 1, 0}));
        ok("P4", p4, "ECCENTRICITY", column({3, 2, 2, 3}));
        ok("P4", p4, "DIAMETER", scalar(3));
        ok("P4", p4, "RADIUS", scalar(2));
        ok("P4", p4, "WIENER", scalar(10));
        ok("P4", p4, "HARARY", scalar(13.0 / 3));
        ok("P4", p4, "TRANSMISSION", column({6, 4, 4, 6}));
        ok("P4", p4, "AVDIST", scalar(5.0 / 3));
        ok("P4", p4, "DISTCLOSESTLEAF", column({0, 1, 1, 0}));
        ok("P4", p4, "SUMDISTP", column({3, 3, 3, 3}));
        // Its complement is the path 1-3-0-2.
        QTest::newRow("P4 complement DISTANCES")
            << p4 << "DISTANCES" << true << values(4, 4, {0, 2, 1, 1, 2, 0, 3, 1, 1, 3, 0, 2, 1, 1, 2, 0}) << false;
        QTest::newRow("P4 complement DIAMETER") << p4 << "DIAMETER" << true << scalar(3) << false;

        // Path 0-1-2-3-4.
        ok("P5", path(5), "DISTCLOSESTLEAF", column({0, 1, 2, 1, 0}));
        ok("P5", path(5), "SUMDISTP", column({4, 4, 4, 4, 4}));

        // Triangle.
        const QString k3 = complete(3);
        ok("K3", k3, "BALABAN", scalar(2.25));
        ok("K3", k3, "SZEGED", scalar(3));
        ok("K3", k3, "HARMONIC", column({2, 2, 2}));
        ok("K3", k3, "CLOSENESS", column({0.5, 0.5, 0.5}));
        ok("K3", k3, "CUTCENTRALITY", column({2.0 / 3, 2.0 / 3, 2.0 / 3}));
        ok("K3", k3, "IINDEX", column({1.0 / 3, 1.0 / 3, 1.0 / 3}));

        // Cycles.
        const QString c4 = cycle(4);
        ok("C4", c4, "BALABAN", scalar(2));
        ok("C4", c4, "SZEGED", scalar(16));
        ok("C4", c4, "HARMONIC", column({2.5, 2.5, 2.5, 2.5}));
        ok("C4", c4, "CLOSENESS", column({0.25, 0.25, 0.25, 0.25}));
        ok("C4", c4, "CUTCENTRALITY", column({16.0 / 9, 16.0 / 9, 16.0 / 9, 16.0 / 9}));
        ok("C4", c4, "IINDEX", column({1.0 / 3, 1.0 / 3, 1.0 / 3, 1.0 / 3}));
        ok("C4", c4, "SUMDISTP", column({0, 0, 0, 0}));
        failed("C4", c4, "DISTCLOSESTLEAF", none());
        ok("C5", cycle(5), "ECCENTRICITY", column({2, 2, 2, 2, 2}));
        ok("C5", cycle(5), "DIAMETER", scalar(2));
        ok("C5", cycle(5), "RADIUS", scalar(2));

        // Star with centre 0 and leaves 1, 2, 3.
        const QString k13 = star(4);
        ok("K1,3", k13, "WIENER", scalar(9));
        ok("K1,3", k13, "HARARY", scalar(4.5));
        ok("K1,3", k13, "TRANSMISSION", column({3, 5, 5, 5}));
        ok("K1,3", k13, "AVDIST", scalar(1.5));
        ok("K1,3", k13, "DISTCLOSESTLEAF", column({1, 0, 0, 0}));
        ok("K1,3", k13, "SUMDISTP", column({3, 4, 4, 4}));
        ok("K1,3", k13, "BALABAN", scalar(9 / std::sqrt(15.0)));
        ok("K1,3", k13, "SZEGED", scalar(9));
        ok("K1,3", k13, "HARMONIC", column({3, 2, 2, 2}));
        ok("K1,3", k13, "CUTCENTRALITY", column({2.25, 0.75, 0.75, 0.75}));
        ok("K1,3", k13, "IINDEX", column({1.5, 0, 0, 0}));

        // Complete graph on 4 vertices.
        const QString k4 = complete(4);
        ok("K4", k4, "DISTANCES", values(4, 4, {0, 1, 1, 1, 1, 0, 1, 1, 1, 1, 0, 1, 1, 1, 1, 0}));
        ok("K4", k4, "DIAMETER", scalar(1));
        ok("K4", k4, "RADIUS", scalar(1));
        ok("K4", k4, "AVDIST", scalar(1));
        ok("K4", k4, "BALABAN", scalar(3));
        ok("K4", k4, "SZEGED", scalar(6));
        ok("K4", k4, "CUTCENTRALITY", column({0.75, 0.75, 0.75, 0.75}));
        ok("K4", k4, "IINDEX", column({0.75, 0.75, 0.75, 0.75}));
        failed("K4", k4, "DISTCLOSESTLEAF", none());
    }
    void handCases()
    {
        QFETCH(QString, graph);
        QFETCH(QString, key);
        QFETCH(bool, complement);
        QFETCH(Matrix, expected);
        QFETCH(bool, error);
        InvariantProbe probe;
        probe.setGraphText(graph);
        Calculus *c = probe.compute(key, complement);
        QVERIFY(c);
        QCOMPARE(c->getError(), error);
        const Matrix got = InvariantProbe::valueOf(c);
        QVERIFY2(same(got, expected), qPrintable(show(got) + " != " + show(expected)));
    }

    // A computation on a graph without vertices never shows what an earlier graph left.
    void emptyGraphAfterAnother_data()
    {
        QTest::addColumn<QString>("key");
        for (const QString &key : distanceKeys)
            QTest::newRow(qPrintable(key)) << key;
    }
    void emptyGraphAfterAnother()
    {
        QFETCH(QString, key);
        InvariantProbe probe;
        probe.setGraphText(path(7));
        probe.compute(key);
        probe.setGraphText("0 ");
        Calculus *c = probe.compute(key);
        QVERIFY(!c->getError());
        for (int i = 0; i < c->getNbRows(); ++i)
            for (int j = 0; j < c->getNbCols(); ++j)
                QCOMPARE(c->entry(i, j), 0.0);
    }

    void wienerClosedForms()
    {
        InvariantProbe probe;
        for (int n = 2; n <= Graph::MaxNodes; ++n) {
            const QString at = QString("n = %1").arg(n);
            probe.setGraphText(path(n));
            QVERIFY2(probe.scalar("WIENER") == (double(n) * n * n - n) / 6, qPrintable("P " + at));
            probe.setGraphText(complete(n));
            QVERIFY2(probe.scalar("WIENER") == n * (n - 1) / 2.0, qPrintable("K " + at));
            probe.setGraphText(star(n));
            QVERIFY2(probe.scalar("WIENER") == double(n - 1) * (n - 1), qPrintable("K1,n-1 " + at));
            if (n >= 3) {
                // C_n: n^3/8 for even n, n(n^2 - 1)/8 for odd n.
                const double cn = n % 2 == 0 ? double(n) * n * n / 8 : double(n) * (double(n) * n - 1) / 8;
                probe.setGraphText(cycle(n));
                QVERIFY2(probe.scalar("WIENER") == cn, qPrintable("C " + at));
            }
        }
    }

    // On a tree every vertex is strictly nearer to one end of each edge, and the Szeged
    // index counts the pairs that each edge separates: the Wiener index.
    void szegedIsWienerOnTrees()
    {
        InvariantProbe probe;
        quint32 state = 7;
        for (int n = 1; n <= Graph::MaxNodes; ++n)
            for (int round = 0; round < 3; ++round) {
                QString bits(n * (n - 1) / 2, '0');
                for (int v = 1; v < n; ++v) {
                    state = state * 1103515245u + 12345u;
                    const int parent = int((state >> 8) % quint32(v));
                    bits[v * (v - 1) / 2 + parent] = '1';
                }
                probe.setGraphText(QString::number(n) + ' ' + bits);
                QCOMPARE(probe.scalar("SZEGED"), probe.scalar("WIENER"));
                // A tree's Balaban factor m / (m - n + 2) is n - 1.
                if (n >= 2) {
                    double sum = 0.0;
                    Calculus *t = probe.compute("TRANSMISSION");
                    for (int v = 1; v < n; ++v)
                        for (int u = 0; u < v; ++u)
                            if (bits[v * (v - 1) / 2 + u] == '1')
                                sum += 1.0 / std::sqrt(t->entry(u, 0) * t->entry(v, 0));
                    QVERIFY(close(probe.scalar("BALABAN"), (n - 1) * sum));
                }
            }
    }

    // Items of one graph share its fill, and items on the complement or on a changed graph
    // do not read a fill that is not theirs.
    void sharedFill()
    {
        InvariantProbe probe;
        probe.setGraphText(path(4));
        QCOMPARE(probe.scalar("WIENER"), 10.0);
        QCOMPARE(probe.scalar("WIENER", true), 10.0); // the complement of P4 is a P4
        probe.setGraphText(edges(4, {{0, 1}, {1, 2}, {1, 3}}));
        QCOMPARE(probe.scalar("DIAMETER"), 2.0);
        // The complement is a triangle and a lone vertex.
        QVERIFY(std::isnan(probe.scalar("DIAMETER", true)));
        QVERIFY(probe.compute("DIAMETER", true)->getError());
        QCOMPARE(probe.scalar("WIENER"), 9.0);
        probe.graph().addEdge(0, 3);
        QCOMPARE(probe.scalar("WIENER"), 8.0);
        QCOMPARE(probe.scalar("RADIUS"), 1.0);
    }

    // Several threads computing items of one graph read one consistent fill.
    void threadsOnOneGraph()
    {
        InvariantProbe probe;
        probe.setGraphText(named([](Graph::Row *r) { return NamedGraphs::random(r, 24, 0.2, 5); }));
        QStringList keys = distanceKeys;
        QVector<Matrix> expected;
        for (const QString &key : keys)
            expected << InvariantProbe::valueOf(probe.compute(key));
        BuildCalculus factory;
        std::atomic<int> wrong{0};
        std::vector<std::thread> runs;
        for (int t = 0; t < 4; ++t)
            runs.emplace_back([&, t] {
                for (int round = 0; round < 50; ++round) {
                    const int k = (round + t) % keys.size();
                    std::unique_ptr<Calculus> c(factory.makeCalculus(keys[k], false));
                    c->setGraph(&probe.graph());
                    c->compute(true);
                    if (!same(InvariantProbe::valueOf(c.get()), expected[k]))
                        ++wrong;
                }
            });
        for (auto &run : runs)
            run.join();
        QCOMPARE(wrong.load(), 0);
    }

    // No item gives NaN or infinity without its error flag, on every graph of up to 5
    // vertices and on their complements.
    void finiteUnlessInError()
    {
        InvariantProbe probe;
        for (int n = 0; n <= 5; ++n) {
            const int pairs = n * (n - 1) / 2;
            for (int mask = 0; mask < (1 << pairs); ++mask) {
                QString bits;
                for (int k = 0; k < pairs; ++k)
                    bits += (mask >> k) & 1 ? '1' : '0';
                probe.setGraphText(QString::number(n) + ' ' + bits);
                for (const QString &key : distanceKeys) {
                    Calculus *c = probe.compute(key);
                    if (c->getError())
                        continue;
                    for (int i = 0; i < c->getNbRows(); ++i)
                        for (int j = 0; j < c->getNbCols(); ++j)
                            QVERIFY2(std::isfinite(c->entry(i, j)) && c->entry(i, j) < inf,
                                     qPrintable(key + " on " + probe.graph().currentGraphData()));
                }
            }
        }
    }
};

QTEST_MAIN(TestDistanceItems)
#include "tst_distanceitems.moc"
