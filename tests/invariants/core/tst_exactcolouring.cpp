#include "BruteForce.h"
#include "FixtureReader.h"
#include "NamedGraphs.h"
#include "invariants/core/ExactColouring.h"

#include <QtTest>

namespace {
// The backtracking search exactly as the item's documentation states it, step by step on a
// plain adjacency matrix, run to its natural end: the reference for which colouring is kept.
struct ReferenceColouring {
    int n = 0;
    bool adj[32][32] = {};
    int order[32] = {};
    int colour[32] = {};
    int flag[32] = {};
    int result[32] = {};
    int best = 0;
    int firstFit = 0;

    int smallest(int v, int above)
    {
        for (int c = above + 1;; ++c) {
            bool used = false;
            for (int w = 0; w < n; ++w)
                if (adj[v][w] && colour[w] == c)
                    used = true;
            if (!used)
                return c;
        }
    }

    void run(const Graph::Row rows[Graph::MaxNodes], int count)
    {
        n = count;
        int work[32][32];
        int degree[32];
        for (int i = 0; i < n; ++i) {
            degree[i] = 0;
            for (int j = 0; j < n; ++j) {
                adj[i][j] = (rows[i] >> j) & 1;
                work[i][j] = adj[i][j];
                degree[i] += adj[i][j];
            }
            colour[i] = 0;
            flag[i] = 0;
        }
        for (int d = 1, placed = 0; placed < n;) {
            bool any = false;
            for (int i = 0; i < n; ++i)
                if (degree[i] <= d) {
                    for (int j = 0; j < n; ++j)
                        if (work[i][j]) {
                            work[i][j] = work[j][i] = 0;
                            --degree[j];
                        }
                    degree[i] = n;
                    order[n - 1 - placed++] = i;
                    any = true;
                }
            if (!any)
                ++d;
        }
        best = 0;
        for (int k = 0; k < n; ++k) {
            const int c = smallest(order[k], 0);
            colour[order[k]] = result[order[k]] = c;
            flag[k] = c > best;
            best = std::max(best, c);
        }
        firstFit = best; // colours of the first-fit start
        for (;;) {
            int p = 0;
            for (int flags = 0; flags < best; ++p)
                flags += flag[p];
            int k = p - 1;
            while (k != 0 && !(flag[k] == 0 && colour[order[k]] < best))
                --k;
            for (int r = k + 1; r < n; ++r)
                colour[order[r]] = flag[r] = 0;
            if (k == 0)
                return;
            int open = 0;
            for (int r = 0; r < n; ++r)
                open += flag[r];
            int x = order[k];
            int c = smallest(x, colour[x]);
            if (c > open) {
                flag[k] = 1;
                open = c;
            }
            colour[x] = c;
            if (c >= best)
                continue;
            for (int r = k + 1;; ++r) {
                x = order[r];
                c = smallest(x, 0);
                if (c > open) {
                    flag[r] = 1;
                    open = c;
                }
                colour[x] = c;
                if (r == n - 1) {
                    if (open < best) {
                        best = open;
                        for (int v = 0; v < n; ++v)
                            result[v] = colour[v];
                    }
                    break;
                }
                if (c >= best)
                    break;
            }
        }
    }
};

void verifyProper(const Graph::Row rows[Graph::MaxNodes], int n, const ExactColouring &colouring)
{
    for (int v = 0; v < n; ++v) {
        QVERIFY(colouring.colour(v) >= 1 && colouring.colour(v) <= colouring.colours());
        for (int w = 0; w < n; ++w)
            if ((rows[v] >> w) & 1)
                QVERIFY(colouring.colour(v) != colouring.colour(w));
    }
}
} // namespace

class TestExactColouring : public QObject
{
    Q_OBJECT

private slots:
    void fixtures_data();
    void fixtures();
    void smallGraphs();
    void sameColouringAsTheFullSearch();
    void families_data();
    void families();
    void handColourings();
};

void TestExactColouring::fixtures_data()
{
    FixtureReader::addFileRows();
}

void TestExactColouring::fixtures()
{
    QFETCH(QString, file);
    const auto entries = FixtureReader::read(file);
    QVERIFY(!entries.isEmpty());
    for (const auto &e : entries) {
        if (!e.has("CHROMATIC"))
            continue;
        ExactColouring colouring;
        QVERIFY2(colouring.compute(e.rows, e.n) == int(e.scalar("CHROMATIC")), qPrintable(e.text));
        QVERIFY2(ExactColouring::chromaticNumber(e.rows, e.n) == int(e.scalar("CHROMATIC")), qPrintable(e.text));
        verifyProper(e.rows, e.n, colouring);
    }
}

// Against every colouring with fewer colours, and against the full search's choice.
void TestExactColouring::smallGraphs()
{
    for (const auto &e : FixtureReader::read("invariants_small.txt")) {
        ExactColouring colouring;
        const int chromatic = BruteForce::chromaticNumber(e.rows, e.n);
        QVERIFY2(colouring.compute(e.rows, e.n) == chromatic, qPrintable(e.text));
        QVERIFY2(ExactColouring::chromaticNumber(e.rows, e.n) == chromatic, qPrintable(e.text));
        ReferenceColouring reference;
        reference.run(e.rows, e.n);
        for (int v = 0; v < e.n; ++v)
            QVERIFY2(colouring.colour(v) == reference.result[v], qPrintable(e.text));
    }
}

// The walk bounded by the chromatic number, with its forward checks, keeps the colouring that
// the full search ends with; the larger graphs have several dead ends before it.
void TestExactColouring::sameColouringAsTheFullSearch()
{
    Graph::Row rows[Graph::MaxNodes];
    int improved = 0;
    for (unsigned seed = 1; seed <= 180; ++seed) {
        const int n = seed <= 60 ? NamedGraphs::random(rows, 8 + seed % 9, 0.2 + 0.01 * seed, seed)
                                 : NamedGraphs::random(rows, 20 + seed % 9, 0.3 + 0.004 * (seed - 60), seed);
        ExactColouring colouring;
        ReferenceColouring reference;
        reference.run(rows, n);
        QCOMPARE(colouring.compute(rows, n), reference.best);
        for (int v = 0; v < n; ++v)
            QCOMPARE(colouring.colour(v), reference.result[v]);
        improved += reference.firstFit > reference.best;
    }
    // Most of the larger graphs need the search beyond the first fit.
    QVERIFY(improved >= 60);
}

void TestExactColouring::families_data()
{
    QTest::addColumn<QString>("graph");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("expected");
    for (int n : {2, 3, 7, 16, 31, 32}) {
        QTest::addRow("K%d", n) << "complete" << n << n;
        QTest::addRow("P%d", n) << "path" << n << 2;
        QTest::addRow("edgeless %d", n) << "empty" << n << 1;
        QTest::addRow("star %d", n) << "star" << n << 2;
        if (n >= 3)
            QTest::addRow("C%d", n) << "cycle" << n << (n % 2 ? 3 : 2);
    }
    QTest::newRow("Petersen") << "petersen" << 10 << 3;
    QTest::newRow("K16,16") << "bipartite" << 32 << 2;
}

void TestExactColouring::families()
{
    QFETCH(QString, graph);
    QFETCH(int, n);
    QFETCH(int, expected);
    Graph::Row rows[Graph::MaxNodes];
    QVERIFY(NamedGraphs::byName(qPrintable(graph), rows, n) == n);
    ExactColouring colouring;
    QCOMPARE(colouring.compute(rows, n), expected);
    QCOMPARE(ExactColouring::chromaticNumber(rows, n), expected);
    verifyProper(rows, n, colouring);
}

void TestExactColouring::handColourings()
{
    Graph::Row rows[Graph::MaxNodes];
    ExactColouring colouring;
    // One edge: the peeling puts vertex 1 first, so it takes colour 1.
    QCOMPARE(colouring.compute(rows, NamedGraphs::complete(rows, 2)), 2);
    QCOMPARE(colouring.colour(1), 1);
    QCOMPARE(colouring.colour(0), 2);
    QCOMPARE(colouring.compute(rows, NamedGraphs::empty(rows, 2)), 1);
    QCOMPARE(colouring.colour(0), 1);
    QCOMPARE(colouring.colour(1), 1);
    QCOMPARE(colouring.compute(rows, NamedGraphs::empty(rows, 1)), 1);
    QCOMPARE(colouring.compute(rows, NamedGraphs::empty(rows, 0)), 0);
    // Bits of vertices beyond n are not vertices.
    NamedGraphs::complete(rows, 6);
    QCOMPARE(colouring.compute(rows, 3), 3);
    QCOMPARE(ExactColouring::chromaticNumber(rows, 3), 3);
}

QTEST_GUILESS_MAIN(TestExactColouring)
#include "tst_exactcolouring.moc"
