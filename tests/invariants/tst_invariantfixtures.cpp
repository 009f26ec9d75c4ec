#include "FixtureReader.h"
#include "InvariantProbe.h"
#include "calculus/Calculus.h"
#include "graph/Graph.h"

#include <QtTest>
#include <cmath>

namespace {
enum Kind { Scalar, Vector, Matrix };

struct Checked {
    const char *key;
    Kind kind;
};

// The invariants whose values the fixture files hold (computed by networkx, igraph and numpy).
const Checked fixtureKeys[] = {
    {"LAPLACIAN", Matrix}, {"SLLAPLACIAN", Matrix}, {"NLAPLACIAN", Matrix}, {"MODULARITY", Matrix},
    {"COMNEIGH", Matrix},  {"SIZE", Scalar},        {"DEGREES", Vector},    {"DEGMAX", Scalar},
    {"DEGMIN", Scalar},    {"PENDING", Scalar},     {"KCHERRIES", Vector},  {"PLATT", Scalar},
    {"RANDIC", Scalar},    {"ZAGREBM1", Scalar},    {"ZAGREBM2", Scalar},   {"CLAWS", Scalar},
    {"TRIANGLES", Scalar}, {"K4", Scalar},          {"ENERGY", Scalar},     {"KIRCHHOFF", Scalar},
};

// Jacobi rotations stop at off-diagonal entries near 1e-6, so spectral values carry a small
// error that grows with the size of the value; everything else is exact or one rounding away.
double tolerance(const QString &key, double expected)
{
    const bool spectral = key == "ENERGY" || key == "KIRCHHOFF";
    return (spectral ? 1e-6 : 1e-9) * std::max(1.0, std::fabs(expected));
}

// The first difference between an item's value and the expected entries, or "".
QString difference(Calculus *c, const QString &key, Kind kind, int n, const QVector<double> &expected)
{
    const int rows = kind == Scalar ? 1 : n;
    const int cols = kind == Matrix ? n : 1;
    if (c->getError())
        return "error flag set";
    if (c->getNbRows() != rows || c->getNbCols() != cols)
        return QString("shape %1 x %2").arg(c->getNbRows()).arg(c->getNbCols());
    if (expected.size() != rows * cols)
        return QString("fixture holds %1 values").arg(expected.size());
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < cols; ++j) {
            const double want = expected[i * cols + j];
            const double got = c->entry(i, j);
            if (!(std::fabs(got - want) <= tolerance(key, want)))
                return QString("entry (%1, %2) is %3, expected %4").arg(i).arg(j).arg(got, 0, 'g', 12).arg(want, 0, 'g', 12);
        }
    return QString();
}

// The invariants that read nothing but the vertex count and the adjacency itself, against the
// fixture's own reading of the graph text.
QString structuralDifference(InvariantProbe &probe, const FixtureReader::Entry &e)
{
    const int n = e.n;
    if (probe.scalar("ORDER") != n)
        return "ORDER";
    struct Expect {
        const char *key;
        int cols;
        std::function<double(int, int)> at;
    };
    const Expect expects[] = {
        {"ADJACENCY", n, [&](int i, int j) { return double((e.rows[i] >> j) & 1u); }},
        {"IDENTITY", n, [](int i, int j) { return i == j ? 1.0 : 0.0; }},
        {"ONEMAT", n, [](int, int) { return 1.0; }},
        {"ONEVEC", 1, [](int, int) { return 1.0; }},
        {"NUMERO", 1, [](int i, int) { return i + 1.0; }},
    };
    for (const Expect &x : expects) {
        Calculus *c = probe.compute(x.key);
        if (c->getError() || c->getNbRows() != n || c->getNbCols() != x.cols)
            return QString(x.key) + " shape or error";
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < x.cols; ++j)
                if (c->entry(i, j) != x.at(i, j))
                    return QString(x.key) + QString(" entry (%1, %2)").arg(i).arg(j);
    }
    return QString();
}

// No invariant gives NaN or infinity without its error flag: the key of the first that does.
QString nonFinite(InvariantProbe &probe)
{
    for (const char *key : {"ADJACENCY", "IDENTITY", "ONEMAT", "ONEVEC", "LAPLACIAN", "SLLAPLACIAN", "NLAPLACIAN",
                            "MODULARITY", "COMNEIGH", "ORDER", "SIZE", "DEGREES", "DEGMAX", "DEGMIN", "PENDING",
                            "NUMERO", "KCHERRIES", "PLATT", "RANDIC", "ZAGREBM1", "ZAGREBM2", "CLAWS", "TRIANGLES",
                            "K4", "KIRCHHOFF", "ENERGY"}) {
        Calculus *c = probe.compute(key);
        if (c->getError())
            continue;
        for (int i = 0; i < c->getNbRows(); ++i)
            for (int j = 0; j < c->getNbCols(); ++j)
                if (!std::isfinite(c->entry(i, j)))
                    return key;
    }
    return QString();
}
} // namespace

class TestInvariantFixtures : public QObject
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
        for (const FixtureReader::Entry &e : entries) {
            probe.setGraphText(e.text);
            QCOMPARE(probe.graph().getNbNodes(), e.n);
            const QString structural = structuralDifference(probe, e);
            QVERIFY2(structural.isEmpty(), qPrintable(e.text + ": " + structural));
            const QString infinite = nonFinite(probe);
            QVERIFY2(infinite.isEmpty(), qPrintable(infinite + " on " + e.text));
            for (const Checked &k : fixtureKeys) {
                Calculus *c = probe.compute(k.key);
                if (!e.has(k.key)) {
                    // The fixture leaves out the Kirchhoff index where it is not defined:
                    // fewer than 3 vertices or a disconnected graph. The item is then in error.
                    if (QString(k.key) == "KIRCHHOFF")
                        QVERIFY2(c->getError() && c->getNbRows() == 0, qPrintable(e.text));
                    continue;
                }
                const QString diff = difference(c, k.key, k.kind, e.n, e.vector(k.key));
                QVERIFY2(diff.isEmpty(), qPrintable(QString(k.key) + " on " + e.text + ": " + diff));
                ++compared;
            }
        }
        QVERIFY(compared > minimum * 15);
    }
};

QTEST_MAIN(TestInvariantFixtures)
#include "tst_invariantfixtures.moc"
