#include "FixtureReader.h"
#include "InvariantProbe.h"
#include "OperatorHarness.h"

#include "graph/Graph.h"

#include <QtTest>
#include <cmath>
#include <limits>
#include <random>

namespace {
const double NaN = std::numeric_limits<double>::quiet_NaN();
const double Inf = std::numeric_limits<double>::infinity();

QString pathText(int n)
{
    QString bits;
    for (int i = 1; i < n; ++i)
        for (int j = 0; j < i; ++j)
            bits += j == i - 1 ? '1' : '0';
    return QString::number(n) + ' ' + bits;
}

// Row-major entries of a matrix given as rows x cols.
Matrix shaped(int rows, int cols, const QVector<double> &entries)
{
    Matrix m(rows, QVector<double>(cols));
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < cols; ++j)
            m[i][j] = entries[i * cols + j];
    return m;
}

// The count of distinct entries as the plain rule states it: each entry against every value
// kept before it, in row-major order.
int distinctByScan(const Matrix &m)
{
    QVector<double> kept;
    for (const auto &row : m)
        for (double x : row) {
            bool repeat = false;
            for (double y : kept)
                repeat = repeat || std::fabs(y - x) < 1e-6;
            if (!repeat)
                kept.append(x);
        }
    return kept.size();
}
} // namespace

Q_DECLARE_METATYPE(Matrix)

class TestReductions : public QObject
{
    Q_OBJECT

private slots:
    // One operator over one argument: its single value, or its whole result with labels.
    void singleValues_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<Matrix>("arg");
        QTest::addColumn<double>("expected");
        QTest::newRow("MAX 1x1") << "MAX" << Matrix{{5}} << 5.0;
        QTest::newRow("MAX floor") << "MAX" << Matrix{{-3e12, -2e12}} << -1e12;
        QTest::newRow("MAX skips NaN") << "MAX" << Matrix{{NaN, 2}, {1, NaN}} << 2.0;
        QTest::newRow("MAX only NaN") << "MAX" << Matrix{{NaN}} << -1e12;
        QTest::newRow("MIN ceiling") << "MIN" << Matrix{{2e12}, {5e12}} << 1e12;
        QTest::newRow("MIN") << "MIN" << Matrix{{3, -4}, {0, 8}} << -4.0;
        QTest::newRow("SUM ones 2x3") << "SUM" << Matrix{{1, 1, 1}, {1, 1, 1}} << 6.0;
        QTest::newRow("SUM NaN") << "SUM" << Matrix{{1, NaN}} << NaN;
        QTest::newRow("VAR 1..4") << "VAR" << Matrix{{1, 2}, {3, 4}} << 1.25;
        QTest::newRow("VAR 1x1") << "VAR" << Matrix{{7}} << 0.0;
        QTest::newRow("VAR huge entries") << "VAR" << Matrix{{1e308, 1e308}} << 0.0;
        QTest::newRow("NBEQ zeros") << "NBEQ" << Matrix{{0, 1, 0}, {2, 0, 3}, {4, 5, 0}} << 4.0;
        QTest::newRow("NBVALUES 1,1,2") << "NBVALUES" << Matrix{{1, 1, 2}} << 2.0;
        QTest::newRow("NBVALUES 0,0.5e-6") << "NBVALUES" << Matrix{{0}, {0.5e-6}} << 1.0;
        QTest::newRow("NBVALUES order a") << "NBVALUES" << Matrix{{0, 0.9e-6, 1.5e-6}} << 2.0;
        QTest::newRow("NBVALUES order b") << "NBVALUES" << Matrix{{0.9e-6, 0, 1.5e-6}} << 1.0;
        QTest::newRow("NBVALUES near integer") << "NBVALUES" << Matrix{{3.0000005, 3, 2.9999991}} << 2.0;
        QTest::newRow("NBVALUES integer first") << "NBVALUES" << Matrix{{3, 3.0000005, 2.9999991}} << 1.0;
        QTest::newRow("NBVALUES signed zero") << "NBVALUES" << Matrix{{-0.0, 0.0}} << 1.0;
        QTest::newRow("NBVALUES NaN each") << "NBVALUES" << Matrix{{NaN, NaN, 1}} << 3.0;
        QTest::newRow("NBVALUES inf each") << "NBVALUES" << Matrix{{Inf, Inf, -Inf}} << 3.0;
        QTest::newRow("NBVALUES large") << "NBVALUES" << Matrix{{1e12, 1e12, 1023, 1024, 1024}} << 3.0;
        QTest::newRow("NBVALUES negative") << "NBVALUES" << Matrix{{-1, -1, -1.0000001}} << 1.0;
        QTest::newRow("SUMGE default") << "SUMGE" << Matrix{{-5e-7, -2e-6, 3}} << 3.0 - 5e-7;
    }
    void singleValues()
    {
        QFETCH(QString, key);
        QFETCH(Matrix, arg);
        QFETCH(double, expected);
        OperatorHarness h;
        Calculus *op = h.over(key, arg, "n", "n");
        QVERIFY(!op->getError());
        QCOMPARE(op->getNbRows(), 1);
        QCOMPARE(op->getNbCols(), 1);
        QCOMPARE(op->getSRows(), QString("1"));
        QCOMPARE(op->getSCols(), QString("1"));
        QCOMPARE(op->getStatus(), key);
        QVERIFY2(OperatorHarness::close(op->entry(0, 0), expected), qPrintable(QString::number(op->entry(0, 0), 'g', 17)));
    }

    // The optional number arguments of NBEQ and SUMGE: entry (1, 1), or the default when
    // absent or empty.
    void numberArguments_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<Matrix>("second");
        QTest::addColumn<Matrix>("third");
        QTest::addColumn<double>("expected");
        const Matrix none;
        QTest::newRow("NBEQ value 2") << "NBEQ" << Matrix{{2, 9}} << none << 1.0;
        QTest::newRow("NBEQ empty value looks for 0") << "NBEQ" << Matrix{} << none << 1.0;
        QTest::newRow("NBEQ tolerance is strict") << "NBEQ" << Matrix{{2}} << Matrix{{0.5}} << 2.0;
        QTest::newRow("NBEQ wide tolerance") << "NBEQ" << Matrix{{2}} << Matrix{{1.1}} << 6.0;
        QTest::newRow("SUMGE threshold 3") << "SUMGE" << Matrix{{3}} << none << 2 * (3 - 5e-7) + 3.5;
        QTest::newRow("SUMGE empty threshold") << "SUMGE" << Matrix{} << none << 18 - 3e-6;
    }
    void numberArguments()
    {
        QFETCH(QString, key);
        QFETCH(Matrix, second);
        QFETCH(Matrix, third);
        QFETCH(double, expected);
        OperatorHarness h;
        Calculus *op = h.make(key);
        // Entries around 2 (two at distance 0.5 exactly, one just inside it) and 3.
        op->setArg1(h.fixed({{2, 1.5, 2.5, 3 - 5e-7}, {0, 3 - 5e-7, 3.5, 3 - 2e-6 - 0.5}}));
        // Present even when empty: an empty number argument takes the default.
        op->setArg2(h.fixed(second));
        if (!third.isEmpty())
            op->setArg3(h.fixed(third));
        h.evaluate(op);
        QVERIFY(!op->getError());
        QVERIFY2(OperatorHarness::close(op->entry(0, 0), expected), qPrintable(QString::number(op->entry(0, 0), 'g', 17)));
    }

    // NBEQ and SUMGE over an empty argument count and sum nothing, without error.
    void emptyCounts()
    {
        OperatorHarness h;
        for (const char *key : {"NBEQ", "SUMGE"}) {
            Calculus *op = h.make(key);
            op->setArg1(h.fixed({}));
            h.evaluate(op);
            QVERIFY(!op->getError());
            QCOMPARE(op->entry(0, 0), 0.0);
            QCOMPARE(op->getSRows(), QString("1"));
        }
    }

    // Closed forms on the distance matrix of the path: SUM = (n^3 - n)/3, MAX = n - 1, MIN = 0,
    // NBVALUES = n; and MAXROW gives the eccentricities max(i, n - 1 - i).
    void pathDistances()
    {
        OperatorHarness h;
        Calculus *d = h.make("DISTANCES");
        QHash<QString, Calculus *> ops;
        for (const char *key : {"SUM", "MAX", "MIN", "NBVALUES", "MAXROW"}) {
            ops[key] = h.make(key);
            ops[key]->setArg1(d);
        }
        for (int n = 2; n <= 32; ++n) {
            h.setGraphText(pathText(n));
            for (Calculus *op : ops)
                h.evaluate(op);
            QCOMPARE(ops["SUM"]->entry(0, 0), double(n * n * n - n) / 3);
            QCOMPARE(ops["MAX"]->entry(0, 0), double(n - 1));
            QCOMPARE(ops["MIN"]->entry(0, 0), 0.0);
            QCOMPARE(ops["NBVALUES"]->entry(0, 0), double(n));
            Calculus *ecc = ops["MAXROW"];
            QCOMPARE(ecc->getNbRows(), n);
            QCOMPARE(ecc->getNbCols(), 1);
            QCOMPARE(ecc->getSRows(), QString("n"));
            QCOMPARE(ecc->getSCols(), QString("1"));
            for (int i = 0; i < n; ++i)
                QCOMPARE(ecc->entry(i, 0), double(std::max(i, n - 1 - i)));
        }
    }

    // VAR of 1..n is (n^2 - 1)/12; NBEQ(A(K_n), 1) = n(n - 1).
    void closedForms()
    {
        OperatorHarness h;
        Calculus *var = h.make("VAR");
        FixedItem *values = h.fixed({});
        var->setArg1(values);
        Calculus *nbeq = h.make("NBEQ");
        nbeq->setArg1(h.make("ADJACENCY"));
        nbeq->setArg2(h.fixed({{1}}));
        for (int n = 1; n <= 32; ++n) {
            QVector<double> v;
            for (int k = 1; k <= n; ++k)
                v << k;
            values->set(OperatorHarness::column(v), "n", "1");
            h.evaluate(var);
            QVERIFY(std::fabs(var->entry(0, 0) - double(n * n - 1) / 12) < 1e-9);
            h.setGraphText(InvariantProbe::completeGraphText(n));
            h.evaluate(nbeq);
            QCOMPARE(nbeq->entry(0, 0), double(n * (n - 1)));
        }
    }

    // NBVALUES looks small integers up in a table: on entries mixing integers, values near
    // them and values far from them, it counts as the plain scan does.
    void distinctCountsMatchTheScan()
    {
        std::mt19937 rng(25);
        std::uniform_int_distribution<int> pick(0, 9);
        std::uniform_int_distribution<int> whole(-3, 40);
        std::uniform_int_distribution<int> shape(1, 32);
        const double offsets[] = {0.0, 0.0, 0.0, 4e-7, -4e-7, 9e-7, -9e-7, 1.2e-6, 0.5, -0.25};
        // Bases around both ends of the looked-up integers, and entries that never match.
        const double special[] = {-0.0, -0.3, 1022, 1023, 1024, 1025, NaN, Inf, -Inf, 1e12};
        std::uniform_int_distribution<int> kind(0, 5);
        OperatorHarness h;
        Calculus *op = h.make("NBVALUES");
        FixedItem *arg = h.fixed({});
        op->setArg1(arg);
        for (int trial = 0; trial < 200; ++trial) {
            Matrix m(shape(rng), QVector<double>(shape(rng)));
            for (auto &row : m)
                for (double &x : row)
                    x = (kind(rng) ? whole(rng) : special[pick(rng)]) + offsets[pick(rng)];
            arg->set(m);
            h.evaluate(op);
            QCOMPARE(op->entry(0, 0), double(distinctByScan(m)));
        }
    }

    void squareRoots_data()
    {
        QTest::addColumn<Matrix>("arg");
        QTest::addColumn<Matrix>("expected");
        QTest::addColumn<bool>("fails");
        QTest::newRow("4") << Matrix{{4}} << Matrix{{2}} << false;
        QTest::newRow("near zero") << Matrix{{9}, {0}, {5e-7}, {-5e-7}} << Matrix{{3}, {0}, {0}, {0}} << false;
        QTest::newRow("bounds") << Matrix{{-1e-6, 1e-6}} << Matrix{{0, 0.001}} << false;
        QTest::newRow("negative") << Matrix{{4}, {-1}} << Matrix{} << true;
        QTest::newRow("-1") << Matrix{{-1}} << Matrix{} << true;
        QTest::newRow("NaN passes") << Matrix{{NaN, 16}} << Matrix{{NaN, 4}} << false;
    }
    void squareRoots()
    {
        QFETCH(Matrix, arg);
        QFETCH(Matrix, expected);
        QFETCH(bool, fails);
        OperatorHarness h;
        Calculus *op = h.over("SQRT", arg, "n", "1");
        QCOMPARE(op->getError(), fails);
        QCOMPARE(op->getStatus(), fails ? QString("SQRT needs non negative arguments.") : QString("SQRT"));
        QCOMPARE(op->getSRows(), fails ? QString("NA") : QString("n"));
        QCOMPARE(op->getSCols(), fails ? QString("NA") : QString("1"));
        QVERIFY2(OperatorHarness::matches(op, expected),
                 qPrintable(InvariantProbe::show(OperatorHarness::valueOf(op))));
    }

    // A corrected argument makes SQRT succeed again.
    void squareRootRecovers()
    {
        OperatorHarness h;
        Calculus *op = h.make("SQRT");
        FixedItem *arg = h.fixed({{-4}});
        op->setArg1(arg);
        QVERIFY(op->getError());
        arg->set({{4}}, "1", "1");
        h.evaluate(op);
        QVERIFY(!op->getError());
        QCOMPARE(op->getStatus(), QString("SQRT"));
        QCOMPARE(op->entry(0, 0), 2.0);
    }

    // Row and column reductions: shape, labels and entries.
    void lineReductions_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<Matrix>("arg");
        QTest::addColumn<Matrix>("expected");
        QTest::addColumn<QString>("rowsLabel");
        QTest::addColumn<QString>("colsLabel");
        const Matrix m35 = shaped(3, 5, {1, -2, 3, 0, 5, 6, 7, -8, 9, 1, -1, 2, 4, 4, -6});
        QTest::newRow("MAXCOL 3x5") << "MAXCOL" << m35 << Matrix{{6, 7, 4, 9, 5}} << "1" << "c";
        QTest::newRow("SUMCOL 3x5") << "SUMCOL" << m35 << Matrix{{6, 7, -1, 13, 0}} << "1" << "c";
        QTest::newRow("MAXROW 3x5") << "MAXROW" << m35 << Matrix{{5}, {9}, {4}} << "r" << "1";
        QTest::newRow("SUMROW 3x5") << "SUMROW" << m35 << Matrix{{7}, {15}, {3}} << "r" << "1";
        const Matrix col = {{-3}, {7}, {7}, {2}};
        QTest::newRow("MAXCOL column") << "MAXCOL" << col << Matrix{{7}} << "1" << "c";
        QTest::newRow("SUMCOL column") << "SUMCOL" << col << Matrix{{13}} << "1" << "c";
        QTest::newRow("MAXROW column floors") << "MAXROW" << Matrix{{-2e12}, {1}} << Matrix{{-1e12}, {1}} << "r" << "1";
        QTest::newRow("MAXCOL floor") << "MAXCOL" << Matrix{{-2e12, NaN}, {-3e12, NaN}} << Matrix{{-1e12, -1e12}}
                                      << "1" << "c";
        QTest::newRow("SUMROW row") << "SUMROW" << Matrix{{1, 2, 3}} << Matrix{{6}} << "r" << "1";
        QTest::newRow("SUMROW NaN") << "SUMROW" << Matrix{{1, NaN}, {1, 2}} << Matrix{{NaN}, {3}} << "r" << "1";
        QTest::newRow("MAXROW 1x1") << "MAXROW" << Matrix{{-5}} << Matrix{{-5}} << "r" << "1";
    }
    void lineReductions()
    {
        QFETCH(QString, key);
        QFETCH(Matrix, arg);
        QFETCH(Matrix, expected);
        QFETCH(QString, rowsLabel);
        QFETCH(QString, colsLabel);
        OperatorHarness h;
        Calculus *op = h.over(key, arg, "r", "c");
        QVERIFY(!op->getError());
        QCOMPARE(op->getStatus(), key);
        QCOMPARE(op->getSRows(), rowsLabel);
        QCOMPARE(op->getSCols(), colsLabel);
        QVERIFY2(OperatorHarness::matches(op, expected),
                 qPrintable(InvariantProbe::show(OperatorHarness::valueOf(op))));
    }

    // SUMROW(A) is the degree vector and SUMCOL(SUMROW(D)) twice the Wiener index, against
    // the networkx values of every connected fixture graph.
    void fixtureGraphs_data() { FixtureReader::addFileRows(); }
    void fixtureGraphs()
    {
        QFETCH(QString, file);
        const QVector<FixtureReader::Entry> entries = FixtureReader::read(file);
        QVERIFY(!entries.isEmpty());
        OperatorHarness h;
        Calculus *degrees = h.make("SUMROW");
        degrees->setArg1(h.make("ADJACENCY"));
        Calculus *rows = h.make("SUMROW");
        rows->setArg1(h.make("DISTANCES"));
        Calculus *total = h.make("SUMCOL");
        total->setArg1(rows);
        int checked = 0;
        for (const FixtureReader::Entry &e : entries) {
            h.setGraphText(e.text);
            h.evaluate(degrees);
            h.evaluate(total);
            if (e.has("DEGREES")) {
                const QVector<double> expected = e.vector("DEGREES");
                QCOMPARE(degrees->getNbRows(), expected.size());
                for (int v = 0; v < expected.size(); ++v)
                    QCOMPARE(degrees->entry(v, 0), expected[v]);
            }
            if (e.connected() && e.has("WIENER")) {
                QCOMPARE(total->getNbCols(), 1);
                QCOMPARE(total->entry(0, 0), 2 * e.scalar("WIENER"));
                ++checked;
            }
        }
        QVERIFY(checked > 0);
    }
};

QTEST_MAIN(TestReductions)
#include "tst_reductions.moc"
