#include "calculus/Cholesky.h"

#include <QtTest>
#include <cmath>
#include <limits>
#include <random>

using Matrix = QVector<QVector<double>>;
Q_DECLARE_METATYPE(Matrix)

namespace {

bool allZero(const Matrix &m)
{
    for (const auto &row : m)
        for (double v : row)
            if (v != 0.0)
                return false;
    return true;
}

} // namespace

class TestCholesky : public QObject
{
    Q_OBJECT

private slots:
    void workedExamples();
    void refuses_data();
    void refuses();
    void rebuildsRandomPositiveDefinite();
    void emptyOrder();
};

void TestCholesky::workedExamples()
{
    const Matrix expected{{2, 0}, {1, std::sqrt(2.0)}};
    // The upper triangle does not enter the computation.
    for (const Matrix &a : {Matrix{{4, 2}, {2, 3}}, Matrix{{4, 99}, {2, 3}}}) {
        const Cholesky c(a, 2);
        QVERIFY(c.succeeded());
        const Matrix l = c.q();
        for (int i = 0; i < 2; ++i)
            for (int j = 0; j < 2; ++j)
                QVERIFY(std::fabs(l[i][j] - expected[i][j]) < 1e-15);
    }
}

void TestCholesky::refuses_data()
{
    QTest::addColumn<Matrix>("matrix");
    QTest::addColumn<int>("order");

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("indefinite") << Matrix{{1, 2}, {2, 1}} << 2;
    QTest::newRow("zero matrix") << Matrix{{0, 0}, {0, 0}} << 2;
    QTest::newRow("negative definite") << Matrix{{-1, 0}, {0, -1}} << 2;
    QTest::newRow("singular 3x3") << Matrix{{1, 1, 1}, {1, 1, 1}, {1, 1, 1}} << 3;
    QTest::newRow("NaN pivot") << Matrix{{nan, 0}, {0, 1}} << 2;
    QTest::newRow("NaN below the diagonal") << Matrix{{4, 0, 0}, {nan, 4, 0}, {0, 0, 4}} << 3;
    QTest::newRow("infinite diagonal") << Matrix{{inf, 0}, {0, 1}} << 2;
    QTest::newRow("infinite below the diagonal") << Matrix{{4, 0}, {inf, 4}} << 2;
    QTest::newRow("too few rows") << Matrix{{4}} << 2;
    QTest::newRow("short row") << Matrix{{4, 0}, {1}} << 2;
}

void TestCholesky::refuses()
{
    QFETCH(Matrix, matrix);
    QFETCH(int, order);
    const Cholesky c(matrix, order);
    QVERIFY(!c.succeeded());
    const Matrix l = c.q();
    QCOMPARE(l.size(), order);
    for (const auto &row : l)
        QCOMPARE(row.size(), order);
    QVERIFY(allZero(l));
}

void TestCholesky::rebuildsRandomPositiveDefinite()
{
    std::mt19937 gen(4242);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    for (int n : {1, 3, 10, 32}) {
        // B B^T + n I is symmetric positive definite.
        Matrix b(n, QVector<double>(n));
        for (auto &row : b)
            for (double &v : row)
                v = u(gen);
        Matrix a(n, QVector<double>(n, 0.0));
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) {
                for (int k = 0; k < n; ++k)
                    a[i][j] += b[i][k] * b[j][k];
                if (i == j)
                    a[i][j] += n;
            }
        const Cholesky c(a, n);
        QVERIFY(c.succeeded());
        const Matrix l = c.q();
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) {
                if (j > i)
                    QCOMPARE(l[i][j], 0.0);
                double llt = 0.0;
                for (int k = 0; k < n; ++k)
                    llt += l[i][k] * l[j][k];
                QVERIFY2(std::fabs(llt - a[i][j]) < 1e-9, qPrintable(QString("n=%1 (%2,%3)").arg(n).arg(i).arg(j)));
            }
    }
}

void TestCholesky::emptyOrder()
{
    const Cholesky c(Matrix(), 0);
    QVERIFY(c.succeeded());
    QVERIFY(c.q().isEmpty());
}

QTEST_GUILESS_MAIN(TestCholesky)
#include "tst_cholesky.moc"
