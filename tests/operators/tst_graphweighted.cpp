#include "FamilyTexts.h"
#include "FixtureReader.h"
#include "InvariantProbe.h"
#include "OperatorHarness.h"

#include "calculus/CalculusDisplay.h"
#include "graph/Graph.h"

#include <QCheckBox>
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {
const double Inf = std::numeric_limits<double>::infinity();
const double NaN = std::numeric_limits<double>::quiet_NaN();
// The path 0-1-2, and the same with an isolated vertex 3.
const QString P3 = "3 101";
const QString P3K1 = "4 101000";
} // namespace

Q_DECLARE_METATYPE(Matrix)

class TestGraphWeighted : public QObject
{
    Q_OBJECT

private slots:
    // MOMENT with degree weights, or the weights of an n x 1 argument; a disconnected graph
    // keeps its value, 1e12 per unreachable distance, with the error flag.
    void moments_data()
    {
        QTest::addColumn<QString>("graph");
        QTest::addColumn<Matrix>("weights");
        QTest::addColumn<Matrix>("expected");
        QTest::addColumn<bool>("disconnected");
        QTest::newRow("P3 degrees") << P3 << Matrix{} << Matrix{{4}, {2}, {4}} << false;
        QTest::newRow("P3 ones") << P3 << Matrix{{1}, {1}, {1}} << Matrix{{3}, {2}, {3}} << false;
        QTest::newRow("P3 row weights ignored") << P3 << Matrix{{1, 1, 1}} << Matrix{{4}, {2}, {4}} << false;
        QTest::newRow("P3 weights") << P3 << Matrix{{2}, {0}, {-1}} << Matrix{{-2}, {1}, {4}} << false;
        QTest::newRow("P3 and K1") << P3K1 << Matrix{} << Matrix{{4}, {2}, {4}, {4e12}} << true;
        QTest::newRow("no vertex") << "0 " << Matrix{} << Matrix{} << false;
    }
    void moments()
    {
        QFETCH(QString, graph);
        QFETCH(Matrix, weights);
        QFETCH(Matrix, expected);
        QFETCH(bool, disconnected);
        OperatorHarness h;
        h.setGraphText(graph);
        Calculus *op = h.make("MOMENT");
        if (!weights.isEmpty())
            op->setArg1(h.fixed(weights, "n", "1", "W"));
        h.evaluate(op);
        QCOMPARE(op->getError(), disconnected);
        QCOMPARE(op->getStatus(), QString(disconnected ? "MOMENT needs a connected graph" : "MOMENT"));
        QCOMPARE(op->getNbCols(), 1);
        QCOMPARE(op->getSRows(), QString("n"));
        QCOMPARE(op->getSCols(), QString("1"));
        QCOMPARE(op->formula(), QString(weights.isEmpty() ? "MISSING ARGUMENT" : "MOMENT(W)"));
        QVERIFY2(OperatorHarness::matches(op, expected),
                 qPrintable(InvariantProbe::show(OperatorHarness::valueOf(op))));
    }

    // Closed forms: with unit weights the moments of P_n sum to (n^3 - n)/3; with degree
    // weights the star's centre has n - 1 and each leaf 3n - 5.
    void momentFamilies()
    {
        OperatorHarness h;
        Calculus *unit = h.make("MOMENT");
        unit->setArg1(h.make("ONEVEC"));
        Calculus *total = h.make("SUM");
        total->setArg1(unit);
        Calculus *star = h.make("MOMENT");
        for (int n = 2; n <= 32; ++n) {
            h.setGraphText(FamilyTexts::family("path", n));
            h.evaluate(total);
            QCOMPARE(total->entry(0, 0), double(n * n * n - n) / 3);
            h.setGraphText(FamilyTexts::family("star", n));
            h.evaluate(star);
            QVERIFY(!star->getError());
            QCOMPARE(star->getNbRows(), n);
            QCOMPARE(star->entry(0, 0), double(n - 1));
            for (int leaf = 1; leaf < n; ++leaf)
                QCOMPARE(star->entry(leaf, 0), double(3 * n - 5));
        }
    }

    // On the complement, P_4 is again a path, relabelled: the moments are permuted, equal to
    // those of the complement loaded as a graph, and the graph itself is left as it was.
    void momentOnComplement()
    {
        OperatorHarness h;
        h.setGraphText(FamilyTexts::family("path", 4));
        Calculus *plain = h.make("MOMENT");
        Calculus *complement = h.make("MOMENT");
        complement->setInvertGraph(true);
        h.evaluate(plain);
        h.evaluate(complement);
        QVERIFY(!complement->getError());
        QCOMPARE(h.graph().currentGraphData(), FamilyTexts::family("path", 4));
        QVector<double> a = plain->getFirstCol(), b = complement->getFirstCol();
        QCOMPARE(b, (QVector<double>{5, 9, 9, 5}));
        std::sort(a.begin(), a.end());
        std::sort(b.begin(), b.end());
        QCOMPARE(a, b);
        // The complement of 0-1-2-3 is 2-0-3-1.
        h.setGraphText("4 010110");
        h.evaluate(plain);
        QCOMPARE(plain->getFirstCol(), complement->getFirstCol());
        // MOMENT alone among the operators offers the complement in its dialog.
        h.setGraphText(FamilyTexts::family("path", 4));
        Calculus *shown = h.make("MOMENT", true);
        QCheckBox *box = shown->getCalculusDisplay()->invertBox();
        QVERIFY(box->isEnabled());
        box->setChecked(true);
        h.evaluate(shown);
        QCOMPARE(shown->getFirstCol(), (QVector<double>{5, 9, 9, 5}));
        QVERIFY(!h.make("NORMALIZEMAT", true)->getCalculusDisplay()->invertBox()->isEnabled());
    }

    void normalized_data()
    {
        QTest::addColumn<QString>("graph");
        QTest::addColumn<Matrix>("values");
        QTest::addColumn<Matrix>("expected");
        QTest::addColumn<QString>("status");
        const Matrix half = {{0, 0.5, 0}, {0.5, 0, 0.5}, {0, 0.5, 0}};
        const QString notVector = "NORMALIZEMAT needs a vector as argument";
        QTest::newRow("P3 column") << P3 << Matrix{{1}, {4}, {1}} << half << "NORMALIZEMAT";
        QTest::newRow("P3 row") << P3 << Matrix{{1, 4, 1}} << half << "NORMALIZEMAT";
        QTest::newRow("P3 longer vector") << P3 << Matrix{{1, 4, 1, -7}} << half << "NORMALIZEMAT";
        QTest::newRow("P3 zero value") << P3 << Matrix{{0}, {1}, {1}} << Matrix{{0, Inf, 0}, {Inf, 0, 1}, {0, 1, 0}}
                                       << "NORMALIZEMAT";
        QTest::newRow("P3 negative value") << P3 << Matrix{{-1}, {1}, {1}}
                                           << Matrix{{0, NaN, 0}, {NaN, 0, 1}, {0, 1, 0}} << "NORMALIZEMAT";
        QTest::newRow("one vertex") << "1 " << Matrix{{3}, {5}} << Matrix{{0}} << "NORMALIZEMAT";
        QTest::newRow("matrix") << P3 << Matrix{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}} << Matrix{} << notVector;
        QTest::newRow("single") << P3 << Matrix{{1}} << Matrix{} << notVector;
        QTest::newRow("short vector") << P3 << Matrix{{1}, {4}} << Matrix{}
                                      << "NORMALIZEMAT needs a value for every vertex";
    }
    void normalized()
    {
        QFETCH(QString, graph);
        QFETCH(Matrix, values);
        QFETCH(Matrix, expected);
        QFETCH(QString, status);
        OperatorHarness h;
        h.setGraphText(graph);
        Calculus *op = h.make("NORMALIZEMAT");
        op->setArg1(h.fixed(values, "n", "1", "V"));
        h.evaluate(op);
        const bool ok = status == "NORMALIZEMAT";
        QCOMPARE(op->getStatus(), status);
        QCOMPARE(op->getError(), !ok);
        QCOMPARE(op->getSRows() + ' ' + op->getSCols(), QString(ok ? "n n" : "NA NA"));
        QCOMPARE(op->formula(), QString("NORMALIZEMAT(V)"));
        QVERIFY2(OperatorHarness::matches(op, expected),
                 qPrintable(InvariantProbe::show(OperatorHarness::valueOf(op))));
    }

    // NORMALIZEMAT(DEGREES): 1/2 on every edge of C_n and 0 elsewhere; on P_n the entries sum
    // to 2 sqrt(2) + n - 3.
    void normalizedDegrees()
    {
        OperatorHarness h;
        Calculus *op = h.make("NORMALIZEMAT");
        op->setArg1(h.make("DEGREES"));
        Calculus *total = h.make("SUM");
        total->setArg1(op);
        for (int n = 3; n <= 32; ++n) {
            h.setGraphText(FamilyTexts::family("cycle", n));
            h.evaluate(op);
            QCOMPARE(op->getNbRows(), n);
            QCOMPARE(op->getNbCols(), n);
            for (int i = 0; i < n; ++i)
                for (int j = 0; j < n; ++j) {
                    const int gap = std::abs(i - j);
                    QCOMPARE(op->entry(i, j), (gap == 1 || gap == n - 1) ? 0.5 : 0.0);
                }
            h.setGraphText(FamilyTexts::family("path", n));
            h.evaluate(total);
            QVERIFY(std::fabs(total->entry(0, 0) - (2 * std::sqrt(2.0) + n - 3)) < 1e-12);
        }
    }

    // Against the networkx distances, degrees and Laplacians of the fixture graphs: MOMENT is
    // the sum of d(u, v) deg(v) (1e12 for a missing path, with the error flag), and
    // NORMALIZEMAT(DEGREES) is 1/sqrt(deg(i) deg(j)) on the edges.
    void fixtureGraphs_data() { FixtureReader::addFileRows(); }
    void fixtureGraphs()
    {
        QFETCH(QString, file);
        const QVector<FixtureReader::Entry> entries = FixtureReader::read(file);
        QVERIFY(!entries.isEmpty());
        OperatorHarness h;
        Calculus *moment = h.make("MOMENT");
        Calculus *normal = h.make("NORMALIZEMAT");
        normal->setArg1(h.make("DEGREES"));
        int checked = 0;
        for (const FixtureReader::Entry &e : entries) {
            if (!e.has("DISTANCES") || !e.has("DEGREES") || !e.has("LAPLACIAN"))
                continue;
            h.setGraphText(e.text);
            h.evaluate(moment);
            h.evaluate(normal);
            const QVector<double> deg = e.vector("DEGREES");
            QCOMPARE(moment->getError(), !e.connected());
            QCOMPARE(moment->getNbRows(), e.n);
            for (int u = 0; u < e.n; ++u) {
                double m = 0.0;
                for (int v = 0; v < e.n; ++v)
                    m += e.matrix("DISTANCES", u, v) * deg[v];
                QVERIFY(OperatorHarness::close(moment->entry(u, 0), m));
                for (int v = 0; v < e.n; ++v) {
                    const bool edge = u != v && e.matrix("LAPLACIAN", u, v) != 0.0;
                    QVERIFY(OperatorHarness::close(normal->entry(u, v), edge ? 1.0 / std::sqrt(deg[u] * deg[v]) : 0.0));
                }
            }
            ++checked;
        }
        QVERIFY(checked > 0);
    }
};

QTEST_MAIN(TestGraphWeighted)
#include "tst_graphweighted.moc"
