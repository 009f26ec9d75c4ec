#include "BruteForce.h"
#include "FixtureReader.h"
#include "InvariantProbe.h"
#include "NamedGraphs.h"
#include "calculus/Calculus.h"

#include <QtTest>

// The items of the exact searches through the item contract: vertex connectivity, colouring,
// stable sets, cliques and domination, against the networkx / igraph / MILP fixtures and plain
// brute force, on named graphs with known values, and on the Part's hand-checked first sets.
namespace {
using Row = Graph::Row;
using Matrix = QVector<QVector<double>>;

Row membership(Calculus *item)
{
    Row set = 0;
    for (int v = 0; v < item->getNbRows(); ++v)
        if (item->entry(v, 0) == 1.0)
            set |= adjacency::bit(v);
        else if (item->entry(v, 0) != 0.0)
            return ~Row(0);
    return set;
}
Row setOf(std::initializer_list<int> vertices)
{
    Row set = 0;
    for (int v : vertices)
        set |= adjacency::bit(v);
    return set;
}
// The clique that an edge highlight matrix marks (every vertex with a marked pair), after
// checking that the matrix is symmetric, 0/1 and marks exactly the pairs of that set.
Row highlighted(Calculus *item)
{
    const int n = item->getNbRows();
    Row set = 0;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            if (item->entry(i, j) == 1.0)
                set |= adjacency::bit(i);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            const bool marked = i != j && ((set >> i) & (set >> j) & 1u);
            if (item->entry(i, j) != (marked ? 1.0 : 0.0))
                return ~Row(0);
        }
    return set;
}
bool properColouring(Calculus *item, const Row rows[], int n, int colours)
{
    for (int v = 0; v < n; ++v) {
        const double c = item->entry(v, 0);
        if (c < 1 || c > colours || c != int(c))
            return false;
        for (int w = 0; w < n; ++w)
            if (((rows[v] >> w) & 1u) && item->entry(w, 0) == c)
                return false;
    }
    return true;
}
QString bits(Row set, int n)
{
    QString s;
    for (int v = 0; v < n; ++v)
        s += ((set >> v) & 1u) ? '1' : '0';
    return s;
}
} // namespace

class TestExactSearchItems : public QObject
{
    Q_OBJECT

private slots:
    void fixtures_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("every graph up to 7 vertices") << "invariants_small.txt";
        QTest::newRow("seeded random graphs") << "invariants_random.txt";
        QTest::newRow("layered graphs") << "invariants_layered.txt";
    }
    // NCONN against networkx / igraph node connectivity; stability and clique numbers and
    // their first sets against igraph; the chromatic and domination numbers and the first
    // minimum dominating set against the MILP answers. The marked sets are what they claim.
    void fixtures()
    {
        QFETCH(QString, file);
        const QVector<FixtureReader::Entry> entries = FixtureReader::read(file);
        QVERIFY(!entries.isEmpty());
        InvariantProbe probe;
        for (const FixtureReader::Entry &e : entries) {
            probe.setGraphText(e.text);
            const int n = e.n;
            const QString where = " on " + e.text.left(60);
            if (e.has("NCONN"))
                QVERIFY2(probe.scalar("NCONN") == e.scalar("NCONN"), qPrintable("NCONN" + where));
            if (e.has("CHROMATIC")) {
                const double chi = e.scalar("CHROMATIC");
                QVERIFY2(probe.scalar("CHROMATIC") == chi, qPrintable("CHROMATIC" + where));
                Calculus *colours = probe.compute("CHROMATICVAL");
                QVERIFY(!colours->getError() && colours->getNbRows() == n);
                QVERIFY2(properColouring(colours, e.rows, n, int(chi)), qPrintable("CHROMATICVAL" + where));
            }
            const struct {
                const char *size;
                const char *members;
                std::function<bool(Row)> holds;
            } searches[] = {
                {"STABLEMAX", "INSTABLEMAX", [&](Row s) { return BruteForce::isStable(e.rows, s); }},
                {"CLIQMAX", "INCLIQMAX", [&](Row s) { return BruteForce::isClique(e.rows, s); }},
                {"DOMINATION", "INDOMINATION", [&](Row s) { return BruteForce::dominates(e.rows, n, s); }},
            };
            for (const auto &s : searches) {
                const double size = probe.scalar(s.size);
                QVERIFY2(size == e.scalar(s.size), qPrintable(s.size + where));
                const Row set = membership(probe.compute(s.members));
                QVERIFY2(set != ~Row(0) && s.holds(set) && adjacency::popcount(set) == size,
                         qPrintable(s.members + where));
                QVector<double> expected;
                for (int v = 0; v < n; ++v)
                    expected << double((set >> v) & 1u);
                QVERIFY2(expected == e.vector(s.members), qPrintable(s.members + where + ": " + bits(set, n)));
            }
            const Row clique = membership(probe.compute("INCLIQMAX"));
            QCOMPARE(highlighted(probe.compute("EINCLIQMAX")), adjacency::popcount(clique) > 1 ? clique : Row(0));
        }
    }

    // Brute force on every graph up to 7 vertices: the smallest k with a proper k-colouring,
    // the first minimum dominating set in lexicographic order.
    void bruteForceUpToSeven()
    {
        const QVector<FixtureReader::Entry> entries = FixtureReader::read("invariants_small.txt");
        QVERIFY(entries.size() > 1000);
        InvariantProbe probe;
        for (const FixtureReader::Entry &e : entries) {
            probe.setGraphText(e.text);
            if (e.n >= 2)
                QVERIFY2(probe.scalar("CHROMATIC") == BruteForce::chromaticNumber(e.rows, e.n), qPrintable(e.text));
            const Row first = BruteForce::firstMinimumDominating(e.rows, e.n);
            QVERIFY2(probe.scalar("DOMINATION") == adjacency::popcount(first), qPrintable(e.text));
            QVERIFY2(membership(probe.compute("INDOMINATION")) == first, qPrintable(e.text));
        }
    }

    void namedGraphs_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("chi");
        QTest::addColumn<int>("gamma");
        QTest::addColumn<int>("kappa");
        QTest::addColumn<int>("alpha");
        QTest::addColumn<int>("omega");
        QTest::newRow("Petersen") << "petersen" << 10 << 3 << 3 << 3 << 4 << 2;
        for (int n : {3, 4, 5, 7, 10, 17, 31, 32})
            QTest::newRow(qPrintable(QString("C%1").arg(n)))
                << "cycle" << n << (n % 2 ? 3 : 2) << (n + 2) / 3 << 2 << n / 2 << (n == 3 ? 3 : 2);
        for (int n : {2, 3, 4, 7, 11, 16, 29, 32})
            QTest::newRow(qPrintable(QString("P%1").arg(n))) << "path" << n << 2 << (n + 2) / 3 << 1 << (n + 1) / 2 << 2;
        for (int n : {2, 5, 9, 32})
            QTest::newRow(qPrintable(QString("K%1").arg(n))) << "complete" << n << n << 1 << n - 1 << 1 << n;
        QTest::newRow("K1,31") << "star" << 32 << 2 << 1 << 1 << 31 << 2;
        QTest::newRow("edgeless 32") << "empty" << 32 << 1 << 32 << 0 << 32 << 1;
        QTest::newRow("K16,16") << "bipartite" << 32 << 2 << 2 << 16 << 16 << 2;
    }
    void namedGraphs()
    {
        QFETCH(QString, family);
        QFETCH(int, n);
        QFETCH(int, chi);
        QFETCH(int, gamma);
        QFETCH(int, kappa);
        QFETCH(int, alpha);
        QFETCH(int, omega);
        Graph::Row rows[Graph::MaxNodes];
        InvariantProbe probe;
        QCOMPARE(NamedGraphs::byName(qPrintable(family), rows, n), n);
        probe.setRows(rows, n);
        QCOMPARE(probe.scalar("CHROMATIC"), double(chi));
        QVERIFY(properColouring(probe.compute("CHROMATICVAL"), rows, n, chi));
        QCOMPARE(probe.scalar("DOMINATION"), double(gamma));
        QCOMPARE(probe.scalar("NCONN"), double(kappa));
        QCOMPARE(probe.scalar("STABLEMAX"), double(alpha));
        QCOMPARE(probe.scalar("CLIQMAX"), double(omega));
        QCOMPARE(adjacency::popcount(membership(probe.compute("INDOMINATION"))), gamma);
        QCOMPARE(adjacency::popcount(membership(probe.compute("INSTABLEMAX"))), alpha);
        QCOMPARE(adjacency::popcount(highlighted(probe.compute("EINCLIQMAX"))), omega > 1 ? omega : 0);
    }

    // The first sets of the Part's hand-checked cases, and its colourings.
    void firstSets_data()
    {
        QTest::addColumn<QString>("graph");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("marked");
        auto add = [](const char *name, const char *graph, const char *key, const char *marked) {
            QTest::newRow(qPrintable(QString(name) + " " + key)) << graph << key << marked;
        };
        add("C5", "5 1010011001", "INSTABLEMAX", "10100");
        add("C5", "5 1010011001", "INCLIQMAX", "11000");
        add("two adjacent", "2 1", "INSTABLEMAX", "10");
        add("two adjacent", "2 1", "INCLIQMAX", "11");
        add("two apart", "2 0", "INSTABLEMAX", "11");
        add("two apart", "2 0", "INCLIQMAX", "10");
        add("K4", "4 111111", "INSTABLEMAX", "1000");
        add("K4", "4 111111", "INCLIQMAX", "1111");
        add("K4", "4 111111", "INDOMINATION", "1000");
        add("one vertex", "1 ", "INSTABLEMAX", "1");
        add("one vertex", "1 ", "INCLIQMAX", "1");
        add("one vertex", "1 ", "INDOMINATION", "1");
        add("star, centre 0", "4 110100", "INDOMINATION", "1000");
        add("P3", "3 101", "INDOMINATION", "010");
        add("P4", "4 101001", "INDOMINATION", "1010");
        add("2K2", "4 100001", "INDOMINATION", "1010");
        add("edgeless", "4 000000", "INDOMINATION", "1111");
        add("edgeless", "4 000000", "INSTABLEMAX", "1111");
        // Triangle 0-1-2 with a pendant 3 at 2 and a pendant 4 at 3: the first maximum stable
        // set is {0, 3}; {1, 3}, {0, 4}, ... come later. The first dominating pair is {0, 3}.
        add("triangle with tail", "5 1110010001", "INSTABLEMAX", "10010");
        add("triangle with tail", "5 1110010001", "INDOMINATION", "10010");
        add("two apart", "2 0", "CHROMATICVAL", "11");
        add("two adjacent", "2 1", "CHROMATICVAL", "21");
    }
    void firstSets()
    {
        QFETCH(QString, graph);
        QFETCH(QString, key);
        QFETCH(QString, marked);
        InvariantProbe probe;
        probe.setGraphText(graph);
        Calculus *item = probe.compute(key);
        QVERIFY(!item->getError());
        QCOMPARE(item->getNbCols(), 1);
        QString got;
        for (int v = 0; v < item->getNbRows(); ++v)
            got += QString::number(item->entry(v, 0));
        QCOMPARE(got, marked);
    }

    void cliqueEdges()
    {
        InvariantProbe probe;
        probe.setGraphText("2 1");
        QCOMPARE(InvariantProbe::valueOf(probe.compute("EINCLIQMAX")), (Matrix{{0, 1}, {1, 0}}));
        probe.setGraphText("2 0");
        QCOMPARE(InvariantProbe::valueOf(probe.compute("EINCLIQMAX")), (Matrix{{0, 0}, {0, 0}}));
        probe.setGraphText("1 ");
        QCOMPARE(InvariantProbe::valueOf(probe.compute("EINCLIQMAX")), (Matrix{{0}}));
        // Two triangles joined by an edge: the first one is marked.
        probe.setGraph(6, {{0, 1}, {0, 2}, {1, 2}, {2, 3}, {3, 4}, {3, 5}, {4, 5}});
        QCOMPARE(highlighted(probe.compute("EINCLIQMAX")), setOf({0, 1, 2}));
    }

    // No vertex and one vertex: NCONN is n - 1; colouring needs two vertices; the sets are
    // empty or {0}; the domination number of the graph without vertices is 0.
    void tinyGraphs_data()
    {
        QTest::addColumn<QString>("graph");
        QTest::addColumn<QString>("key");
        QTest::addColumn<Matrix>("expected");
        QTest::addColumn<bool>("error");
        const Matrix noRows(0, QVector<double>(1));
        auto add = [](const char *graph, const char *key, const Matrix &m, bool error) {
            QTest::newRow(qPrintable(QString("n=%1 %2").arg(graph[0]).arg(key))) << graph << key << m << error;
        };
        add("0 ", "NCONN", Matrix{{-1}}, false);
        add("1 ", "NCONN", Matrix{{0}}, false);
        add("2 0", "NCONN", Matrix{{0}}, false);
        add("2 1", "NCONN", Matrix{{1}}, false);
        for (const char *key : {"CHROMATIC", "CHROMATICVAL"}) {
            add("0 ", key, Matrix(), true);
            add("1 ", key, Matrix(), true);
        }
        add("0 ", "STABLEMAX", Matrix{{0}}, false);
        add("0 ", "CLIQMAX", Matrix{{0}}, false);
        add("0 ", "DOMINATION", Matrix{{0}}, false);
        add("0 ", "INSTABLEMAX", noRows, false);
        add("0 ", "INCLIQMAX", noRows, false);
        add("0 ", "INDOMINATION", noRows, false);
        add("0 ", "EINCLIQMAX", Matrix(), false);
        add("1 ", "STABLEMAX", Matrix{{1}}, false);
        add("1 ", "CLIQMAX", Matrix{{1}}, false);
        add("1 ", "DOMINATION", Matrix{{1}}, false);
    }
    void tinyGraphs()
    {
        QFETCH(QString, graph);
        QFETCH(QString, key);
        QFETCH(Matrix, expected);
        QFETCH(bool, error);
        InvariantProbe probe;
        // An earlier value must not survive into the tiny graph.
        probe.setGraphText(InvariantProbe::completeGraphText(5));
        probe.compute(key);
        probe.setGraphText(graph);
        Calculus *item = probe.compute(key);
        QCOMPARE(item->getError(), error);
        QCOMPARE(InvariantProbe::valueOf(item), expected);
        // The vectors keep their column without rows.
        if (graph == "0 " && !error)
            QCOMPARE(item->getNbCols(), key.startsWith("IN") ? 1 : key == "EINCLIQMAX" ? 0 : 1);
    }
};

QTEST_MAIN(TestExactSearchItems)
#include "tst_exactsearchitems.moc"
