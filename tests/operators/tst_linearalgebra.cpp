#include "FixtureReader.h"
#include "GraphText.h"
#include "NamedGraphs.h"
#include "OperatorHarness.h"

#include "graph/Graph.h"

#include <QtTest>
#include <cmath>
#include <limits>
#include <random>

namespace {
const double NaN = std::numeric_limits<double>::quiet_NaN();
const double Inf = std::numeric_limits<double>::infinity();
const double Pi = 3.14159265358979323846;

Matrix diag(const QVector<double> &d)
{
    Matrix m(d.size(), QVector<double>(d.size(), 0.0));
    for (int i = 0; i < d.size(); ++i)
        m[i][i] = d[i];
    return m;
}

Matrix randomSymmetric(int n, std::mt19937 &rng)
{
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    Matrix m(n, QVector<double>(n));
    for (int i = 0; i < n; ++i)
        for (int j = 0; j <= i; ++j)
            m[i][j] = m[j][i] = u(rng);
    return m;
}

// B B^T + I for a random B: symmetric and positive definite.
Matrix randomPositiveDefinite(int n, std::mt19937 &rng)
{
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    Matrix b(n, QVector<double>(n));
    for (auto &row : b)
        for (double &x : row)
            x = u(rng);
    Matrix m(n, QVector<double>(n, 0.0));
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            for (int k = 0; k < n; ++k)
                m[i][j] += b[i][k] * b[j][k];
            if (i == j)
                m[i][j] += 1.0;
        }
    return m;
}

// L(G) + J from the edges of a family: its determinant is n^2 times the number of spanning
// trees of G (Kirchhoff's matrix-tree theorem).
Matrix laplacianPlusOnes(const char *family, int n)
{
    Graph::Row rows[Graph::MaxNodes];
    NamedGraphs::byName(family, rows, n);
    Matrix m(n, QVector<double>(n, 1.0));
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            if (i != j && ((rows[i] >> j) & 1u)) {
                m[i][j] -= 1.0;
                m[i][i] += 1.0;
            }
    return m;
}

double maxAbs(const Matrix &m)
{
    double x = 0.0;
    for (const auto &row : m)
        for (double v : row)
            x = std::max(x, std::fabs(v));
    return x;
}
} // namespace

Q_DECLARE_METATYPE(Matrix)

class TestLinearAlgebra : public QObject
{
    Q_OBJECT

private slots:
    // Every refusal and success text, with the labels and shape each leaves.
    void statusTexts_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<Matrix>("arg");
        QTest::addColumn<QString>("status");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("cols");
        QTest::addColumn<QString>("rowsLabel");
        QTest::addColumn<QString>("colsLabel");
        const Matrix sym = {{2, 1}, {1, 2}};
        const Matrix wide = {{1, 2, 3}, {4, 5, 6}};
        const Matrix column = {{1}, {2}, {3}};
        const struct {
            const char *key;
            const char *prefix;
            const char *symmetric;
            const char *success;
            int rows, cols;
            const char *rowsLabel, *colsLabel;
        } ops[] = {
            {"EIGENVALUES", "EIG", "symetric", "Eigenvalues", 2, 1, "r", "1"},
            {"EIGENVECTORS", "EIGENVECTORS", "symetric", "Eigenvectors", 2, 2, "r", "c"},
            {"DETERMINANT", "DETERMINANT", "symetric", "DETERMINANT", 1, 1, "1", "1"},
            {"INERTIA", "INERTIA", "symetric", "Inertia", 1, 3, "1", "3"},
            {"CHOLESKY", "CHOLESKY", "simmetric", "Cholesky", 2, 2, "r", "c"},
            {"LAPLACIANOF", "LAPLACIANOF", "symetric", "LaplacianOf", 2, 2, "r", "r"},
        };
        for (const auto &o : ops) {
            const QString k = o.key, p = o.prefix;
            auto row = [&](const char *what, const Matrix &m, const QString &status) {
                const bool ok = status == o.success;
                QTest::newRow(qPrintable(k + ' ' + what))
                    << k << m << status << (ok ? o.rows : 0) << (ok ? o.cols : 0)
                    << (ok ? QString(o.rowsLabel) : "NA") << (ok ? QString(o.colsLabel) : "NA");
            };
            const QString notSymmetric = p + " needs a " + o.symmetric + " matrix";
            // Non-finite input: the decomposing items and LAPLACIANOF name it, CHOLESKY takes
            // it for a matrix without factor.
            const QString nonFinite =
                k == "CHOLESKY" ? QString("CHOLESKY matrix not positive definite") : p + " needs finite entries";
            row("success", sym, o.success);
            row("empty", {}, "Argument error");
            row("2x3", wide, p + " needs a square matrix");
            row("3x1", column, p + " needs a square matrix");
            row("1x1", {{5}}, p + " needs a matrix as argument");
            row("difference 1e-6 passes", {{2, 1 + 1e-6}, {1, 2}}, o.success);
            row("difference 1.5e-6 fails", {{2, 1 + 1.5e-6}, {1, 2}}, notSymmetric);
            row("NaN on the diagonal", {{NaN, 1}, {1, 2}}, nonFinite);
            row("NaN pair", {{2, NaN}, {NaN, 2}}, nonFinite);
            row("NaN above the diagonal", {{2, NaN}, {1, 2}}, nonFinite);
            row("inf on the diagonal", {{Inf, 0}, {0, 1}}, nonFinite);
            row("inf pair", {{1, Inf}, {Inf, 1}}, nonFinite);
            row("inf against a number", {{1, Inf}, {0, 1}}, notSymmetric);
        }
        // Finite entries whose rotations overflow.
        const Matrix huge = {{1.7e308, 1.7e308}, {1.7e308, -1.7e308}};
        for (const char *k : {"EIGENVALUES", "EIGENVECTORS", "DETERMINANT", "INERTIA"}) {
            const QString p = QString(k) == "EIGENVALUES" ? "EIG" : k;
            QTest::newRow(qPrintable(QString(k) + " huge entries"))
                << QString(k) << huge << p + " decomposition failed" << 0 << 0 << "NA" << "NA";
        }
        QTest::newRow("CHOLESKY semi-definite")
            << "CHOLESKY" << Matrix{{1, 1}, {1, 1}} << "CHOLESKY matrix not positive definite" << 0 << 0 << "NA"
            << "NA";
        QTest::newRow("CHOLESKY zero") << "CHOLESKY" << Matrix{{0, 0}, {0, 0}}
                                       << "CHOLESKY matrix not positive definite" << 0 << 0 << "NA" << "NA";
        QTest::newRow("CHOLESKY negative first pivot")
            << "CHOLESKY" << Matrix{{-1, 0}, {0, 1}} << "CHOLESKY matrix not positive definite" << 0 << 0 << "NA"
            << "NA";
    }
    void statusTexts()
    {
        QFETCH(QString, key);
        QFETCH(Matrix, arg);
        QFETCH(QString, status);
        QFETCH(int, rows);
        QFETCH(int, cols);
        QFETCH(QString, rowsLabel);
        QFETCH(QString, colsLabel);
        OperatorHarness h;
        Calculus *op = h.make(key, true);
        FixedItem *a = h.fixed({{3, 1}, {1, 3}}, "r", "c");
        op->setArg1(a);
        h.evaluate(op);
        QVERIFY(!op->getError());
        // Then the case itself, after that success.
        a->set(arg, "r", "c");
        h.evaluate(op);
        op->bestBackup();
        QCOMPARE(op->getStatus(), status);
        QCOMPARE(op->toolTip(), status);
        QCOMPARE(op->getError(), rows == 0);
        QCOMPARE(op->getNbRows(), rows);
        QCOMPARE(op->getNbCols(), cols);
        QCOMPARE(op->getSRows(), rowsLabel);
        QCOMPARE(op->getSCols(), colsLabel);
        for (const auto &row : OperatorHarness::valueOf(op))
            for (double x : row)
                QVERIFY(std::isfinite(x));
    }

    // Values worked out by hand.
    void handValues_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<Matrix>("arg");
        QTest::addColumn<Matrix>("expected");
        const double c = 1.0 / std::sqrt(2.0);
        const double r2 = std::sqrt(2.0);
        const Matrix p3 = {{0, 1, 0}, {1, 0, 1}, {0, 1, 0}};
        const Matrix k3 = {{0, 1, 1}, {1, 0, 1}, {1, 1, 0}};
        const double q = 1 + 5e-7;
        QTest::newRow("EIG [[2,1],[1,2]]") << "EIGENVALUES" << Matrix{{2, 1}, {1, 2}} << Matrix{{3}, {1}};
        QTest::newRow("EIGVEC [[2,1],[1,2]]") << "EIGENVECTORS" << Matrix{{2, 1}, {1, 2}} << Matrix{{c, -c}, {c, c}};
        QTest::newRow("EIG diag(1,3,2)") << "EIGENVALUES" << diag({1, 3, 2}) << Matrix{{3}, {2}, {1}};
        QTest::newRow("EIGVEC diag(1,3,2)") << "EIGENVECTORS" << diag({1, 3, 2})
                                            << Matrix{{0, 0, 1}, {1, 0, 0}, {0, 1, 0}};
        QTest::newRow("EIG identity") << "EIGENVALUES" << diag({1, 1}) << Matrix{{1}, {1}};
        QTest::newRow("EIGVEC identity") << "EIGENVECTORS" << diag({1, 1}) << diag({1, 1});
        QTest::newRow("EIGVEC within tolerance") << "EIGENVECTORS" << Matrix{{0, 5e-7}, {0, 0}} << diag({1, 1});
        QTest::newRow("EIG P3") << "EIGENVALUES" << p3 << Matrix{{r2}, {0}, {-r2}};
        QTest::newRow("DET identity") << "DETERMINANT" << diag({1, 1, 1}) << Matrix{{1}};
        QTest::newRow("DET 2,-3") << "DETERMINANT" << diag({2, -3}) << Matrix{{-6}};
        QTest::newRow("DET P3") << "DETERMINANT" << p3 << Matrix{{0}};
        QTest::newRow("DET triangle") << "DETERMINANT" << k3 << Matrix{{2}};
        QTest::newRow("DET 1e-4 twice") << "DETERMINANT" << diag({1e-4, 1e-4}) << Matrix{{1e-8}};
        QTest::newRow("DET 1e-4 thrice") << "DETERMINANT" << diag({1e-4, 1e-4, 1e-4}) << Matrix{{0}};
        QTest::newRow("DET 1,1e-6") << "DETERMINANT" << diag({1, 1e-6}) << Matrix{{1e-6}};
        QTest::newRow("DET tolerance") << "DETERMINANT" << Matrix{{0, 1e-6}, {0, 0}} << Matrix{{0}};
        QTest::newRow("INERTIA identity") << "INERTIA" << diag({1, 1, 1}) << Matrix{{0, 0, 3}};
        QTest::newRow("INERTIA 2,-3") << "INERTIA" << diag({2, -3}) << Matrix{{1, 0, 1}};
        QTest::newRow("INERTIA P3") << "INERTIA" << p3 << Matrix{{1, 1, 1}};
        QTest::newRow("INERTIA triangle") << "INERTIA" << k3 << Matrix{{2, 0, 1}};
        QTest::newRow("INERTIA 1,1e-6") << "INERTIA" << diag({1, 1e-6}) << Matrix{{0, 1, 1}};
        QTest::newRow("INERTIA -1e-6") << "INERTIA" << diag({-1e-6, -2e-6}) << Matrix{{1, 1, 0}};
        QTest::newRow("CHOL 2x2") << "CHOLESKY" << Matrix{{4, 2}, {2, 3}} << Matrix{{2, 0}, {1, r2}};
        QTest::newRow("CHOL 3x3") << "CHOLESKY" << Matrix{{4, 12, -16}, {12, 37, -43}, {-16, -43, 98}}
                                  << Matrix{{2, 0, 0}, {6, 1, 0}, {-8, 5, 3}};
        QTest::newRow("CHOL reads below") << "CHOLESKY" << Matrix{{2, 1}, {q, 2}}
                                          << Matrix{{r2, 0}, {q / r2, std::sqrt(2 - q * q / 2)}};
        QTest::newRow("LAPOF P3") << "LAPLACIANOF" << p3 << Matrix{{1, -1, 0}, {-1, 2, -1}, {0, -1, 1}};
        QTest::newRow("LAPOF diagonal ignored") << "LAPLACIANOF" << Matrix{{2, 3}, {3, 5}}
                                                << Matrix{{3, -3}, {-3, 3}};
        QTest::newRow("LAPOF huge diagonal") << "LAPLACIANOF" << Matrix{{0, 1}, {1, 1e16}}
                                             << Matrix{{1, -1}, {-1, 1}};
        QTest::newRow("LAPOF own mirror") << "LAPLACIANOF" << Matrix{{0, 1}, {q, 0}} << Matrix{{1, -1}, {-q, q}};
        QTest::newRow("LAPOF weights") << "LAPLACIANOF" << Matrix{{7, 0.5, -2}, {0.5, 1, 3}, {-2, 3, 0}}
                                       << Matrix{{-1.5, -0.5, 2}, {-0.5, 3.5, -3}, {2, -3, 1}};
    }
    void handValues()
    {
        QFETCH(QString, key);
        QFETCH(Matrix, arg);
        QFETCH(Matrix, expected);
        OperatorHarness h;
        Calculus *op = h.over(key, arg);
        QVERIFY(!op->getError());
        QVERIFY2(OperatorHarness::matches(op, expected), qPrintable(op->getStatus()));
    }

    // The spectrum of the path P_n: 2 cos(pi k / (n + 1)), k = 1..n, read off the graph.
    void pathSpectrum()
    {
        OperatorHarness h;
        Calculus *adjacency = h.make("ADJACENCY");
        Calculus *eig = h.make("EIGENVALUES");
        eig->setArg1(adjacency);
        for (int n = 2; n <= 32; ++n) {
            h.setGraphText(GraphText::family("path", n));
            h.evaluate(eig);
            QCOMPARE(eig->getNbRows(), n);
            for (int k = 1; k <= n; ++k)
                QVERIFY2(std::fabs(eig->entry(k - 1, 0) - 2 * std::cos(Pi * k / (n + 1))) < 1e-9,
                         qPrintable(QString("n=%1 k=%2").arg(n).arg(k)));
        }
    }

    // On random symmetric matrices: V^T V = I and A V = V diag(eigenvalues). The rotations
    // stop once every off-diagonal entry is below 1e-6, so an entry of A V - V diag can reach
    // sqrt(31) x 1e-6; the orthogonality of the rotations holds to rounding.
    void eigenIdentities()
    {
        std::mt19937 rng(4242);
        OperatorHarness h;
        for (int round = 0; round < 20; ++round) {
            const Matrix a = randomSymmetric(32, rng);
            Calculus *values = h.over("EIGENVALUES", a);
            Calculus *vectors = h.over("EIGENVECTORS", a);
            const Matrix v = OperatorHarness::valueOf(vectors);
            QCOMPARE(values->getNbRows(), 32);
            QCOMPARE(v.size(), 32);
            double orthogonality = 0.0, residual = 0.0;
            for (int i = 0; i < 32; ++i)
                for (int k = 0; k < 32; ++k) {
                    double dot = 0.0, av = 0.0;
                    for (int t = 0; t < 32; ++t) {
                        dot += v[t][i] * v[t][k];
                        av += a[i][t] * v[t][k];
                    }
                    orthogonality = std::max(orthogonality, std::fabs(dot - (i == k ? 1.0 : 0.0)));
                    residual = std::max(residual, std::fabs(av - v[i][k] * values->entry(k, 0)));
                }
            QVERIFY2(orthogonality < 1e-12, qPrintable(QString::number(orthogonality)));
            QVERIFY2(residual < 6e-6, qPrintable(QString::number(residual)));
            for (int k = 1; k < 32; ++k)
                QVERIFY(values->entry(k - 1, 0) >= values->entry(k, 0));
        }
    }

    // Kirchhoff: det(L + J) = n^2 tau(G), tau = 1 for paths, n for cycles, n^(n-2) for K_n.
    void kirchhoff_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("n");
        QTest::addColumn<double>("trees");
        for (int n = 3; n <= 32; ++n) {
            QTest::newRow(qPrintable(QString("P%1").arg(n))) << "path" << n << 1.0;
            QTest::newRow(qPrintable(QString("C%1").arg(n))) << "cycle" << n << double(n);
            QTest::newRow(qPrintable(QString("K%1").arg(n))) << "complete" << n << std::pow(double(n), n - 2);
        }
    }
    void kirchhoff()
    {
        QFETCH(QString, family);
        QFETCH(int, n);
        QFETCH(double, trees);
        OperatorHarness h;
        Calculus *det = h.over("DETERMINANT", laplacianPlusOnes(qPrintable(family), n));
        QVERIFY(!det->getError());
        const double expected = double(n) * n * trees;
        QVERIFY2(std::fabs(det->entry(0, 0) - expected) <= 1e-8 * expected,
                 qPrintable(QString("%1 against %2").arg(det->entry(0, 0), 0, 'g', 17).arg(expected, 0, 'g', 17)));
    }

    // Inertia of matrices the graph items give: A(K_n) is [n - 1, 0, 1]; the Laplacian of
    // three disjoint triangles has eigenvalues 0 (three times) and 3 (six times).
    void inertiaOfGraphs()
    {
        OperatorHarness h;
        Calculus *adjacency = h.make("ADJACENCY");
        Calculus *inertia = h.make("INERTIA");
        inertia->setArg1(adjacency);
        for (int n = 2; n <= 32; ++n) {
            h.setGraphText(GraphText::family("complete", n));
            h.evaluate(inertia);
            QVERIFY2(OperatorHarness::matches(inertia, {{double(n - 1), 0, 1}}), qPrintable(QString::number(n)));
        }
        Graph::Row rows[Graph::MaxNodes];
        NamedGraphs::fromEdges(rows, 9, {{0, 1}, {1, 2}, {0, 2}, {3, 4}, {4, 5}, {3, 5}, {6, 7}, {7, 8}, {6, 8}});
        h.setGraphText(GraphText::of(rows, 9));
        Calculus *laplacian = h.make("LAPLACIAN");
        inertia->setArg1(laplacian);
        h.evaluate(inertia);
        QVERIFY(OperatorHarness::matches(inertia, {{0, 3, 6}}));
    }

    // L L^T = M, L lower triangular, on random positive definite matrices of every order.
    void choleskyProducts()
    {
        std::mt19937 rng(99);
        OperatorHarness h;
        for (int n = 2; n <= 32; ++n) {
            const Matrix m = randomPositiveDefinite(n, rng);
            Calculus *chol = h.over("CHOLESKY", m);
            QVERIFY(!chol->getError());
            const Matrix l = OperatorHarness::valueOf(chol);
            double worst = 0.0;
            for (int i = 0; i < n; ++i)
                for (int j = 0; j < n; ++j) {
                    if (j > i)
                        QCOMPARE(l[i][j], 0.0);
                    double s = 0.0;
                    for (int k = 0; k < n; ++k)
                        s += l[i][k] * l[j][k];
                    worst = std::max(worst, std::fabs(s - m[i][j]));
                }
            QVERIFY2(worst <= 1e-9 * maxAbs(m), qPrintable(QString("n=%1: %2").arg(n).arg(worst)));
        }
    }

    // LAPLACIANOF over the adjacency item equals the Laplacian of the reference files and the
    // LAPLACIAN item, on every graph of two vertices or more.
    void laplacianOfAdjacency_data() { FixtureReader::addFileRows(); }
    void laplacianOfAdjacency()
    {
        QFETCH(QString, file);
        const QVector<FixtureReader::Entry> entries = FixtureReader::read(file);
        QVERIFY(!entries.isEmpty());
        OperatorHarness h;
        Calculus *of = h.make("LAPLACIANOF");
        of->setArg1(h.make("ADJACENCY"));
        Calculus *laplacian = h.make("LAPLACIAN");
        int checked = 0;
        for (const FixtureReader::Entry &e : entries) {
            if (e.n < 2 || !e.has("LAPLACIAN"))
                continue;
            h.setGraphText(e.text);
            h.evaluate(of);
            h.evaluate(laplacian);
            QVERIFY(!of->getError());
            QCOMPARE(of->getNbRows(), e.n);
            QCOMPARE(OperatorHarness::valueOf(of), OperatorHarness::valueOf(laplacian));
            for (int i = 0; i < e.n; ++i)
                for (int j = 0; j < e.n; ++j)
                    QVERIFY2(of->entry(i, j) == e.matrix("LAPLACIAN", i, j), qPrintable(e.text));
            ++checked;
        }
        QVERIFY(checked > 50);
    }

    // What stays in the storage around a result, and the sign of a zero product.
    void storage()
    {
        OperatorHarness h;
        Matrix m = diag({1, 2, 3, 4, 5});
        m[0][3] = m[3][0] = 0.5;
        m[0][4] = m[4][0] = -0.25;
        Calculus *inertia = h.over("INERTIA", m);
        QCOMPARE(inertia->entry(0, 3), 0.5);
        QCOMPARE(inertia->entry(0, 4), -0.25);
        QCOMPARE(inertia->entry(2, 2), 3.0);

        Calculus *chol = h.over("CHOLESKY", {{1, 2}, {2, 1}});
        QCOMPARE(chol->getStatus(), QString("CHOLESKY matrix not positive definite"));
        QCOMPARE(chol->entry(1, 0), 2.0);

        Calculus *det = h.over("DETERMINANT", {{0, 1, 0}, {1, 0, 1}, {0, 1, 0}});
        QCOMPARE(det->entry(0, 0), 0.0);
        QVERIFY(std::signbit(det->entry(0, 0)));

        Calculus *lap = h.over("LAPLACIANOF", {{0, 1, 0}, {1, 0, 1}, {0, 1, 0}});
        QVERIFY(std::signbit(lap->entry(0, 2)));
    }
};

QTEST_MAIN(TestLinearAlgebra)
#include "tst_linearalgebra.moc"
