#include "InvariantProbe.h"
#include "OperatorHarness.h"

#include <QtTest>
#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <random>

namespace {
const double NaN = std::numeric_limits<double>::quiet_NaN();

// The operator over argument 1 (labels "r"/"c") and, when given, argument 2.
Calculus *select(OperatorHarness &h, const QString &key, const Matrix &arg, const Matrix &second, bool withSecond)
{
    Calculus *op = h.make(key);
    op->setArg1(h.fixed(arg, "r", "c"));
    if (withSecond)
        op->setArg2(h.fixed(second, "1", "1"));
    h.evaluate(op);
    return op;
}

// Bit-exact, so that the order of -0.0 and 0.0 and the place of a NaN count.
bool sameBits(const QVector<double> &a, const QVector<double> &b)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i)
        if (std::isnan(a[i]) != std::isnan(b[i]))
            return false;
        else if (!std::isnan(a[i]) && (a[i] != b[i] || std::signbit(a[i]) != std::signbit(b[i])))
            return false;
    return true;
}
} // namespace

Q_DECLARE_METATYPE(Matrix)

class TestSelections : public QObject
{
    Q_OBJECT

private slots:
    // VALUE AT, ROW, FIRST, SECOND, LAST and SORT: value, labels and status text; a failure
    // leaves 0 x 0, "NA"/"NA" and the error flag.
    void selections_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<Matrix>("arg");
        QTest::addColumn<Matrix>("second");
        QTest::addColumn<Matrix>("expected");
        QTest::addColumn<QString>("labels");
        QTest::addColumn<QString>("status");
        const Matrix v = {{5}, {7}, {9}};
        const Matrix row4 = {{1, 2, 3, 4}};
        const Matrix m34 = {{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}};
        const Matrix none;
        const QString bounds = "Index out of bounds";
        QTest::newRow("VALUE AT 2.9") << "VALUE AT" << v << Matrix{{2.9}} << Matrix{{7}} << "1 1" << "VECTOR VALUE AT";
        QTest::newRow("VALUE AT 3") << "VALUE AT" << v << Matrix{{3}} << Matrix{{9}} << "1 1" << "VECTOR VALUE AT";
        QTest::newRow("VALUE AT 3.999") << "VALUE AT" << v << Matrix{{3.999}} << Matrix{{9}} << "1 1"
                                        << "VECTOR VALUE AT";
        QTest::newRow("VALUE AT row, last") << "VALUE AT" << row4 << Matrix{{4}} << Matrix{{4}} << "1 1"
                                            << "VECTOR VALUE AT";
        for (double i : {4.0, 0.0, -0.5, 0.999, NaN, 1e13, -1e13})
            QTest::newRow(qPrintable("VALUE AT " + QString::number(i))) << "VALUE AT" << v << Matrix{{i}} << none
                                                                       << "NA NA" << bounds;
        QTest::newRow("VALUE AT matrix") << "VALUE AT" << m34 << Matrix{{1}, {2}} << none << "NA NA"
                                         << "The first argument should be a vector";
        QTest::newRow("VALUE AT vector index") << "VALUE AT" << Matrix{{5}} << Matrix{{1}, {2}} << none << "NA NA"
                                               << "The second argument should be a number";
        QTest::newRow("VALUE AT empty index") << "VALUE AT" << v << none << none << "NA NA"
                                              << "The second argument should be a number";
        QTest::newRow("VALUE AT single") << "VALUE AT" << Matrix{{5}} << Matrix{{1}} << none << "NA NA"
                                         << "Argument 1 should be a vector";
        QTest::newRow("ROW 2 of 3x4") << "ROW" << m34 << Matrix{{2}} << Matrix{{5, 6, 7, 8}} << "1 c" << "ROW";
        QTest::newRow("ROW 4 of 3x4") << "ROW" << m34 << Matrix{{4}} << none << "NA NA" << "Invalid row number";
        QTest::newRow("ROW 1e13") << "ROW" << m34 << Matrix{{1e13}} << none << "NA NA" << "Invalid row number";
        QTest::newRow("ROW of a column") << "ROW" << v << Matrix{{2}} << Matrix{{7}} << "1 c" << "ROW";
        QTest::newRow("ROW of a row") << "ROW" << row4 << Matrix{{1}} << row4 << "1 c" << "ROW";
        QTest::newRow("ROW 2 of a row") << "ROW" << row4 << Matrix{{2}} << none << "NA NA" << "Invalid row number";
        const Matrix c3 = {{4}, {2}, {8}};
        QTest::newRow("FIRST column") << "FIRST" << c3 << none << Matrix{{4}} << "1 1" << "FIRST";
        QTest::newRow("SECOND column") << "SECOND" << c3 << none << Matrix{{2}} << "1 1" << "SECOND";
        QTest::newRow("LAST column") << "LAST" << c3 << none << Matrix{{8}} << "1 1" << "LAST";
        QTest::newRow("SECOND row") << "SECOND" << row4 << none << Matrix{{2}} << "1 1" << "SECOND";
        QTest::newRow("FIRST single") << "FIRST" << Matrix{{-3}} << none << Matrix{{-3}} << "1 1" << "FIRST";
        QTest::newRow("SECOND single") << "SECOND" << Matrix{{-3}} << none << none << "NA NA" << "Argument error";
        QTest::newRow("FIRST matrix") << "FIRST" << m34 << none << Matrix{{1}, {5}, {9}} << "r 1" << "FIRST";
        QTest::newRow("LAST matrix") << "LAST" << m34 << none << Matrix{{4}, {8}, {12}} << "r 1" << "LAST";
        QTest::newRow("SECOND 2x2") << "SECOND" << Matrix{{1, 2}, {3, 4}} << none << Matrix{{2}, {4}} << "r 1"
                                    << "SECOND";
        QTest::newRow("SORT column") << "SORT" << Matrix{{3}, {1}, {2}} << none << Matrix{{3}, {2}, {1}} << "r c"
                                     << "Column vector";
        QTest::newRow("SORT row") << "SORT" << Matrix{{1, 2, 2, 3}} << none << Matrix{{3, 2, 2, 1}} << "r c"
                                  << "Row vector";
        QTest::newRow("SORT NaN stays") << "SORT" << Matrix{{1}, {NaN}, {3}} << none << Matrix{{1}, {NaN}, {3}}
                                        << "r c" << "Column vector";
        QTest::newRow("SORT NaN splits") << "SORT" << Matrix{{1, 3, NaN, 2, 5}} << none << Matrix{{3, 1, NaN, 5, 2}}
                                         << "r c" << "Row vector";
        QTest::newRow("SORT single") << "SORT" << Matrix{{4}} << none << Matrix{{4}} << "r c" << "single element";
        QTest::newRow("SORT matrix") << "SORT" << Matrix{{1, 2}, {3, 4}} << none << none << "NA NA"
                                     << "SORT needs a vector as argument";
    }
    void selections()
    {
        QFETCH(QString, key);
        QFETCH(Matrix, arg);
        QFETCH(Matrix, second);
        QFETCH(Matrix, expected);
        QFETCH(QString, labels);
        QFETCH(QString, status);
        OperatorHarness h;
        Calculus *op = select(h, key, arg, second, key == "VALUE AT" || key == "ROW");
        QCOMPARE(op->getStatus(), status);
        const bool failed = labels == "NA NA";
        QCOMPARE(op->getError(), failed);
        QCOMPARE(op->getSRows() + ' ' + op->getSCols(), labels);
        QVERIFY2(OperatorHarness::matches(op, expected),
                 qPrintable(InvariantProbe::show(OperatorHarness::valueOf(op))));
    }

    // SORT is a stable descending sort (0.0 and -0.0 compare equal and keep their order) and
    // FIRST of it is the largest entry, on random vectors both ways; a matrix fails.
    void sortIsStableAndDescending()
    {
        std::mt19937 rng(208);
        std::uniform_int_distribution<int> length(1, 32);
        std::uniform_int_distribution<int> pick(-4, 4);
        OperatorHarness h;
        FixedItem *arg = h.fixed({});
        Calculus *sort = h.make("SORT");
        sort->setArg1(arg);
        Calculus *first = h.make("FIRST");
        first->setArg1(sort);
        Calculus *max = h.make("MAX");
        max->setArg1(arg);
        for (int trial = 0; trial < 200; ++trial) {
            QVector<double> v(length(rng));
            for (double &x : v) {
                const int k = pick(rng);
                x = k == 0 ? (pick(rng) < 0 ? -0.0 : 0.0) : k * 0.5;
            }
            QVector<double> expected = v;
            std::stable_sort(expected.begin(), expected.end(), std::greater<double>());
            const bool asRow = trial % 2;
            arg->set(asRow ? Matrix{v} : OperatorHarness::column(v), "r", "c");
            h.evaluate(first);
            h.evaluate(max);
            QVERIFY(sameBits(asRow ? sort->getFirstRow() : sort->getFirstCol(), expected));
            QCOMPARE(first->entry(0, 0), max->entry(0, 0));
        }
        // A matrix after all those vectors: a failure, not the last sorted vector.
        arg->set({{1, 2}, {3, 4}}, "r", "c");
        h.evaluate(sort);
        QVERIFY(sort->getError());
        QCOMPARE(sort->getNbRows(), 0);
    }
};

QTEST_MAIN(TestSelections)
#include "tst_selections.moc"
