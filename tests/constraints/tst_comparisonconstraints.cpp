#include "BoardItems.h"
#include "PaintProbe.h"
#include "calculus/BuildCalculus.h"
#include "calculus/Eval.h"
#include "graph/Graph.h"
#include "problem/Problem.h"

#include <QtTest>
#include <cmath>
#include <limits>
#include <memory>
#include <random>

using Matrix = QVector<QVector<double>>;
Q_DECLARE_METATYPE(Matrix)

namespace {
const double NaN = std::nan("");

ValueFn fixed(const Matrix &m)
{
    return [m](Graph *, Calculus *const *) { return m; };
}

Matrix col(std::initializer_list<double> v)
{
    Matrix m;
    for (double x : v)
        m.append(QVector<double>{x});
    return m;
}

// An argument with the given shape and no cells in it (0 rows and some columns, ...).
class EmptyShape : public ScriptedOperator
{
public:
    EmptyShape(int r, int c) : ScriptedOperator("EMPTY", fixed(Matrix{})), rows(r), cols(c) {}
    void recompute() override
    {
        nbRows = rows;
        nbCols = cols;
    }
    int rows;
    int cols;
};

// A comparison made by key, with its two arguments computed on a graph of its own.
// One graph for the whole test: a graph is a view widget, slow to make.
Graph &sharedGraph()
{
    static Graph *g = new Graph("g", false);
    return *g;
}

struct Rig
{
    Graph &g = sharedGraph();
    BuildCalculus factory;
    std::unique_ptr<Calculus> item;
    std::unique_ptr<Calculus> lhs;
    std::unique_ptr<Calculus> rhs;

    explicit Rig(const QString &key, bool displayed = false) : item(factory.makeCalculus(key, displayed))
    {
        item->setGraph(&g);
    }
    Calculus *argument(Calculus *c)
    {
        c->setGraph(&g);
        c->compute(true);
        return c;
    }
    void run(Calculus *a, Calculus *b)
    {
        lhs.reset(a ? argument(a) : nullptr);
        rhs.reset(b ? argument(b) : nullptr);
        if (a)
            item->setArg1(a);
        if (b)
            item->setArg2(b);
        if (!a && !b)
            item->bestBackup();
    }
    void run(const Matrix &a, const Matrix &b)
    {
        run(new ScriptedOperator("A", fixed(a)), new ScriptedOperator("B", fixed(b)));
    }
    double violation()
    {
        QMutexLocker locker(&item->getValueLock());
        return item->entry(0, 0);
    }
};

// The sum every comparison should give, written from the relations themselves: argument 2
// first spread to argument 1's shape, then one term per cell.
double expectedSum(const QString &key, const Matrix &a, const Matrix &b)
{
    double sum = 0.0;
    for (int i = 0; i < a.size(); ++i)
        for (int j = 0; j < a[i].size(); ++j) {
            const double x = a[i][j];
            const double y = b[b.size() == 1 ? 0 : i][b[0].size() == 1 ? 0 : j];
            const double d2 = (x - y) * (x - y);
            if (std::isnan(x) || std::isnan(y)) {
                sum += 1.0;
                continue;
            }
            // Equal cells satisfy the wide relations and fail the strict ones by 1.
            if (x == y) {
                sum += key == ">" || key == "<" ? 1.0 : 0.0;
                continue;
            }
            if (key == "==")
                sum += std::isnan(d2) ? 1.0 : d2;
            // The margin goes to the cell of argument 1 before the comparison.
            else if (key == ">=" && x + 1e-6 < y)
                sum += d2;
            else if (key == "<=" && x - 1e-6 > y)
                sum += d2;
            else if (key == ">" && x - 1e-6 < y)
                sum += d2 + 1.0;
            else if (key == "<" && y < x + 1e-6)
                sum += d2 + 1.0;
        }
    return sum;
}
} // namespace

class TestComparisonConstraints : public QObject
{
    Q_OBJECT

private slots:
    void cleanupTestCase() { delete &sharedGraph(); }

    void violations_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<Matrix>("a");
        QTest::addColumn<Matrix>("b");
        QTest::addColumn<double>("expected");
        const Matrix m22{{1, 2}, {3, 4}};
        const Matrix c4 = col({1, 2, 3, 0});
        QTest::newRow("== column against a value") << "==" << col({1, 2, 3}) << col({2}) << 2.0;
        QTest::newRow("== matrix against a column") << "==" << m22 << col({1, 3}) << 2.0;
        QTest::newRow("== matrix against a row") << "==" << m22 << Matrix{{1, 2}} << 8.0;
        QTest::newRow("== matrix against a matrix") << "==" << m22 << Matrix{{1, 0}, {3, 7}} << 13.0;
        QTest::newRow("== 5e-4 apart") << "==" << col({1, 5e-4}) << col({1, 0}) << 2.5e-7;
        QTest::newRow("== 1e12 against 0") << "==" << col({1e12}) << col({0}) << 1e24;
        QTest::newRow("== NaN cell counts 1") << "==" << col({NaN, 2}) << col({2}) << 1.0;
        QTest::newRow("== empty argument 1") << "==" << Matrix{} << col({5}) << 0.0;
        QTest::newRow(">= column against 2") << ">=" << c4 << col({2}) << 5.0;
        QTest::newRow(">= equal") << ">=" << col({3}) << col({3}) << 0.0;
        QTest::newRow(">= short by 1") << ">=" << col({2}) << col({3}) << 1.0;
        QTest::newRow(">= short by half the margin") << ">=" << col({3 - 5e-7}) << col({3}) << 0.0;
        QTest::newRow(">= short by 5e-4") << ">=" << col({0}) << col({5e-4}) << 2.5e-7;
        QTest::newRow(">= NaN bound") << ">=" << col({4, 1}) << col({NaN, 0}) << 1.0;
        QTest::newRow("> column against 2") << ">" << c4 << col({2}) << 8.0;
        QTest::newRow("> equal") << ">" << col({3}) << col({3}) << 1.0;
        QTest::newRow("> above") << ">" << col({4}) << col({3}) << 0.0;
        QTest::newRow("> below") << ">" << col({2}) << col({3}) << 2.0;
        QTest::newRow("> above by half the margin") << ">" << col({3 + 5e-7}) << col({3}) << 1.0 + 2.5e-13;
        QTest::newRow("> NaN cell") << ">" << col({NaN}) << col({3}) << 1.0;
        QTest::newRow("<= column against 2") << "<=" << c4 << col({2}) << 1.0;
        QTest::newRow("<= above by 1") << "<=" << col({4}) << col({3}) << 1.0;
        QTest::newRow("<= above by half the margin") << "<=" << col({3 + 5e-7}) << col({3}) << 0.0;
        QTest::newRow("<= rows against a row") << "<=" << Matrix{{1, 5, 3}, {4, 0, 9}} << Matrix{{2, 2, 2}} << 63.0;
        QTest::newRow("<= columns against a column") << "<=" << Matrix{{1, 5, 3}, {4, 0, 9}} << col({2, 5}) << 26.0;
        QTest::newRow("<= 1e12 bound") << "<=" << col({1e6}) << col({1e12}) << 0.0;
        QTest::newRow("< columns") << "<" << col({1, 6, 9}) << col({2, 6, 8}) << 3.0;
        QTest::newRow("< all below") << "<" << m22 << col({5}) << 0.0;
        QTest::newRow("< equal") << "<" << col({5}) << col({5}) << 1.0;
        QTest::newRow("< below by half the margin") << "<" << col({5 - 5e-7}) << col({5}) << 1.0 + 2.5e-13;
        QTest::newRow("< above by 2") << "<" << col({7}) << col({5}) << 5.0;
        QTest::newRow("< NaN both sides") << "<" << col({NaN}) << col({NaN}) << 1.0;
    }
    void violations()
    {
        QFETCH(QString, key);
        QFETCH(Matrix, a);
        QFETCH(Matrix, b);
        QFETCH(double, expected);
        Rig rig(key);
        rig.run(a, b);
        QVERIFY(!rig.item->getError());
        QCOMPARE(rig.item->getStatus(), key);
        QCOMPARE(rig.item->getNbRows(), 1);
        QCOMPARE(rig.item->getNbCols(), 1);
        QVERIFY2(std::fabs(rig.violation() - expected) <= 1e-12 * std::max(1.0, std::fabs(expected)),
                 qPrintable(QString::number(rig.violation(), 'g', 17)));
        QCOMPARE(rig.item->getSRows(), QString("NA"));
    }

    // Equal infinities, and the system's own 1e12, are equal cells for every relation: the
    // wide ones hold, the strict ones fail by 1 each.
    void equalInfinities_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<double>("expected");
        QTest::newRow("==") << "==" << 0.0;
        QTest::newRow(">=") << ">=" << 0.0;
        QTest::newRow("<=") << "<=" << 0.0;
        QTest::newRow(">") << ">" << 3.0;
        QTest::newRow("<") << "<" << 3.0;
    }
    void equalInfinities()
    {
        QFETCH(QString, key);
        QFETCH(double, expected);
        const double inf = std::numeric_limits<double>::infinity();
        const Matrix cells = col({inf, -inf, 1e12});
        Rig rig(key);
        rig.run(cells, cells);
        QVERIFY(!rig.item->getError());
        QCOMPARE(rig.violation(), expected);
    }

    void failures_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("ra");
        QTest::addColumn<int>("ca");
        QTest::addColumn<int>("rb");
        QTest::addColumn<int>("cb");
        QTest::addColumn<QString>("status");
        for (const QString key : {"==", ">=", ">", "<=", "<"}) {
            auto row = [&](const char *what) { return QString(key + ' ' + what).toLatin1(); };
            QTest::newRow(row("1x1 against 3x1").constData()) << key << 1 << 1 << 3 << 1 << "Format error";
            QTest::newRow(row("3x3 against 3x2").constData()) << key << 3 << 3 << 3 << 2 << "Format error";
            QTest::newRow(row("2x3 against 3x1").constData()) << key << 2 << 3 << 3 << 1 << "Format error";
            QTest::newRow(row("2x3 against 2x2").constData()) << key << 2 << 3 << 2 << 2 << "Format error";
            QTest::newRow(row("2x2 against 0x1").constData()) << key << 2 << 2 << 0 << 1 << "Format error";
            QTest::newRow(row("2x2 against 0x0").constData()) << key << 2 << 2 << 0 << 0 << "Format error";
            QTest::newRow(row("0x0 against 0x0").constData()) << key << 0 << 0 << 0 << 0 << "Format error";
            QTest::newRow(row("argument 1 missing").constData()) << key << -1 << 0 << 1 << 1 << "Missing arguments";
            QTest::newRow(row("argument 2 missing").constData()) << key << 1 << 1 << -1 << 0 << "Missing arguments";
            QTest::newRow(row("both missing").constData()) << key << -1 << 0 << -1 << 0 << "Missing arguments";
        }
    }
    void failures()
    {
        QFETCH(QString, key);
        QFETCH(int, ra);
        QFETCH(int, ca);
        QFETCH(int, rb);
        QFETCH(int, cb);
        QFETCH(QString, status);
        auto make = [](int r, int c) -> Calculus * {
            if (r < 0)
                return nullptr;
            if (r == 0 || c == 0)
                return new EmptyShape(r, c);
            return new ScriptedOperator("X", fixed(Matrix(r, QVector<double>(c, 1.0))));
        };
        Rig rig(key);
        rig.run(make(ra, ca), make(rb, cb));
        QVERIFY(rig.item->getError());
        QCOMPARE(rig.item->getStatus(), status);
        QCOMPARE(rig.item->getNbRows(), 0);
        QCOMPARE(rig.item->getNbCols(), 0);
        const QString formula = ra >= 0 && rb >= 0 ? rig.lhs->getName() + ' ' + key + ' ' + rig.rhs->getName()
                                                   : QString("MISSING ARGUMENT");
        QCOMPARE(rig.item->formula(), formula);
    }

    // The same item on both sides: one lock, every cell equal to its bound.
    void sameItemOnBothSides()
    {
        Rig rig("<");
        auto *a = new ScriptedOperator("A", fixed({{1, NaN, 3}, {4, 5, 6}}));
        rig.run(a, nullptr);
        rig.item->setArg2(a);
        QVERIFY(!rig.item->getError());
        QCOMPARE(rig.violation(), 6.0);
        QCOMPARE(rig.item->formula(), QString("A < A"));
    }

    // Keys, help texts and the arguments a comparison refuses.
    void identityAndLinks_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("help");
        QTest::newRow("==") << "==" << "The first and second arguments should be equal.";
        QTest::newRow(">=") << ">=" << "The first  argument should be greater than or equal to the second.";
        QTest::newRow(">") << ">" << "The first  argument should be greater than the second.";
        QTest::newRow("<=") << "<=" << "The first  argument should be less than or equal to the second.";
        QTest::newRow("<") << "<" << "The first  argument should be less than the second.";
    }
    void identityAndLinks()
    {
        QFETCH(QString, key);
        QFETCH(QString, help);
        BuildCalculus factory;
        QCOMPARE(factory.type(key), 4);
        std::unique_ptr<Calculus> c(factory.makeCalculus(key, true));
        QCOMPARE(c->getName(), key);
        QCOMPARE(c->getDescription(), help);
        QCOMPARE(c->latexDocumentation(), help);
        QCOMPARE(c->toolTip(), key);
        QVERIFY(!c->setArg3(c.get()) && !c->setArg4(c.get()) && !c->setLinkTo(nullptr));
        QVERIFY(!std::unique_ptr<Calculus>(factory.makeCalculus(key, false))->getCalculusDisplay());
    }

    // Random pairs of every accepted shape against the sum written above.
    void randomPairs()
    {
        std::mt19937 rng(20261207);
        const QStringList keys{"==", ">=", ">", "<=", "<"};
        auto pick = [&rng](int k) { return int(rng() % unsigned(k)); };
        auto cell = [&]() -> double {
            switch (pick(10)) {
            case 0: return double(pick(5));
            case 1: return NaN;
            case 2: return 1e12;
            default: return (pick(2001) - 1000) / 100.0;
            }
        };
        for (int round = 0; round < 1000; ++round) {
            const QString key = keys[round % keys.size()];
            const int r = 1 + pick(6);
            const int c = 1 + pick(6);
            Matrix a(r, QVector<double>(c));
            for (auto &row : a)
                for (double &x : row)
                    x = cell();
            const int form = pick(4); // value, column, row, matrix
            Matrix b(form == 1 || form == 3 ? r : 1, QVector<double>(form == 2 || form == 3 ? c : 1));
            for (int i = 0; i < b.size(); ++i)
                for (int j = 0; j < b[i].size(); ++j) {
                    // Bounds near a cell of argument 1 test the margins.
                    const double near = a[i % r][j % c] + (pick(5) - 2) * 5e-7;
                    b[i][j] = pick(3) == 0 ? near : cell();
                }
            Rig rig(key);
            rig.run(a, b);
            const double want = expectedSum(key, a, b);
            QVERIFY2(!rig.item->getError(), qPrintable(QString("round %1").arg(round)));
            const double got = rig.violation();
            QVERIFY2(got == want || std::fabs(got - want) <= 1e-12 * std::fabs(want),
                     qPrintable(QString("round %1 %2: %3 instead of %4")
                                    .arg(round).arg(key).arg(got, 0, 'g', 17).arg(want, 0, 'g', 17)));
        }
    }

    // A board with two constraints of violations 2 and 5 puts them last first; a NaN fed to a
    // constraint makes the record violated and the item shows as violated.
    void boardRecord()
    {
        Graph g("g", false);
        Problem p(&g, "p", false);
        BuildCalculus factory;
        auto addOp = [&](const Matrix &m) {
            auto *o = new ScriptedOperator("M", fixed(m));
            p.addOperatorItem(o);
            return o;
        };
        auto addConstraint = [&](const QString &key, Calculus *a, Calculus *b) {
            Calculus *c = factory.makeCalculus(key, false);
            p.addConstraintItem(c);
            p.link1(a, c);
            p.link2(b, c);
            return c;
        };
        addConstraint("==", addOp(col({1, 2, 3})), addOp(col({2})));
        addConstraint(">=", addOp(col({1, 2, 3, 0})), addOp(col({2})));
        Eval e;
        p.eval(&e);
        QCOMPARE(e.size(), 3);
        QCOMPARE(e.value(0), 0.0);
        QCOMPARE(e.value(1), 5.0);
        QCOMPARE(e.value(2), 2.0);
        QVERIFY(e.violated());

        Graph g2("g2", false);
        Problem q(&g2, "q", false);
        auto *nan = new ScriptedOperator("N", fixed(col({NaN})));
        auto *zero = new ScriptedOperator("Z", fixed(col({0})));
        q.addOperatorItem(nan);
        q.addOperatorItem(zero);
        std::unique_ptr<Calculus> shown(factory.makeCalculus("<=", true));
        Calculus *le = shown.release();
        q.addConstraintItem(le);
        q.link1(nan, le);
        q.link2(zero, le);
        Eval f;
        q.eval(&f);
        QVERIFY(f.violated());
        QCOMPARE(f.value(1), 1.0);
        le->bestBackup();
        QCOMPARE(PaintProbe::hue(PaintProbe::at(PaintProbe::render(le), 3, 25)), QString("rb"));
    }
};

QTEST_MAIN(TestComparisonConstraints)
#include "tst_comparisonconstraints.moc"
