#include "FixtureReader.h"
#include "InvariantProbe.h"
#include "NamedGraphs.h"
#include "calculus/Calculus.h"

#include <QtTest>
#include <cmath>
#include <functional>

// The edge betweenness items and the vertex centralities through the item contract: the
// Part's hand values, the conventions of tiny and disconnected graphs, and the networkx
// fixtures, the layered graphs with thousands of shortest paths per source included.
namespace {
using Matrix = QVector<QVector<double>>;

bool close(double a, double b) { return InvariantProbe::close(a, b); }

Matrix square(int n, const std::function<double(int, int)> &at)
{
    Matrix m(n, QVector<double>(n));
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            m[i][j] = at(i, j);
    return m;
}
// The matrix with x on every edge of the graph and 0 elsewhere.
Matrix onEdges(const Graph::Row rows[], int n, double x)
{
    return square(n, [&](int i, int j) { return ((rows[i] >> j) & 1u) ? x : 0.0; });
}
Matrix column(const QVector<double> &v)
{
    Matrix m;
    for (double x : v)
        m.append(QVector<double>{x});
    return m;
}
const char *const matrixKeys[] = {"BETWEENNESS", "DBETW", "DBETW2"};
const char *const sumKeys[] = {"CENTRALITY", "DCENTRALITY", "DCENTRALITY2"};
} // namespace

class TestBetweennessItems : public QObject
{
    Q_OBJECT

private slots:
    void handValues_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("key");
        QTest::addColumn<Matrix>("expected");
        Graph::Row rows[Graph::MaxNodes];
        auto add = [&](const char *family, int n, const char *key, const Matrix &m) {
            QTest::newRow(qPrintable(QString("%1 %2 %3").arg(family).arg(n).arg(key))) << family << n << key << m;
        };
        NamedGraphs::path(rows, 3);
        add("path", 3, "BETWEENNESS", onEdges(rows, 3, 2.0));
        add("path", 3, "DBETW", onEdges(rows, 3, 1.5));
        add("path", 3, "DBETW2", onEdges(rows, 3, 1.25));
        add("path", 3, "NBETWEENNESS", onEdges(rows, 3, 1 / std::sqrt(2.0)));
        add("path", 3, "CENTRALITY", column({2, 4, 2}));
        add("path", 3, "DCENTRALITY", column({1.5, 3, 1.5}));
        add("path", 3, "DCENTRALITY2", column({1.25, 2.5, 1.25}));
        NamedGraphs::cycle(rows, 4);
        add("cycle", 4, "BETWEENNESS", onEdges(rows, 4, 2.0));
        add("cycle", 4, "DBETW", onEdges(rows, 4, 1.5));
        add("cycle", 4, "DBETW2", onEdges(rows, 4, 1.25));
        add("cycle", 4, "NBETWEENNESS", onEdges(rows, 4, 0.5));
        add("cycle", 4, "CENTRALITY", column({4, 4, 4, 4}));
        add("cycle", 4, "DCENTRALITY", column({3, 3, 3, 3}));
        add("cycle", 4, "DCENTRALITY2", column({2.5, 2.5, 2.5, 2.5}));
        add("star", 4, "CENTRALITY", column({9, 3, 3, 3}));
        add("star", 4, "DCENTRALITY", column({6, 2, 2, 2}));
        add("star", 4, "DCENTRALITY2", column({4.5, 1.5, 1.5, 1.5}));
        NamedGraphs::complete(rows, 6);
        for (const char *key : matrixKeys)
            add("complete", 6, key, onEdges(rows, 6, 1.0));
        add("complete", 6, "NBETWEENNESS", onEdges(rows, 6, 0.2));
        for (const char *key : sumKeys)
            add("complete", 6, key, column({5, 5, 5, 5, 5, 5}));
        // One vertex: the 1 x 1 zero, not in error (the flow normalisation would be 0 / 0).
        for (const char *key : matrixKeys)
            add("empty", 1, key, Matrix{{0.0}});
        add("empty", 1, "NBETWEENNESS", Matrix{{0.0}});
        for (const char *key : sumKeys)
            add("empty", 1, key, column({0.0}));
        // No vertex: an empty window, not in error.
        for (const char *key : matrixKeys)
            add("empty", 0, key, Matrix());
        add("empty", 0, "NBETWEENNESS", Matrix());
        for (const char *key : sumKeys)
            add("empty", 0, key, Matrix());
    }
    void handValues()
    {
        QFETCH(QString, family);
        QFETCH(int, n);
        QFETCH(QString, key);
        QFETCH(Matrix, expected);
        Graph::Row rows[Graph::MaxNodes];
        InvariantProbe probe;
        probe.setRows(rows, NamedGraphs::byName(qPrintable(family), rows, n));
        Calculus *item = probe.compute(key);
        QVERIFY(!item->getError());
        const Matrix got = InvariantProbe::valueOf(item);
        QVERIFY2(InvariantProbe::same(got, expected), qPrintable(InvariantProbe::show(got)));
        if (n == 0)
            QCOMPARE(item->getNbCols(), QString(key).contains("CENTRALITY") ? 1 : 0);
    }

    // Counting per path and splitting the flow per vertex differ where paths branch and merge.
    void perPathAndPerVertex()
    {
        Graph::Row rows[Graph::MaxNodes];
        InvariantProbe probe;
        probe.setRows(rows, NamedGraphs::fromEdges(rows, 6, {{0, 1}, {0, 2}, {1, 3}, {2, 3}, {2, 4}, {3, 5}, {4, 5}}));
        Calculus *b = probe.compute("BETWEENNESS");
        QVERIFY(close(b->entry(0, 1), 8.0 / 3));
        QVERIFY(close(b->entry(3, 2), 11.0 / 3));
        Calculus *flow = probe.compute("NBETWEENNESS");
        QVERIFY(!flow->getError());
        QVERIFY(flow->entry(0, 1) > 0.0);
        QCOMPARE(flow->entry(0, 3), 0.0);
    }

    // A disconnected graph: no value for the enumeration items and the centralities, the zero
    // matrix for the flow betweenness; all in error, and nothing of the previous graph stays.
    void disconnected_data()
    {
        QTest::addColumn<QString>("graph");
        QTest::newRow("two vertices without edge") << "2 0";
        QTest::newRow("edge and isolated vertex") << "3 100";
        QTest::newRow("two triangles") << "6 111000000100011";
    }
    void disconnected()
    {
        QFETCH(QString, graph);
        InvariantProbe probe;
        probe.setGraphText(InvariantProbe::completeGraphText(6));
        for (const char *key : {"BETWEENNESS", "DBETW", "DBETW2", "NBETWEENNESS", "CENTRALITY", "DCENTRALITY",
                                "DCENTRALITY2"})
            QVERIFY(!probe.compute(key)->getError());
        probe.setGraphText(graph);
        const int n = probe.graph().getNbNodes();
        for (const char *key : {"BETWEENNESS", "DBETW", "DBETW2", "CENTRALITY", "DCENTRALITY", "DCENTRALITY2"}) {
            Calculus *item = probe.compute(key);
            QVERIFY2(item->getError(), key);
            QCOMPARE(item->getNbRows(), 0);
            QCOMPARE(item->getNbCols(), 0);
        }
        Calculus *flow = probe.compute("NBETWEENNESS");
        QVERIFY(flow->getError());
        QVERIFY(InvariantProbe::same(InvariantProbe::valueOf(flow), square(n, [](int, int) { return 0.0; })));
    }

    void fixtures_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("every graph up to 7 vertices") << "invariants_small.txt";
        QTest::newRow("seeded random graphs") << "invariants_random.txt";
        QTest::newRow("layered graphs on 19 and 31 vertices") << "invariants_layered.txt";
    }
    // Edge matrices against networkx's unnormalised edge betweenness and the listed shortest
    // paths; vertex sums against 2 x vertex betweenness + n - 1; totals against the Wiener and
    // Harary indices; and on trees, where the flow splits as the paths do, the flow matrix
    // against the betweenness divided by the geometric mean of the vertex sums.
    void fixtures()
    {
        QFETCH(QString, file);
        const QVector<FixtureReader::Entry> entries = FixtureReader::read(file);
        QVERIFY(!entries.isEmpty());
        InvariantProbe probe;
        int matrices = 0;
        int trees = 0;
        for (const FixtureReader::Entry &e : entries) {
            probe.setGraphText(e.text);
            const int n = e.n;
            if (!e.connected())
                continue;
            const QString where = " on " + e.text.left(60);
            for (int k = 0; k < 3; ++k) {
                Calculus *m = probe.compute(matrixKeys[k]);
                Calculus *s = probe.compute(sumKeys[k]);
                QVERIFY2(!m->getError() && !s->getError(), qPrintable(matrixKeys[k] + where));
                QCOMPARE(m->getNbRows(), n);
                QCOMPARE(m->getNbCols(), n);
                QCOMPARE(s->getNbCols(), 1);
                if (e.has(matrixKeys[k])) {
                    ++matrices;
                    for (int i = 0; i < n; ++i)
                        for (int j = 0; j < n; ++j)
                            QVERIFY2(close(m->entry(i, j), e.matrix(matrixKeys[k], i, j)),
                                     qPrintable(QString("%1 (%2, %3)").arg(matrixKeys[k]).arg(i).arg(j) + where));
                }
                double total = 0.0;
                for (int v = 0; v < n; ++v) {
                    QVERIFY2(close(s->entry(v, 0), e.vector(sumKeys[k])[v]), qPrintable(sumKeys[k] + where));
                    total += s->entry(v, 0);
                }
                const double expected[] = {2 * e.scalar("WIENER"), double(n * (n - 1)), 2 * e.scalar("HARARY")};
                QVERIFY2(close(total, expected[k]), qPrintable(QString("total of ") + sumKeys[k] + where));
            }
            Calculus *flow = probe.compute("NBETWEENNESS");
            QVERIFY(!flow->getError());
            const QVector<double> centrality = e.vector("CENTRALITY");
            const bool tree = e.scalar("SIZE") == n - 1;
            trees += tree && e.has("BETWEENNESS") && n > 1;
            for (int i = 0; i < n; ++i)
                for (int j = 0; j < n; ++j) {
                    const double x = flow->entry(i, j);
                    const bool edge = (e.rows[i] >> j) & 1u;
                    QVERIFY2(std::isfinite(x) && x == flow->entry(j, i) && (edge ? x > 0.0 : x == 0.0),
                             qPrintable("NBETWEENNESS" + where));
                    if (tree && edge && e.has("BETWEENNESS"))
                        QVERIFY2(close(x, e.matrix("BETWEENNESS", i, j) / std::sqrt(centrality[i] * centrality[j])),
                                 qPrintable("NBETWEENNESS on a tree" + where));
                }
        }
        QVERIFY(matrices > 0);
        if (file == "invariants_small.txt")
            QVERIFY(trees > 10);
    }
};

QTEST_MAIN(TestBetweennessItems)
#include "tst_betweennessitems.moc"
