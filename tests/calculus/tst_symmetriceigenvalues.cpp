#include "calculus/Eig.h"
#include "calculus/SymmetricEigenvalues.h"
#include "FixtureReader.h"

#include <QFile>
#include <QtTest>
#include <cfloat>
#include <cmath>
#include <limits>
#include <random>

using Matrix = QVector<QVector<double>>;
Q_DECLARE_METATYPE(Matrix)

namespace {

Matrix fromRows(const Graph::Row rows[], int n, bool laplacian)
{
    Matrix m(n, QVector<double>(n, 0.0));
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            if ((rows[i] >> j) & 1u) {
                m[i][j] = laplacian ? -1.0 : 1.0;
                if (laplacian)
                    m[i][i] += 1.0;
            }
    return m;
}

// Jacobi stops once every off-diagonal entry is under 1e-6, which can leave a close pair of
// its eigenvalues a few 1e-10 from the exact ones (two of the connected 8-vertex graphs,
// whose spectra hold the golden ratio, show 1.9e-10); QL runs to rounding. The agreement
// asked of the two is therefore 1e-9, and the fast values are held to LAPACK's at 1e-12.
constexpr double JacobiAgreement = 1e-9;
double largestGap = 0.0;

// The fast eigenvalues against the Jacobi ones of the same matrix.
bool agree(const Matrix &m, QString *why)
{
    const int n = m.size();
    const Eig reference(m, n);
    const SymmetricEigenvalues fast(m, n);
    if (!reference.ok() || !fast.ok()) {
        *why = QStringLiteral("failed: ") + reference.errorText() + QStringLiteral(" / ") + fast.errorText();
        return false;
    }
    const QVector<double> a = reference.eigvals(), b = fast.eigvals();
    if (a.size() != n || b.size() != n) {
        *why = QStringLiteral("wrong count");
        return false;
    }
    for (int k = 0; k < n; ++k) {
        largestGap = std::max(largestGap, std::fabs(a[k] - b[k]));
        if (!(std::fabs(a[k] - b[k]) <= JacobiAgreement)) {
            *why = QString("eigenvalue %1 of %2: %3 against %4").arg(k).arg(n).arg(a[k], 0, 'g', 17).arg(b[k], 0, 'g', 17);
            return false;
        }
    }
    return true;
}

void checkGraph(const QString &text, const Graph::Row rows[], int n)
{
    QString why;
    for (bool laplacian : {false, true})
        QVERIFY2(agree(fromRows(rows, n, laplacian), &why),
                 qPrintable(text + (laplacian ? " (Laplacian) " : " (adjacency) ") + why));
}

} // namespace

class TestSymmetricEigenvalues : public QObject
{
    Q_OBJECT

private slots:
    void fixtureGraphs_data() { FixtureReader::addFileRows(); }
    void fixtureGraphs()
    {
        QFETCH(QString, file);
        const QVector<FixtureReader::Entry> entries = FixtureReader::read(file);
        QVERIFY(!entries.isEmpty());
        for (const FixtureReader::Entry &e : entries)
            checkGraph(e.text, e.rows, e.n);
    }

    void connectedEightVertexGraphs()
    {
        QFile file(FixtureReader::directory() + QStringLiteral("/connected8.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        int count = 0;
        while (!file.atEnd()) {
            const QString line = QString::fromLatin1(file.readLine()).trimmed();
            if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
                continue;
            int n;
            Graph::Row rows[Graph::MaxNodes] = {};
            QVERIFY2(FixtureReader::parseGraphText(line, n, rows), qPrintable(line));
            checkGraph(line, rows, n);
            ++count;
        }
        QCOMPARE(count, 11117);
    }

    // Dense real entries, small integers with many repeated eigenvalues, and sparse ones
    // (which split into blocks and leave zeros on the sub-diagonal).
    void randomMatrices()
    {
        std::mt19937 gen(20261207u);
        std::uniform_int_distribution<int> order(1, 32), kind(0, 2), small(-2, 2);
        std::uniform_real_distribution<double> real(-10.0, 10.0), coin(0.0, 1.0);
        for (int t = 0; t < 1000; ++t) {
            const int n = order(gen);
            const int k = kind(gen);
            Matrix m(n, QVector<double>(n, 0.0));
            for (int i = 0; i < n; ++i)
                for (int j = i; j < n; ++j) {
                    double x = k == 0 ? real(gen) : small(gen);
                    if (k == 2 && coin(gen) < 0.8)
                        x = 0.0;
                    m[i][j] = m[j][i] = x;
                }
            QString why;
            QVERIFY2(agree(m, &why), qPrintable(QString("matrix %1: ").arg(t) + why));
        }
    }

    // numpy's (LAPACK) eigenvalues of the matrices in eig_fixture.txt: after the size line,
    // n matrix lines, one line of eigenvalues, n eigenvector lines.
    void lapackValues()
    {
        QFile file(FixtureReader::directory() + QStringLiteral("/eig_fixture.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        QTextStream in(&file);
        int count = 0;
        while (!in.atEnd()) {
            const QStringList head = in.readLine().split(QLatin1Char(' '), QString::SkipEmptyParts);
            if (head.size() != 2 || head[0].startsWith(QLatin1Char('#')))
                continue;
            const int n = head[1].toInt();
            Matrix m(n, QVector<double>(n));
            for (int i = 0; i < n; ++i) {
                const QStringList cells = in.readLine().split(QLatin1Char(' '), QString::SkipEmptyParts);
                QCOMPARE(cells.size(), n);
                for (int j = 0; j < n; ++j)
                    m[i][j] = cells[j].toDouble();
            }
            const QStringList expected = in.readLine().split(QLatin1Char(' '), QString::SkipEmptyParts);
            for (int i = 0; i < n; ++i)
                in.readLine();
            QCOMPARE(expected.size(), n);
            double scale = 1.0;
            for (const QVector<double> &row : m)
                for (double x : row)
                    scale = std::max(scale, std::fabs(x));
            const SymmetricEigenvalues fast(m, n);
            QVERIFY(fast.ok());
            for (int k = 0; k < n; ++k)
                QVERIFY2(std::fabs(fast.eigvals()[k] - expected[k].toDouble()) <= 1e-12 * scale,
                         qPrintable(QString("%1 %2, eigenvalue %3").arg(head[0]).arg(n).arg(k)));
            ++count;
        }
        QVERIFY(count > 0);
        qInfo("largest gap to Jacobi over the graphs and random matrices: %.3g", largestGap);
    }

    void closedForms_data()
    {
        QTest::addColumn<Matrix>("matrix");
        QTest::addColumn<QVector<double>>("expected");
        const int n = 12;
        Matrix cycle(n, QVector<double>(n, 0.0));
        QVector<double> cycleValues;
        for (int i = 0; i < n; ++i) {
            cycle[i][(i + 1) % n] = cycle[(i + 1) % n][i] = 1.0;
            cycleValues << 2.0 * std::cos(2.0 * M_PI * i / n);
        }
        std::sort(cycleValues.begin(), cycleValues.end(), std::greater<double>());
        QTest::newRow("C12") << cycle << cycleValues;
        Matrix complete(32, QVector<double>(32, 1.0));
        for (int i = 0; i < 32; ++i)
            complete[i][i] = 0.0;
        QTest::newRow("K32") << complete << (QVector<double>{31.0} + QVector<double>(31, -1.0));
        QTest::newRow("K2,3") << Matrix{{0, 0, 1, 1, 1}, {0, 0, 1, 1, 1}, {1, 1, 0, 0, 0}, {1, 1, 0, 0, 0}, {1, 1, 0, 0, 0}}
                              << QVector<double>{std::sqrt(6.0), 0, 0, 0, -std::sqrt(6.0)};
        QTest::newRow("1 x 1") << Matrix{{-3.5}} << QVector<double>{-3.5};
        QTest::newRow("empty") << Matrix() << QVector<double>();
    }
    void closedForms()
    {
        QFETCH(Matrix, matrix);
        QFETCH(QVector<double>, expected);
        const SymmetricEigenvalues fast(matrix, matrix.size());
        QVERIFY(fast.ok());
        const QVector<double> values = fast.eigvals();
        QCOMPARE(values.size(), expected.size());
        for (int k = 0; k < values.size(); ++k)
            QVERIFY2(std::fabs(values[k] - expected[k]) < 1e-12, qPrintable(QString::number(k)));
    }

    // Whatever Eig refuses or rounds differently, the fast path reports as Eig does.
    void sameOutcomeAsEig_data()
    {
        QTest::addColumn<Matrix>("matrix");
        QTest::addColumn<int>("order");
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const double inf = std::numeric_limits<double>::infinity();
        QTest::newRow("NaN entry") << Matrix{{1, nan}, {nan, 1}} << 2;
        QTest::newRow("infinite diagonal") << Matrix{{inf, 0}, {0, 1}} << 2;
        QTest::newRow("smaller than its order") << Matrix{{1, 2}, {2, 1}} << 3;
        QTest::newRow("near the largest double") << Matrix{{DBL_MAX / 2, DBL_MAX / 3}, {DBL_MAX / 3, -DBL_MAX / 2}} << 2;
        QTest::newRow("not exactly symmetric") << Matrix{{1, 2 + 1e-9}, {2, 5}} << 2;
    }
    void sameOutcomeAsEig()
    {
        QFETCH(Matrix, matrix);
        QFETCH(int, order);
        const Eig reference(matrix, order);
        const SymmetricEigenvalues fast(matrix, order);
        QCOMPARE(fast.ok(), reference.ok());
        QCOMPARE(fast.errorText(), reference.errorText());
        const QVector<double> a = reference.eigvals(), b = fast.eigvals();
        QCOMPARE(b.size(), a.size());
        for (int k = 0; k < a.size(); ++k)
            QVERIFY(std::isnan(a[k]) ? std::isnan(b[k]) : a[k] == b[k]);
    }
};

QTEST_GUILESS_MAIN(TestSymmetricEigenvalues)
#include "tst_symmetriceigenvalues.moc"
