#include "FamilyTexts.h"
#include "InvariantProbe.h"
#include "OperatorHarness.h"

#include <QtTest>
#include <cmath>
#include <limits>
#include <random>

namespace {
const double NaN = std::numeric_limits<double>::quiet_NaN();

Matrix randomMatrix(std::mt19937 &rng, int rows, int cols)
{
    std::uniform_real_distribution<double> entry(-10.0, 10.0);
    Matrix m(rows, QVector<double>(cols));
    for (auto &row : m)
        for (double &x : row)
            x = entry(rng);
    return m;
}

Matrix naiveProduct(const Matrix &a, const Matrix &b)
{
    Matrix p(a.size(), QVector<double>(b[0].size()));
    for (int i = 0; i < a.size(); ++i)
        for (int j = 0; j < b[0].size(); ++j) {
            double s = 0.0;
            for (int k = 0; k < b.size(); ++k)
                s += a[i][k] * b[k][j];
            p[i][j] = s;
        }
    return p;
}

// The items' own labels: rows "r<k>" and columns "c<k>" for argument k.
Calculus *build(OperatorHarness &h, const QString &key, const QVector<Matrix> &args, const QString &present)
{
    Calculus *op = h.make(key);
    for (int k = 1; k <= args.size(); ++k)
        if (present.contains(QString::number(k)))
            OperatorHarness::setArg(op, k,
                                    h.fixed(args[k - 1], QString("r%1").arg(k), QString("c%1").arg(k),
                                            QString("f%1").arg(k)));
    h.evaluate(op);
    return op;
}
} // namespace

Q_DECLARE_METATYPE(Matrix)

class TestCombinations : public QObject
{
    Q_OBJECT

private slots:
    // Term-by-term combinations, products, transposes and vector comparisons: value, labels
    // and status text; a failure leaves 0 x 0, "NA"/"NA" and the error flag.
    void values_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVector<Matrix>>("args");
        QTest::addColumn<QString>("present");
        QTest::addColumn<Matrix>("expected");
        QTest::addColumn<QString>("labels");
        QTest::addColumn<QString>("status");
        const Matrix sq = {{1, 2}, {3, 4}};
        const Matrix m23 = {{1, 2, 3}, {4, 5, 6}};
        const Matrix m32 = {{1, 2}, {3, 4}, {5, 6}};
        const Matrix col = {{1}, {2}, {3}};
        const Matrix row = {{1, 2, 3}};
        const QString differ = "ARG SIZE DIFFER";
        QTest::newRow("- column minus 1") << "-" << QVector<Matrix>{col, {{1}}} << "12" << Matrix{{0}, {1}, {2}}
                                          << "r1 c1" << "-";
        QTest::newRow("- 10 minus matrix") << "-" << QVector<Matrix>{{{10}}, sq} << "12" << Matrix{{9, 8}, {7, 6}}
                                           << "r2 c2" << "-";
        QTest::newRow("- two singles") << "-" << QVector<Matrix>{{{5}}, {{7}}} << "12" << Matrix{{-2}} << "r1 c1"
                                       << "-";
        QTest::newRow("- four terms") << "-" << QVector<Matrix>{sq, sq, {{0, 1}, {1, 0}}, {{2, 2}, {2, 2}}} << "1234"
                                      << Matrix{{-2, -3}, {-3, -2}} << "r1 c1" << "-";
        QTest::newRow("- shapes differ") << "-" << QVector<Matrix>{sq, col} << "12" << Matrix{} << "NA NA" << differ;
        QTest::newRow(".* halves") << ".*" << QVector<Matrix>{sq, {{0.5}}} << "12" << Matrix{{0.5, 1}, {1.5, 2}}
                                   << "r1 c1" << ".*";
        QTest::newRow("MMAX rows") << "MMAX" << QVector<Matrix>{{{1, 5}}, {{4, 2}}} << "12" << Matrix{{4, 5}}
                                   << "r1 c1" << "MMAX";
        QTest::newRow("MMAX four") << "MMAX" << QVector<Matrix>{{{1, 9}}, {{4, 2}}, {{3, 3}}, {{5, 0}}} << "1234"
                                   << Matrix{{5, 9}} << "r1 c1" << "MMAX";
        QTest::newRow("MMAX fourth differs") << "MMAX" << QVector<Matrix>{m23, m23, m23, m32} << "1234" << Matrix{}
                                             << "NA NA" << differ;
        QTest::newRow("MMAX third differs") << "MMAX" << QVector<Matrix>{m32, m32, m23, {{1}}} << "1234" << Matrix{}
                                            << "NA NA" << differ;
        QTest::newRow("MMIN single first") << "MMIN" << QVector<Matrix>{{{3}}, {{1}, {3}, {7}}} << "12"
                                           << Matrix{{1}, {3}, {3}} << "r2 c2" << "MMIN";
        // Strict comparisons: MMAX keeps the running entry, MMIN takes the later one.
        QTest::newRow("MMAX NaN first") << "MMAX" << QVector<Matrix>{{{NaN, 1}}, {{2, 0}}} << "12" << Matrix{{NaN, 1}}
                                        << "r1 c1" << "MMAX";
        QTest::newRow("MMAX NaN second") << "MMAX" << QVector<Matrix>{{{2, 1}}, {{NaN, 0}}} << "12" << Matrix{{2, 1}}
                                         << "r1 c1" << "MMAX";
        QTest::newRow("MMIN NaN first") << "MMIN" << QVector<Matrix>{{{NaN, 1}}, {{2, 0}}} << "12" << Matrix{{2, 0}}
                                        << "r1 c1" << "MMIN";
        QTest::newRow("MMIN NaN second") << "MMIN" << QVector<Matrix>{{{2, 1}}, {{NaN, 0}}} << "12"
                                         << Matrix{{NaN, 0}} << "r1 c1" << "MMIN";
        QTest::newRow("MMAX NaN single") << "MMAX" << QVector<Matrix>{{{2, 1}}, {{NaN}}} << "12" << Matrix{{2, 1}}
                                         << "r1 c1" << "MMAX";
        QTest::newRow("MMIN NaN single") << "MMIN" << QVector<Matrix>{{{NaN}}, {{2, 1}}} << "12"
                                         << Matrix{{NaN, NaN}} << "r2 c2" << "MMIN";
        QTest::newRow("* single scales") << "*" << QVector<Matrix>{{{2}}, m23} << "12" << Matrix{{2, 4, 6}, {8, 10, 12}}
                                         << "r2 c2" << "*";
        QTest::newRow("* scaled by single") << "*" << QVector<Matrix>{m23, {{-1}}} << "12"
                                            << Matrix{{-1, -2, -3}, {-4, -5, -6}} << "r1 c1" << "*";
        QTest::newRow("* outer") << "*" << QVector<Matrix>{col, row} << "12" << Matrix{{1, 2, 3}, {2, 4, 6}, {3, 6, 9}}
                                 << "r1 c2" << "*";
        QTest::newRow("* inner") << "*" << QVector<Matrix>{row, col} << "12" << Matrix{{14}} << "r1 c2" << "*";
        QTest::newRow("* 2x3 by 2x3") << "*" << QVector<Matrix>{m23, m23} << "12" << Matrix{} << "NA NA" << differ;
        QTest::newRow("* single by empty") << "*" << QVector<Matrix>{{{2}}, {}} << "12" << Matrix{} << "r2 c2" << "*";
        QTest::newRow("TRANSPOSE column") << "TRANSPOSE" << QVector<Matrix>{col} << "1" << row << "c1 r1"
                                          << "TRANSPOSE";
        QTest::newRow("TRANSPOSE single") << "TRANSPOSE" << QVector<Matrix>{{{7}}} << "1" << Matrix{{7}} << "c1 r1"
                                          << "TRANSPOSE";
        QTest::newRow("MANHATTANDIST") << "MANHATTANDIST" << QVector<Matrix>{col, {{3}, {2}, {1}}} << "12"
                                       << Matrix{{4}} << "1 1" << "MANHATTANDIST";
        QTest::newRow("SUMPRODUCT") << "SUMPRODUCT" << QVector<Matrix>{col, {{3}, {2}, {1}}} << "12" << Matrix{{10}}
                                    << "1 1" << "SUMPRODUCT";
        QTest::newRow("SUMPRODUCT column by row") << "SUMPRODUCT" << QVector<Matrix>{col, row} << "12" << Matrix{}
                                                  << "NA NA" << differ;
        QTest::newRow("MANHATTANDIST no broadcast") << "MANHATTANDIST" << QVector<Matrix>{{{1}}, col} << "12"
                                                    << Matrix{} << "NA NA" << differ;
    }
    void values()
    {
        QFETCH(QString, key);
        QFETCH(QVector<Matrix>, args);
        QFETCH(QString, present);
        QFETCH(Matrix, expected);
        QFETCH(QString, labels);
        QFETCH(QString, status);
        OperatorHarness h;
        Calculus *op = build(h, key, args, present);
        QCOMPARE(op->getStatus(), status);
        QCOMPARE(op->getError(), status != key);
        QCOMPARE(op->getSRows() + ' ' + op->getSCols(), labels);
        QVERIFY2(OperatorHarness::matches(op, expected),
                 qPrintable(InvariantProbe::show(OperatorHarness::valueOf(op))));
    }

    // Formulas splice the arguments' texts: infix with blanks, prefix without.
    void formulas_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("present");
        QTest::addColumn<QString>("formula");
        QTest::newRow("- slot 3 empty") << "-" << "124" << "f1 - f2 - f4";
        QTest::newRow("- second missing") << "-" << "134" << "MISSING ARGUMENT";
        QTest::newRow("MMAX slot 3 empty") << "MMAX" << "124" << "MMAX(f1,f2,f4)";
    }
    void formulas()
    {
        QFETCH(QString, key);
        QFETCH(QString, present);
        QFETCH(QString, formula);
        OperatorHarness h;
        const Matrix one = {{1}};
        QCOMPARE(build(h, key, {one, one, one, one}, present)->formula(), formula);
    }

    // On random shapes: MANHATTANDIST(A, B) = SUM(MMAX(A, B) - MMIN(A, B)); A * B equals the
    // plain triple loop; (A * C)^T = C^T * A^T.
    void randomIdentities()
    {
        std::mt19937 rng(2806);
        std::uniform_int_distribution<int> size(1, 32);
        OperatorHarness h;
        FixedItem *a = h.fixed({});
        FixedItem *b = h.fixed({});
        FixedItem *c = h.fixed({});
        Calculus *manhattan = h.make("MANHATTANDIST");
        Calculus *mmax = h.make("MMAX");
        Calculus *mmin = h.make("MMIN");
        Calculus *gap = h.make("-");
        Calculus *sum = h.make("SUM");
        Calculus *ac = h.make("*");
        Calculus *acT = h.make("TRANSPOSE");
        Calculus *cTaT = h.make("*");
        Calculus *aT = h.make("TRANSPOSE");
        Calculus *cT = h.make("TRANSPOSE");
        for (Calculus *op : {manhattan, mmax, mmin}) {
            op->setArg1(a);
            op->setArg2(b);
        }
        gap->setArg1(mmax);
        gap->setArg2(mmin);
        sum->setArg1(gap);
        ac->setArg1(a);
        ac->setArg2(c);
        acT->setArg1(ac);
        cT->setArg1(c);
        aT->setArg1(a);
        cTaT->setArg1(cT);
        cTaT->setArg2(aT);
        for (int trial = 0; trial < 60; ++trial) {
            const int r = size(rng), k = size(rng), cols = size(rng);
            const Matrix ma = randomMatrix(rng, r, k);
            const Matrix mc = randomMatrix(rng, k, cols);
            a->set(ma);
            b->set(randomMatrix(rng, r, k));
            c->set(mc);
            for (Calculus *op : {manhattan, sum, acT, cTaT})
                h.evaluate(op);
            QVERIFY(OperatorHarness::close(manhattan->entry(0, 0), sum->entry(0, 0)));
            QVERIFY(OperatorHarness::matches(ac, naiveProduct(ma, mc)));
            QVERIFY(OperatorHarness::matches(cTaT, OperatorHarness::valueOf(acT)));
        }
    }

    // With A the adjacency matrix: SUM(A .* (A * A)) counts the ordered triangles, n(n-1)(n-2)
    // on K_n; SUM(A * A) counts the walks of length 2, 4n - 6 on P_n.
    void adjacencyWalks()
    {
        OperatorHarness h;
        Calculus *adj = h.make("ADJACENCY");
        Calculus *square = h.make("*");
        square->setArg1(adj);
        square->setArg2(adj);
        Calculus *terms = h.make(".*");
        terms->setArg1(adj);
        terms->setArg2(square);
        Calculus *triangles = h.make("SUM");
        triangles->setArg1(terms);
        Calculus *walks = h.make("SUM");
        walks->setArg1(square);
        for (int n = 3; n <= 32; ++n) {
            h.setGraphText(InvariantProbe::completeGraphText(n));
            h.evaluate(triangles);
            QCOMPARE(triangles->entry(0, 0), double(n * (n - 1) * (n - 2)));
        }
        for (int n = 2; n <= 32; ++n) {
            h.setGraphText(FamilyTexts::family("path", n));
            h.evaluate(walks);
            QCOMPARE(walks->entry(0, 0), double(4 * n - 6));
            QCOMPARE(square->getSRows(), QString("n"));
            QCOMPARE(square->getSCols(), QString("n"));
        }
    }
};

QTEST_MAIN(TestCombinations)
#include "tst_combinations.moc"
