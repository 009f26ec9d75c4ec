#include "FixtureReader.h"
#include "InvariantProbe.h"
#include "calculus/Calculus.h"
#include "graph/Graph.h"

#include <QtTest>
#include <cmath>

// The distance items, the distance indices, the girth and the highlight items against the
// values that networkx and igraph give for every graph of the fixture files.
namespace {
enum Kind { Scalar, Vector, Matrix };

struct Checked {
    const char *key;
    Kind kind;
};

// The fixture holds these for connected graphs only (DISTANCES also for disconnected ones,
// up to its size limit).
const Checked connectedKeys[] = {
    {"DISTANCES", Matrix},  {"ECCENTRICITY", Vector}, {"DIAMETER", Scalar}, {"RADIUS", Scalar},
    {"WIENER", Scalar},     {"HARARY", Scalar},       {"TRANSMISSION", Vector}, {"AVDIST", Scalar},
    {"CLOSENESS", Vector},  {"HARMONIC", Vector},     {"SUMDISTP", Vector}, {"DISTCLOSESTLEAF", Vector},
    {"BALABAN", Scalar},    {"SZEGED", Scalar},
};

// The first difference between the value window and the expected entries, or "".
QString difference(Calculus *c, Kind kind, int n, const QVector<double> &expected)
{
    const int rows = kind == Scalar ? 1 : n;
    const int cols = kind == Matrix ? n : 1;
    if (c->getNbRows() != rows || c->getNbCols() != cols)
        return QString("shape %1 x %2").arg(c->getNbRows()).arg(c->getNbCols());
    if (expected.size() != rows * cols)
        return QString("fixture holds %1 values").arg(expected.size());
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < cols; ++j) {
            const double want = expected[i * cols + j];
            const double got = c->entry(i, j);
            if (!(std::fabs(got - want) <= 1e-9 * std::max(1.0, std::fabs(want))))
                return QString("entry (%1, %2) is %3, expected %4").arg(i).arg(j).arg(got, 0, 'g', 12).arg(want, 0, 'g', 12);
        }
    return QString();
}

// The marked edges of a highlight item as symmetric rows; "" when the marks are edges of
// the graph and symmetric, else what is wrong.
QString marks(Calculus *c, const FixtureReader::Entry &e, Graph::Row out[Graph::MaxNodes])
{
    const int n = e.n;
    if (c->getNbRows() != n || c->getNbCols() != n)
        return "shape";
    for (int i = 0; i < n; ++i) {
        out[i] = 0;
        for (int j = 0; j < n; ++j) {
            const double x = c->entry(i, j);
            if (x != 0.0 && x != 1.0)
                return "entry neither 0 nor 1";
            if (x != c->entry(j, i))
                return "not symmetric";
            if (x == 1.0) {
                if (!((e.rows[i] >> j) & 1u))
                    return QString("(%1, %2) marked but not an edge").arg(i).arg(j);
                out[i] |= adjacency::bit(j);
            }
        }
    }
    return QString();
}

int markedEdges(const Graph::Row rows[], int n)
{
    int twice = 0;
    for (int v = 0; v < n; ++v)
        twice += adjacency::popcount(rows[v]);
    return twice / 2;
}

// True when the marked edges form one cycle of the given length.
bool isCycle(const Graph::Row rows[], int n, int length)
{
    int first = -1;
    int onCycle = 0;
    for (int v = 0; v < n; ++v) {
        const int d = adjacency::popcount(rows[v]);
        if (d != 0 && d != 2)
            return false;
        if (d == 2) {
            ++onCycle;
            if (first < 0)
                first = v;
        }
    }
    if (onCycle != length || markedEdges(rows, n) != length || first < 0)
        return false;
    // Walk around from the first vertex: one cycle visits all of them.
    int previous = -1, at = first, steps = 0;
    do {
        Graph::Row next = rows[at] & ~(previous >= 0 ? adjacency::bit(previous) : 0);
        previous = at;
        at = adjacency::lowest(next);
        ++steps;
    } while (at != first && steps <= n);
    return steps == length;
}

// True when the marked edges form a path of the given length whose ends are that far apart.
bool isPathBetweenFarEnds(const Graph::Row rows[], int n, int length, const QVector<double> &distances)
{
    QVector<int> ends;
    for (int v = 0; v < n; ++v) {
        const int d = adjacency::popcount(rows[v]);
        if (d > 2)
            return false;
        if (d == 1)
            ends << v;
    }
    if (length == 0)
        return markedEdges(rows, n) == 0;
    return ends.size() == 2 && markedEdges(rows, n) == length && distances[ends[0] * n + ends[1]] == length;
}
} // namespace

class TestDistanceFixtures : public QObject
{
    Q_OBJECT

private slots:
    void fixtureGraphs_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("minimum");
        QTest::newRow("every graph up to 7 vertices") << "invariants_small.txt" << 1000;
        QTest::newRow("seeded random graphs, 7 to 32 vertices") << "invariants_random.txt" << 100;
    }
    void fixtureGraphs()
    {
        QFETCH(QString, file);
        QFETCH(int, minimum);
        const QVector<FixtureReader::Entry> entries = FixtureReader::read(file);
        QVERIFY(entries.size() >= minimum);
        InvariantProbe probe;
        int compared = 0;
        int disconnected = 0;
        for (const FixtureReader::Entry &e : entries) {
            probe.setGraphText(e.text);
            const QString where = " on " + e.text + ": ";
            for (const Checked &k : connectedKeys) {
                Calculus *c = probe.compute(k.key);
                // Every distance item reports a disconnected graph by its error flag.
                QVERIFY2(c->getError() != e.connected() || QString(k.key) == "DISTCLOSESTLEAF",
                         qPrintable(k.key + where + "error flag"));
                if (!e.has(k.key))
                    continue;
                const QString diff = difference(c, k.kind, e.n, e.vector(k.key));
                QVERIFY2(diff.isEmpty(), qPrintable(k.key + where + diff));
                ++compared;
            }
            // Connected with a leaf, or no value.
            Calculus *leaf = probe.compute("DISTCLOSESTLEAF");
            QCOMPARE(leaf->getError(), !e.has("DISTCLOSESTLEAF"));
            if (!e.connected())
                ++disconnected;

            // Girth: 1e12 without a cycle; the error flag without a cycle or when disconnected.
            const double girth = e.scalar("GIRTH");
            Calculus *g = probe.compute("GIRTH");
            QVERIFY2(difference(g, Scalar, e.n, {girth}).isEmpty(), qPrintable("GIRTH" + where));
            QCOMPARE(g->getError(), girth >= 1e12 || !e.connected());

            // The marked cycle is a shortest cycle; the marked path a diameter path.
            Graph::Row marked[Graph::MaxNodes];
            Calculus *inGirth = probe.compute("INGIRTH");
            QString bad = marks(inGirth, e, marked);
            QVERIFY2(bad.isEmpty(), qPrintable("INGIRTH" + where + bad));
            QVERIFY2(girth >= 1e12 ? markedEdges(marked, e.n) == 0 : isCycle(marked, e.n, int(girth)),
                     qPrintable("INGIRTH" + where + "not a shortest cycle"));
            QCOMPARE(inGirth->getError(), girth >= 1e12 || !e.connected());
            Calculus *inDiameter = probe.compute("INDIAMETER");
            if (!e.connected()) {
                QVERIFY(inDiameter->getError() && inDiameter->getNbRows() == 0);
            } else if (e.has("DISTANCES")) {
                bad = marks(inDiameter, e, marked);
                QVERIFY2(bad.isEmpty(), qPrintable("INDIAMETER" + where + bad));
                QVERIFY2(isPathBetweenFarEnds(marked, e.n, int(e.scalar("DIAMETER")), e.vector("DISTANCES")),
                         qPrintable("INDIAMETER" + where + "not a diameter path"));
            }
        }
        QVERIFY(compared > minimum * 8);
        QVERIFY(disconnected > 0);
    }
};

QTEST_MAIN(TestDistanceFixtures)
#include "tst_distancefixtures.moc"
