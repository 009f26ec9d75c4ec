#include "calculus/Eig.h"

#include <QFile>
#include <QTextStream>
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <functional>
#include <iostream>
#include <limits>
#include <sstream>

using Matrix = QVector<QVector<double>>;
Q_DECLARE_METATYPE(Matrix)

namespace {

Matrix zeros(int n)
{
    return Matrix(n, QVector<double>(n, 0.0));
}

Matrix adjacency(int n, const std::function<bool(int, int)> &edge)
{
    Matrix m = zeros(n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            if (i != j && edge(i, j))
                m[i][j] = 1.0;
    return m;
}

QVector<double> sortedDown(QVector<double> v)
{
    std::sort(v.begin(), v.end(), std::greater<double>());
    return v;
}

// Captures what is written to std::cerr while alive.
class CerrCapture
{
public:
    CerrCapture() : old(std::cerr.rdbuf(buffer.rdbuf())) {}
    ~CerrCapture() { std::cerr.rdbuf(old); }
    std::string text() const { return buffer.str(); }

private:
    std::ostringstream buffer;
    std::streambuf *old;
};

void checkEigenpairs(const Matrix &a, const Eig &eig)
{
    const int n = a.size();
    const QVector<double> values = eig.eigvals();
    const Matrix vectors = eig.eigvecs();
    QCOMPARE(values.size(), n);
    QCOMPARE(vectors.size(), n);
    for (int k = 0; k + 1 < n; ++k)
        QVERIFY(values[k] >= values[k + 1]);
    for (int k = 0; k < n; ++k) {
        // Column k is the eigenvector of eigenvalue k, and eigvec(k) is that column.
        const QVector<double> v = eig.eigvec(k);
        QCOMPARE(v.size(), n);
        for (int r = 0; r < n; ++r)
            QCOMPARE(v[r], vectors[r][k]);
        for (int r = 0; r < n; ++r) {
            double av = 0.0;
            for (int c = 0; c < n; ++c)
                av += a[r][c] * v[c];
            QVERIFY2(std::fabs(av - values[k] * v[r]) < 1e-5, qPrintable(QString("pair %1 row %2").arg(k).arg(r)));
        }
        for (int l = 0; l < n; ++l) {
            double dot = 0.0;
            for (int r = 0; r < n; ++r)
                dot += vectors[r][k] * vectors[r][l];
            QVERIFY(std::fabs(dot - (k == l ? 1.0 : 0.0)) < 1e-9);
        }
    }
}

struct FixtureCase
{
    QString kind;
    Matrix matrix;
    QVector<double> values;
    QVector<QVector<double>> vectors;  // empty row: eigenvalue too close to another
};

QVector<double> numbers(const QString &line)
{
    QVector<double> v;
    for (const QString &field : line.split(' ', Qt::SkipEmptyParts))
        v.append(field.toDouble());
    return v;
}

QVector<FixtureCase> readFixture(const QString &path)
{
    QVector<FixtureCase> cases;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return cases;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QStringList head = in.readLine().split(' ', Qt::SkipEmptyParts);
        if (head.size() != 2)
            break;
        FixtureCase c;
        c.kind = head[0];
        const int n = head[1].toInt();
        for (int i = 0; i < n; ++i)
            c.matrix.append(numbers(in.readLine()));
        c.values = numbers(in.readLine());
        for (int k = 0; k < n; ++k) {
            const QString line = in.readLine();
            c.vectors.append(line == "-" ? QVector<double>() : numbers(line));
        }
        cases.append(c);
    }
    return cases;
}

} // namespace

class TestEig : public QObject
{
    Q_OBJECT

private slots:
    void closedForms_data();
    void closedForms();
    void workedExamples_data();
    void workedExamples();
    void smallOrders();
    void eigvecIndex();
    void failures_data();
    void failures();
    void readsLeadingBlockOnly();
    void agreesWithReference();
};

void TestEig::closedForms_data()
{
    QTest::addColumn<Matrix>("matrix");
    QTest::addColumn<QVector<double>>("expected");

    for (int n : {3, 4, 5, 7, 10, 16, 32}) {
        QVector<double> cycle, path;
        for (int k = 0; k < n; ++k)
            cycle.append(2.0 * std::cos(2.0 * M_PI * k / n));
        for (int k = 1; k <= n; ++k)
            path.append(2.0 * std::cos(M_PI * k / (n + 1)));
        QTest::addRow("C%d", n) << adjacency(n, [n](int i, int j) { return (i + 1) % n == j || (j + 1) % n == i; })
                                << sortedDown(cycle);
        QTest::addRow("P%d", n) << adjacency(n, [](int i, int j) { return std::abs(i - j) == 1; }) << sortedDown(path);
    }
    for (int n : {2, 3, 6, 32}) {
        QVector<double> complete(n, -1.0);
        complete[0] = n - 1.0;
        QTest::addRow("K%d", n) << adjacency(n, [](int, int) { return true; }) << complete;
    }
    const QVector<QPair<int, int>> sides = {{1, 3}, {2, 3}, {3, 3}, {4, 9}, {16, 16}};
    for (const auto &ab : sides) {
        const int a = ab.first, b = ab.second, n = a + b;
        QVector<double> bip(n, 0.0);
        bip[0] = std::sqrt(double(a * b));
        bip[n - 1] = -bip[0];
        QTest::addRow("K%d,%d", a, b) << adjacency(n, [a](int i, int j) { return (i < a) != (j < a); }) << bip;
    }
}

void TestEig::closedForms()
{
    QFETCH(Matrix, matrix);
    QFETCH(QVector<double>, expected);
    const Eig eig(matrix, matrix.size());
    QVERIFY(eig.ok());
    const QVector<double> values = eig.eigvals();
    QCOMPARE(values.size(), expected.size());
    for (int k = 0; k < values.size(); ++k)
        QVERIFY2(std::fabs(values[k] - expected[k]) < 1e-6,
                 qPrintable(QString("eigenvalue %1: %2 vs %3").arg(k).arg(values[k]).arg(expected[k])));
    checkEigenpairs(matrix, eig);
}

void TestEig::workedExamples_data()
{
    QTest::addColumn<Matrix>("matrix");
    QTest::addColumn<QVector<double>>("values");
    QTest::addColumn<Matrix>("vectors");

    const double r = 1.0 / std::sqrt(2.0);
    QTest::newRow("[[0,1],[1,0]]") << Matrix{{0, 1}, {1, 0}} << QVector<double>{1, -1} << Matrix{{r, -r}, {r, r}};
    QTest::newRow("[[2,1],[1,2]]") << Matrix{{2, 1}, {1, 2}} << QVector<double>{3, 1} << Matrix{{r, -r}, {r, r}};
    QTest::newRow("diag(1,2,3)") << Matrix{{1, 0, 0}, {0, 2, 0}, {0, 0, 3}} << QVector<double>{3, 2, 1}
                                 << Matrix{{0, 0, 1}, {0, 1, 0}, {1, 0, 0}};
    // Equal eigenvalues keep the order of their diagonal positions.
    QTest::newRow("diag(2,2)") << Matrix{{2, 0}, {0, 2}} << QVector<double>{2, 2} << Matrix{{1, 0}, {0, 1}};
    // An off-diagonal entry under the threshold is left alone.
    QTest::newRow("below threshold") << Matrix{{1, 5e-7}, {5e-7, 2}} << QVector<double>{2, 1} << Matrix{{0, 1}, {1, 0}};
}

void TestEig::workedExamples()
{
    QFETCH(Matrix, matrix);
    QFETCH(QVector<double>, values);
    QFETCH(Matrix, vectors);
    const Eig eig(matrix, matrix.size());
    QVERIFY(eig.ok());
    const QVector<double> got = eig.eigvals();
    const Matrix gotVectors = eig.eigvecs();
    for (int k = 0; k < values.size(); ++k) {
        QVERIFY(std::fabs(got[k] - values[k]) < 1e-12);
        for (int row = 0; row < values.size(); ++row)
            QVERIFY2(std::fabs(gotVectors[row][k] - vectors[row][k]) < 1e-12,
                     qPrintable(QString("entry [%1][%2] = %3").arg(row).arg(k).arg(gotVectors[row][k])));
    }
}

void TestEig::smallOrders()
{
    const Eig one(Matrix{{-4.5}}, 1);
    QVERIFY(one.ok());
    QCOMPARE(one.eigvals(), QVector<double>{-4.5});
    QCOMPARE(one.eigvecs(), Matrix{{1.0}});

    const Eig none(Matrix(), 0);
    QVERIFY(none.ok());
    QVERIFY(none.eigvals().isEmpty());
    QVERIFY(none.eigvecs().isEmpty());
}

void TestEig::eigvecIndex()
{
    const Eig eig(Matrix{{1, 0, 0}, {0, 2, 0}, {0, 0, 3}}, 3);
    for (int bad : {-1, 3}) {
        CerrCapture capture;
        QVERIFY(eig.eigvec(bad).isEmpty());
        QCOMPARE(QString::fromStdString(capture.text()), QString("Error index out of range for Eig::vector(index)\n"));
    }
    // The last column belongs to the smallest eigenvalue.
    QCOMPARE(eig.eigvec(2), (QVector<double>{1, 0, 0}));
}

void TestEig::failures_data()
{
    QTest::addColumn<Matrix>("matrix");
    QTest::addColumn<int>("order");

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("NaN off the diagonal") << Matrix{{1, nan}, {nan, 1}} << 2;
    QTest::newRow("NaN on the diagonal") << Matrix{{nan, 0}, {0, 1}} << 2;
    QTest::newRow("infinity") << Matrix{{1, 0, 0}, {0, inf, 1}, {0, 1, 2}} << 3;
    QTest::newRow("1x1 NaN") << Matrix{{nan}} << 1;
    // The rotation of this plane overflows.
    QTest::newRow("overflow") << Matrix{{1.5e308, 1.5e308}, {1.5e308, 1.5e308}} << 2;
    QTest::newRow("too few rows") << Matrix{{1, 0}, {0, 1}} << 3;
    QTest::newRow("short row") << Matrix{{1, 0, 0}, {0, 1}, {0, 0, 1}} << 3;
}

void TestEig::failures()
{
    QFETCH(Matrix, matrix);
    QFETCH(int, order);
    const Eig eig(matrix, order);
    QVERIFY(!eig.ok());
    QVERIFY(!eig.errorText().isEmpty());
    // Nothing that could pass for a result: every value is NaN.
    const QVector<double> values = eig.eigvals();
    QCOMPARE(values.size(), order);
    for (double v : values)
        QVERIFY(std::isnan(v));
    for (const QVector<double> &row : eig.eigvecs())
        for (double v : row)
            QVERIFY(std::isnan(v));
}

void TestEig::readsLeadingBlockOnly()
{
    // The spectral items pass their 32 x 32 storage with the vertex count as the order.
    Matrix big = zeros(32);
    for (int i = 0; i < 32; ++i)
        for (int j = 0; j < 32; ++j)
            big[i][j] = (i < 3 && j < 3) ? (i == j ? 2.0 : 1.0) : 7.0;
    const Eig eig(big, 3);
    QVERIFY(eig.ok());
    const QVector<double> values = eig.eigvals();
    QCOMPARE(values.size(), 3);
    QVERIFY(std::fabs(values[0] - 4.0) < 1e-9);
    QVERIFY(std::fabs(values[1] - 1.0) < 1e-9);
    QVERIFY(std::fabs(values[2] - 1.0) < 1e-9);
}

void TestEig::agreesWithReference()
{
    const QString dir = qEnvironmentVariable("ORV_FIXTURES");
    QVERIFY2(!dir.isEmpty(), "ORV_FIXTURES is not set");
    const QVector<FixtureCase> cases = readFixture(dir + "/eig_fixture.txt");
    QVERIFY(cases.size() >= 10);
    for (const FixtureCase &c : cases) {
        const int n = c.matrix.size();
        const Eig eig(c.matrix, n);
        QVERIFY(eig.ok());
        const QVector<double> values = eig.eigvals();
        QCOMPARE(values.size(), n);
        for (int k = 0; k < n; ++k)
            QVERIFY2(std::fabs(values[k] - c.values[k]) < 1e-6,
                     qPrintable(QString("%1 %2: eigenvalue %3").arg(c.kind).arg(n).arg(k)));
        for (int k = 0; k < n; ++k) {
            if (c.vectors[k].isEmpty())
                continue;
            // Eigenvectors are fixed up to their sign.
            const QVector<double> v = eig.eigvec(k);
            double dot = 0.0;
            for (int r = 0; r < n; ++r)
                dot += v[r] * c.vectors[k][r];
            const double sign = dot < 0 ? -1.0 : 1.0;
            for (int r = 0; r < n; ++r)
                QVERIFY2(std::fabs(sign * v[r] - c.vectors[k][r]) < 1e-5,
                         qPrintable(QString("%1 %2: vector %3 entry %4").arg(c.kind).arg(n).arg(k).arg(r)));
        }
        checkEigenpairs(c.matrix, eig);
    }
}

QTEST_GUILESS_MAIN(TestEig)
#include "tst_eig.moc"
