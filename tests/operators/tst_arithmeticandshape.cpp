#include "NamedGraphs.h"
#include "OperatorHarness.h"

#include "graph/Graph.h"

#include <QFile>
#include <QtTest>
#include <cmath>
#include <limits>

namespace {
const double NaN = std::numeric_limits<double>::quiet_NaN();
const double Inf = std::numeric_limits<double>::infinity();
const double Pi = 3.14159265358979323846;
// An empty slot, and an argument with no entries (1 x 0) that is not in error.
const Matrix absent;
const Matrix noEntries = {QVector<double>{}};

using Args = QVector<Matrix>;

QString graphText(const Graph::Row rows[], int n)
{
    QString bits;
    for (int i = 1; i < n; ++i)
        for (int j = 0; j < i; ++j)
            bits += ((rows[i] >> j) & 1u) ? '1' : '0';
    return QString::number(n) + ' ' + bits;
}

// The operator of the key over fixed arguments, argument k labelled "r<k>" / "c<k>", computed.
Calculus *run(OperatorHarness &h, const QString &key, const Args &args)
{
    Calculus *op = h.make(key);
    for (int k = 0; k < args.size(); ++k)
        if (!args[k].isEmpty())
            OperatorHarness::setArg(op, k + 1, h.fixed(args[k], QString("r%1").arg(k + 1), QString("c%1").arg(k + 1)));
    h.evaluate(op);
    return op;
}

// The numpy fixture as rows of the fixture test: "pair r c" blocks give CORR, ANGLE and
// EUCLIDIANDIST of two r x c values; "edges <graph text>" blocks give ECORR of a column of
// vertex values on that graph.
void addFixtureRows()
{
    QFile file(qEnvironmentVariable("ORV_FIXTURES") + "/similarity_fixture.txt");
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        QFAIL("cannot read similarity_fixture.txt (is ORV_FIXTURES set?)");
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    auto numbers = [&lines](int i) {
        QVector<double> v;
        for (const QString &x : lines.value(i).split(' '))
            v.append(x.toDouble());
        return v;
    };
    for (int i = 0; i < lines.size();) {
        const QStringList head = lines[i].split(' ');
        if (head[0] == "pair") {
            const int c = head.value(2).toInt();
            Args args;
            for (int k = 1; k <= 2; ++k) {
                const QVector<double> v = numbers(i + k);
                Matrix m(v.size() / c, QVector<double>(c));
                for (int e = 0; e < v.size(); ++e)
                    m[e / c][e % c] = v[e];
                args.append(m);
            }
            const QVector<double> expected = numbers(i + 3);
            const char *keys[] = {"CORR", "ANGLE", "EUCLIDIANDIST"};
            for (int k = 0; k < 3; ++k)
                QTest::addRow("line %d %s", i + 1, keys[k]) << QString(keys[k]) << QString() << args << expected[k];
            i += 4;
        } else {
            QTest::addRow("line %d ECORR", i + 1) << "ECORR" << head.mid(1).join(' ')
                                                   << Args{OperatorHarness::column(numbers(i + 1))}
                                                   << numbers(i + 2).value(0);
            i += 3;
        }
    }
}
} // namespace

Q_DECLARE_METATYPE(Matrix)
Q_DECLARE_METATYPE(Args)

class TestArithmeticAndShape : public QObject
{
    Q_OBJECT

private slots:
    // One computation: its value (empty after a failure), status text, error flag and labels.
    void values_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<Args>("args");
        QTest::addColumn<Matrix>("expected");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("labels");
        const Matrix col = {{1}, {2}, {3}};
        const Matrix sq = {{1, 2}, {3, 4}};
        const Matrix big = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
        auto add = [](const char *name, const char *key, Args args, Matrix expected, const char *status,
                      const char *labels) {
            QTest::newRow(name) << QString(key) << args << expected << QString(status) << QString(labels);
        };
        // Element-wise functions: the argument's shape and labels, no tolerance, no range check.
        add("ABS column", "ABS", {{{-2.5}, {0}, {3}}}, {{2.5}, {0}, {3}}, "ABS", "r1 c1");
        add("CEIL just above 2", "CEIL", {{{2 + 1e-7}}}, {{3}}, "CEIL", "r1 c1");
        add("FLOOR just below 3", "FLOOR", {{{3 - 1e-7}}}, {{2}}, "FLOOR", "r1 c1");
        add("FLOOR 3 x 3", "FLOOR", {{{1.5, -1.5, 2}, {0.1, 9.9, -0.1}, {7, 7.5, 8}}},
            {{1, -2, 2}, {0, 9, -1}, {7, 7, 8}}, "FLOOR", "r1 c1");
        add("EXP overflows", "EXP", {{{1000}}}, {{Inf}}, "EXP", "r1 c1");
        add("ABS NaN", "ABS", {{{NaN}}}, {{NaN}}, "ABS", "r1 c1");
        // Sum: a single value stands for every entry, whichever side it is on, and for every
        // further term.
        add("+ column and value", "+", {col, {{2}}}, {{3}, {4}, {5}}, "+", "r1 c1");
        add("+ value and column", "+", {{{2}}, col}, {{3}, {4}, {5}}, "+", "r2 c2");
        add("+ 2 x 2 and 3 x 3", "+", {sq, big}, {}, "ARG SIZE DIFFER", "NA NA");
        add("+ slot 3 empty", "+", {sq, sq, absent, {{10, 20}, {30, 40}}}, {{12, 24}, {36, 48}}, "+", "r1 c1");
        add("+ four terms", "+", {sq, sq, sq, sq}, {{4, 8}, {12, 16}}, "+", "r1 c1");
        add("+ third differs", "+", {sq, sq, {{1, 2}}}, {}, "ARG SIZE DIFFER", "NA NA");
        add("+ value, then vectors", "+", {col, {{2}}, col, {{1}}}, {{5}, {7}, {9}}, "+", "r1 c1");
        add("+ values, then a matrix", "+", {{{1}}, {{2}}, sq}, {{4, 5}, {6, 7}}, "+", "r3 c3");
        add("+ value, then another shape", "+", {col, {{2}}, sq}, {}, "ARG SIZE DIFFER", "NA NA");
        // Quotient.
        add("/ vector by value", "/", {{{2}, {4}}, {{2}}}, {{1}, {2}}, "/", "r1 c1");
        add("/ value by vector", "/", {{{2}}, {{2}, {4}}}, {{1}, {0.5}}, "/", "r2 c2");
        add("/ equal shapes take the divisor's labels", "/", {sq, {{2, 4}, {-1, 8}}}, {{0.5, 0.5}, {-3, 0.5}}, "/",
            "r2 c2");
        add("/ by exactly 1e-6", "/", {{{3}}, {{1e-6}}}, {{3e6}}, "/", "r1 c1");
        add("/ by 5e-7", "/", {{{2}, {4}}, {{5e-7}}}, {}, "NUMERICAL ERROR: DIV by 0", "r1 c1");
        add("/ row by column", "/", {{{1, 2}}, {{1}, {2}}}, {}, "ARG SIZE DIFFER", "NA NA");
        // Similarity and distance.
        add("CORR perpendicular", "CORR", {{{2}, {0}}, {{0}, {5}}}, {{0}}, "CORR", "1 1");
        add("ANGLE perpendicular", "ANGLE", {{{2}, {0}}, {{0}, {5}}}, {{Pi / 2}}, "ANGLE", "1 1");
        add("EUCLIDIANDIST perpendicular", "EUCLIDIANDIST", {{{2}, {0}}, {{0}, {5}}}, {{std::sqrt(29.0)}},
            "EUCLIDIANDIST", "1 1");
        add("CORR same signs", "CORR", {{{3}}, {{0.5}}}, {{1}}, "CORR", "1 1");
        add("ANGLE opposite signs", "ANGLE", {{{3}}, {{-0.5}}}, {{Pi}}, "ANGLE", "1 1");
        add("ANGLE row against column", "ANGLE", {{{1, 2, 3}}, col}, {}, "ARG SIZE DIFFER", "1 1");
        add("EUCLIDIANDIST row against column", "EUCLIDIANDIST", {{{1, 2, 3}}, col}, {}, "ARG SIZE DIFFER",
            "NA NA");
        add("CORR of a matrix", "CORR", {sq, sq}, {}, "VECTORS NEEDED", "1 1");
        add("EUCLIDIANDIST of matrices", "EUCLIDIANDIST", {sq, {{0, 0}, {0, 0}}}, {{std::sqrt(30.0)}},
            "EUCLIDIANDIST", "1 1");
        add("EUCLIDIANDIST equal", "EUCLIDIANDIST", {big, big}, {{0}}, "EUCLIDIANDIST", "1 1");
        add("ANGLE zero vector", "ANGLE", {{{0}, {0}}, {{1}, {2}}}, {}, "NUMERICAL ERROR: DIV by 0", "1 1");
        add("CORR second argument without entries", "CORR", {col, noEntries}, {}, "ARG SIZE DIFFER", "1 1");
        // Columns, diagonal, centring.
        add("ADDCOLS slot 2 empty", "ADDCOLS", {{{1, 2}, {3, 4}, {5, 6}}, absent, col},
            {{1, 2, 1}, {3, 4, 2}, {5, 6, 3}}, "ADDCOLS", "NA NA");
        add("ADDCOLS all four", "ADDCOLS", {col, col, {{7, 8}, {9, 10}, {11, 12}}, col},
            {{1, 1, 7, 8, 1}, {2, 2, 9, 10, 2}, {3, 3, 11, 12, 3}}, "ADDCOLS", "NA NA");
        add("ADDCOLS unmatching", "ADDCOLS", {{{1, 2}, {3, 4}, {5, 6}}, sq}, {}, "Unmatching dimension", "NA NA");
        add("ADDCOLS alone", "ADDCOLS", {sq}, sq, "ADDCOLS", "NA NA");
        add("COLUMN 2.9", "COLUMN", {big, {{2.9}}}, {{2}, {5}, {8}}, "COLUMN", "r1 1");
        add("COLUMN last", "COLUMN", {big, {{3}}}, {{3}, {6}, {9}}, "COLUMN", "r1 1");
        add("COLUMN beyond", "COLUMN", {big, {{4}}}, {}, "Invalid column number", "NA NA");
        add("COLUMN 0.5", "COLUMN", {big, {{0.5}}}, {}, "Invalid column number", "NA NA");
        add("COLUMN NaN", "COLUMN", {big, {{NaN}}}, {}, "Invalid column number", "NA NA");
        add("COLUMN 1e10", "COLUMN", {big, {{1e10}}}, {}, "Invalid column number", "NA NA");
        add("COLUMN by a row", "COLUMN", {big, {{1, 2}}}, {}, "The second argument should be a number", "NA NA");
        add("DIAG column", "DIAG", {col}, {{1, 0, 0}, {0, 2, 0}, {0, 0, 3}}, "DIAG", "r1 r1");
        add("DIAG row", "DIAG", {{{1, 2, 3}}}, {{1, 0, 0}, {0, 2, 0}, {0, 0, 3}}, "DIAG", "c1 c1");
        add("DIAG matrix", "DIAG", {sq}, {}, "The argument should be a vector", "NA NA");
        add("DIAG value", "DIAG", {{{4}}}, {}, "Argument 1 should be a vector", "NA NA");
        add("CENTER matrix", "CENTER", {sq}, {{-1.5, -0.5}, {0.5, 1.5}}, "CENTER", "r1 c1");
        add("CENTER value", "CENTER", {{{7}}}, {{0}}, "CENTER", "r1 c1");
        // Palindromic distance: each mirrored pair once, row or column.
        add("DPALINDROMIC row 1..4", "DPALINDROMIC", {{{1, 2, 3, 4}}}, {{4}}, "DPALINDROMIC", "1 1");
        add("DPALINDROMIC column 1..4", "DPALINDROMIC", {{{1}, {2}, {3}, {4}}}, {{4}}, "DPALINDROMIC", "1 1");
        add("DPALINDROMIC row 1..3", "DPALINDROMIC", {{{1, 2, 3}}}, {{2}}, "DPALINDROMIC", "1 1");
        add("DPALINDROMIC palindrome", "DPALINDROMIC", {{{1, 7, 2, 7, 1}}}, {{0}}, "DPALINDROMIC", "1 1");
        add("DPALINDROMIC two entries", "DPALINDROMIC", {{{5}, {2}}}, {{3}}, "DPALINDROMIC", "1 1");
        add("DPALINDROMIC matrix", "DPALINDROMIC", {big}, {}, "The argument should be a vector", "1 1");
        add("DPALINDROMIC value", "DPALINDROMIC", {{{3}}}, {}, "Argument 1 should be a vector", "1 1");
        // Conditional choice, within 1e-6.
        add("IFGE equal", "IFGE", {{{2}}, {{2}}, {{10}}, {{20}}}, {{10}}, "IFGE", "r3 c3");
        add("IFGE smaller", "IFGE", {{{1}}, {{2}}, {{10}}, {{20}}}, {{20}}, "IFGE", "r3 c3");
        add("IFGE within the tolerance", "IFGE", {{{1 - 5e-7}}, {{1}}, {{10}}, {{20}}}, {{10}}, "IFGE", "r3 c3");
        add("IFGE beyond the tolerance", "IFGE", {{{1 - 2e-6}}, {{1}}, {{10}}, {{20}}}, {{20}}, "IFGE", "r3 c3");
        add("IFGE NaN", "IFGE", {{{NaN}}, {{1}}, {{10}}, {{20}}}, {{20}}, "IFGE", "r3 c3");
        add("IFGE term by term", "IFGE", {sq, {{1, 3}, {3, 5}}, {{10, 11}, {12, 13}}, {{20, 21}, {22, 23}}},
            {{10, 21}, {12, 23}}, "IFGE", "r3 c3");
        add("IFGE larger comparison", "IFGE", {big, {{0, 9, 9}, {9, 9, 9}, {9, 9, 9}}, {{10}}, {{20}}}, {{10}},
            "IFGE", "r3 c3");
        add("IFGE 3 and 4 differ", "IFGE", {sq, sq, sq, {{1}, {2}}}, {}, "ARG SIZE ERROR", "NA NA");
        add("IFGE 1 and 2 differ", "IFGE", {sq, big, sq, sq}, {}, "ARG SIZE ERROR", "NA NA");
        add("IFGE comparison smaller than the choice", "IFGE", {{{1}}, {{0}}, sq, sq}, {}, "ARG SIZE ERROR",
            "NA NA");
        add("IFGE empty fourth", "IFGE", {{{1}}, {{0}}, {{1}}, noEntries}, {}, "Argument error", "NA NA");
    }
    void values()
    {
        QFETCH(QString, key);
        QFETCH(Args, args);
        QFETCH(Matrix, expected);
        QFETCH(QString, status);
        QFETCH(QString, labels);
        OperatorHarness h;
        Calculus *op = run(h, key, args);
        QCOMPARE(op->getStatus(), status);
        QCOMPARE(op->getError(), expected.isEmpty());
        QVERIFY2(OperatorHarness::matches(op, expected), qPrintable(QString::number(op->entry(0, 0), 'g', 17)));
        QCOMPARE(op->getSRows() + ' ' + op->getSCols(), labels);
    }

    // Near-zero divisors: the entries before keep their quotients, the failing one holds 1e12.
    void divisionByZero()
    {
        OperatorHarness h;
        Calculus *byValue = run(h, "/", {{{2}, {4}}, {{5e-7}}});
        QCOMPARE(byValue->getValue(1), 1e12);
        QCOMPARE(byValue->entry(0, 0), 1e12);
        Calculus *termwise = run(h, "/", {{{6}, {8}, {9}}, {{2}, {0}, {3}}});
        QVERIFY(termwise->getError());
        QCOMPARE(termwise->getStatus(), QString("NUMERICAL ERROR: DIV by 0"));
        QCOMPARE(termwise->entry(0, 0), 3.0);
        QCOMPARE(termwise->entry(1, 0), 1e12);
        QCOMPARE(termwise->entry(2, 0), 0.0);
        // A zero vector under CORR: the value was set to 0 before the failure.
        Calculus *corr = run(h, "CORR", {{{1}, {2}}, {{0}, {0}}});
        QVERIFY(corr->getError());
        QCOMPARE(corr->entry(0, 0), 0.0);
    }

    // Labels after a failure that follows a success labelled "r1" / "c1".
    void labelsAfterFailure_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("arity");
        QTest::addColumn<bool>("emptied");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("labels");
        QTest::newRow("ABS missing") << "ABS" << 1 << false << "Missing argument" << "NA NA";
        QTest::newRow("ABS empty") << "ABS" << 1 << true << "Argument error" << "r1 c1";
        QTest::newRow("CEIL missing") << "CEIL" << 1 << false << "Missing argument" << "r1 c1";
        QTest::newRow("CEIL empty") << "CEIL" << 1 << true << "Argument error" << "r1 c1";
        QTest::newRow("EXP empty") << "EXP" << 1 << true << "Argument error" << "NA NA";
        QTest::newRow("+ missing") << "+" << 2 << false << "Missing arguments" << "r1 c1";
        QTest::newRow("+ empty") << "+" << 2 << true << "Argument error" << "r1 c1";
        QTest::newRow("/ empty") << "/" << 2 << true << "Argument error" << "NA NA";
        QTest::newRow("IFGE missing") << "IFGE" << 4 << false << "Missing arguments" << "r3 c3";
        QTest::newRow("IFGE empty") << "IFGE" << 4 << true << "Argument error" << "NA NA";
        QTest::newRow("COLUMN empty") << "COLUMN" << 2 << true << "Argument error" << "NA NA";
        QTest::newRow("DPALINDROMIC missing") << "DPALINDROMIC" << 1 << false << "Missing argument" << "1 1";
        QTest::newRow("EUCLIDIANDIST missing") << "EUCLIDIANDIST" << 2 << false << "Missing arguments" << "NA NA";
    }
    void labelsAfterFailure()
    {
        QFETCH(QString, key);
        QFETCH(int, arity);
        QFETCH(bool, emptied);
        QFETCH(QString, status);
        QFETCH(QString, labels);
        OperatorHarness h;
        Args args;
        for (int k = 1; k <= arity; ++k)
            args.append(Matrix{{1, 2}});
        if (key == "COLUMN")
            args[1] = Matrix{{1}};
        Calculus *op = run(h, key, args);
        QVERIFY(!op->getError());
        if (emptied)
            static_cast<FixedItem *>(op->getArg(1))->set(noEntries, "x", "y");
        else
            OperatorHarness::setArg(op, arity, nullptr);
        h.evaluate(op);
        QVERIFY(op->getError());
        QCOMPARE(op->getNbRows(), 0);
        QCOMPARE(op->getStatus(), status);
        QCOMPARE(op->getSRows() + ' ' + op->getSCols(), labels);
    }

    // Cosine, angle and distance over rows, columns and single values, and the correlation of
    // end values over the edges of random graphs (their degrees and random values), against numpy.
    void fixture_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("graph");
        QTest::addColumn<Args>("args");
        QTest::addColumn<double>("expected");
        addFixtureRows();
    }
    void fixture()
    {
        QFETCH(QString, key);
        QFETCH(QString, graph);
        QFETCH(Args, args);
        QFETCH(double, expected);
        OperatorHarness h;
        if (!graph.isEmpty())
            h.setGraphText(graph);
        Calculus *op = run(h, key, args);
        QVERIFY(!op->getError());
        QVERIFY2(std::fabs(op->entry(0, 0) - expected) <= 1e-12 * std::max(1.0, std::fabs(expected)),
                 qPrintable(QString("%1 against %2").arg(op->entry(0, 0), 0, 'g', 17).arg(expected, 0, 'g', 17)));
    }

    // Closed forms on known families, with the degrees as vertex values.
    void edgeCorrelationFamilies_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("n");
        QTest::addColumn<double>("expected");
        QTest::addColumn<bool>("error");
        // The path P_n: 2 edges join degrees 1 and 2, n - 3 join 2 and 2; r = -1/(n - 2).
        for (int n = 3; n <= 32; ++n)
            QTest::addRow("path %d", n) << "path" << n << -1.0 / (n - 2) << false;
        QTest::newRow("star 4") << "star" << 4 << -1.0 << false;
        QTest::newRow("star 32") << "star" << 32 << -1.0 << false;
        // Regular graphs: every end value equals the mean; the value is 1 and in error.
        QTest::newRow("cycle 5") << "cycle" << 5 << 1.0 << true;
        QTest::newRow("petersen") << "petersen" << 10 << 1.0 << true;
        QTest::newRow("complete 32") << "complete" << 32 << 1.0 << true;
        QTest::newRow("no edge") << "empty" << 6 << 1.0 << true;
        QTest::newRow("one vertex") << "empty" << 1 << 1.0 << true;
    }
    void edgeCorrelationFamilies()
    {
        QFETCH(QString, family);
        QFETCH(int, n);
        QFETCH(double, expected);
        QFETCH(bool, error);
        Graph::Row rows[Graph::MaxNodes];
        const int count = NamedGraphs::byName(qPrintable(family), rows, n);
        OperatorHarness h;
        h.setGraphText(graphText(rows, count));
        Calculus *ecorr = h.make("ECORR", true);
        ecorr->setArg1(h.make("DEGREES"));
        h.evaluate(ecorr);
        QCOMPARE(ecorr->getError(), error);
        QCOMPARE(ecorr->getStatus(), QString("ECORR"));
        QCOMPARE(ecorr->getNbRows(), 1);
        QVERIFY2(std::fabs(ecorr->entry(0, 0) - expected) <= 1e-12, qPrintable(QString::number(ecorr->entry(0, 0), 'g', 17)));
        ecorr->bestBackup();
        QCOMPARE(ecorr->toolTip(), QString("ECORR"));
    }

    // End values on a matching, the argument's shape, and isolated vertices.
    void edgeCorrelationCases_data()
    {
        QTest::addColumn<QString>("graph");
        QTest::addColumn<Matrix>("values");
        QTest::addColumn<double>("expected");
        QTest::addColumn<QString>("status");
        // Edges {0, 1} and {2, 3}: the graph text lists (1,0) (2,0) (2,1) (3,0) (3,1) (3,2).
        QTest::newRow("matching, equal ends") << "4 100001" << Matrix{{1}, {1}, {5}, {5}} << 1.0 << "ECORR";
        QTest::newRow("matching, crossed ends") << "4 100001" << Matrix{{1}, {5}, {1}, {5}} << -1.0 << "ECORR";
        QTest::newRow("isolated vertex ignored")
            << "5 1000010000" << Matrix{{1}, {5}, {1}, {5}, {1000}} << -1.0 << "ECORR";
        QTest::newRow("row vector") << "4 100001" << Matrix{{1, 2, 3, 4}} << 0.0
                                    << "COLUMN VECTOR NEEDED WITH n ENTRIES";
        QTest::newRow("one entry too many") << "4 100001" << Matrix{{1}, {2}, {3}, {4}, {5}} << 0.0
                                            << "COLUMN VECTOR NEEDED WITH n ENTRIES";
    }
    void edgeCorrelationCases()
    {
        QFETCH(QString, graph);
        QFETCH(Matrix, values);
        QFETCH(double, expected);
        QFETCH(QString, status);
        OperatorHarness h;
        h.setGraphText(graph);
        Calculus *op = run(h, "ECORR", {values});
        QCOMPARE(op->getStatus(), status);
        QCOMPARE(op->getSRows() + ' ' + op->getSCols(), QString("1 1"));
        if (status == "ECORR") {
            QVERIFY(!op->getError());
            QCOMPARE(op->entry(0, 0), expected);
        } else {
            QVERIFY(op->getError());
            QCOMPARE(op->getNbRows(), 0);
        }
    }

    // ADDCOLS never writes past the 32 columns of its storage, and a later success replaces the
    // failure's status text.
    void addColsBeyondStorage()
    {
        OperatorHarness h;
        Matrix wide(2, QVector<double>(17, 1.0));
        Calculus *op = run(h, "ADDCOLS", {wide, wide});
        QVERIFY(op->getError());
        QCOMPARE(op->getStatus(), QString("ADDCOLS: more than 32 columns"));
        QCOMPARE(op->getNbCols(), 0);
        static_cast<FixedItem *>(op->getArg(2))->set(Matrix(2, QVector<double>(15, 2.0)));
        h.evaluate(op);
        QVERIFY(!op->getError());
        QCOMPARE(op->getNbCols(), 32);
        QCOMPARE(op->getStatus(), QString("ADDCOLS"));
        QCOMPARE(op->entry(1, 31), 2.0);
        QCOMPARE(op->formula(), QString("ADDCOLS(X,X)"));
    }

    // A smaller DIAG after a larger one is a diagonal matrix: nothing of the former value shows.
    void diagonalAfterLargerDiagonal()
    {
        OperatorHarness h;
        Calculus *op = run(h, "DIAG", {{{1}, {2}, {3}, {4}}});
        QCOMPARE(op->getNbRows(), 4);
        static_cast<FixedItem *>(op->getArg(1))->set({{7, 8}});
        h.evaluate(op);
        QVERIFY(OperatorHarness::matches(op, {{7, 0}, {0, 8}}));
    }
};

QTEST_MAIN(TestArithmeticAndShape)
#include "tst_arithmeticandshape.moc"
