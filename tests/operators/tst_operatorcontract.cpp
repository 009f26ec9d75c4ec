#include "OperatorHarness.h"

#include "calculus/BuildCalculus.h"
#include "calculus/CalculusDisplay.h"
#include "calculus/Link.h"
#include "graph/Graph.h"
#include "operators/operNBEQ.h"
#include "operators/operSQRT.h"
#include "operators/operSUM.h"

#include <QLabel>
#include <QtTest>
#include <limits>
#include <memory>

// What every operator shares, one row per operator key. A new operator adds its row here:
//   lastSlot  the highest argument slot it accepts (the slots above are refused);
//   required  the arguments its formula needs ("MISSING ARGUMENT" without them);
//   computed  the arguments its computation needs (the missing-argument text without them);
//   missing   that text;
//   infix     "f1 KEY f2" rather than "KEY(f1,f2)";
//   emptyArg  an empty argument 1 is an "Argument error" (else it is computed);
//   labels    the labels its constructor sets and every failure keeps (none: "NA");
//   vectors   its samples are columns of one value per vertex of the path 0-1-2, the same
//             shape in every slot, and an empty argument 1 comes with empty others;
//   shown     the arguments its formula shows (none: every accepted slot).
//   terms     the arguments it computes on (by default a matrix, then single values);
//   success   its status text after a computation, when not the key;
//   labelled  it is born with the labels "n"/"1" rather than "NA"/"NA".
namespace {
enum class Terms { MatrixThenSingles, VectorThenSingles, SameMatrices };

struct Row {
    const char *key;
    int lastSlot;
    int required;
    int computed;
    const char *missing;
    bool infix;
    bool emptyArg;
    const char *labels = nullptr;
    bool vectors = false;
    int shown = 0;
    Terms terms = Terms::MatrixThenSingles;
    const char *success = nullptr;
    bool labelled = false;
};

const Row indexTable[] = {
    {"MAX", 1, 1, 1, "Missing arguments", false, true},
    {"MIN", 1, 1, 1, "Missing arguments", false, true},
    {"SUM", 1, 1, 1, "Missing arguments", false, true},
    {"VAR", 1, 1, 1, "Missing arguments", false, true},
    {"NBEQ", 3, 1, 1, "Missing arguments", false, false},
    {"SUMGE", 2, 2, 1, "Missing arguments", false, false},
    {"NBVALUES", 1, 1, 1, "Missing arguments", false, true},
    {"SQRT", 1, 1, 1, "Missing argument", false, true},
    {"MAXCOL", 1, 1, 1, "Missing arguments", false, true},
    {"MAXROW", 1, 1, 1, "Missing arguments", false, true},
    {"SUMCOL", 1, 1, 1, "Missing arguments", false, true},
    {"SUMROW", 1, 1, 1, "Missing arguments", false, true},
    {"ABS", 1, 1, 1, "Missing argument", false, true},
    {"CEIL", 1, 1, 1, "Missing argument", false, true},
    {"EXP", 1, 1, 1, "Missing argument", false, true},
    {"FLOOR", 1, 1, 1, "Missing argument", false, true},
    {"+", 4, 2, 2, "Missing arguments", true, true},
    {"/", 2, 2, 2, "Missing arguments", true, true},
    {"ANGLE", 2, 2, 2, "Missing arguments", false, true, "1", true},
    {"CORR", 2, 2, 2, "Missing arguments", false, true, "1", true},
    {"EUCLIDIANDIST", 2, 2, 2, "Missing arguments", false, true, nullptr, true},
    {"ECORR", 1, 1, 1, "Missing arguments", false, true, "1", true},
    {"ADDCOLS", 4, 2, 1, "Missing arguments", false, false, nullptr, true, 2},
    {"COLUMN", 2, 2, 2, "Missing arguments", false, true},
    {"DIAG", 1, 1, 1, "Missing argument", false, true, nullptr, true},
    {"CENTER", 1, 1, 1, "Missing arguments", false, true},
    {"DPALINDROMIC", 1, 1, 1, "Missing argument", false, true, "1", true},
    {"IFGE", 4, 4, 4, "Missing arguments", false, true, nullptr, true},
    {"EIGENVALUES", 1, 1, 1, "Missing arguments", false, true},
    {"EIGENVECTORS", 1, 1, 1, "Missing arguments", false, true},
    {"DETERMINANT", 1, 1, 1, "Missing arguments", false, true},
    {"INERTIA", 1, 1, 1, "Missing arguments", false, true},
    {"CHOLESKY", 1, 1, 1, "Missing arguments", false, true},
    {"LAPLACIANOF", 1, 1, 1, "Missing arguments", false, true},
    {"-", 4, 2, 2, "Missing arguments", true, true},
    {".*", 2, 2, 2, "Missing arguments", true, true},
    {"MMAX", 4, 2, 2, "Missing arguments", false, true},
    {"MMIN", 4, 2, 2, "Missing arguments", false, true},
    {"*", 2, 2, 2, "Missing arguments", true, true},
    {"TRANSPOSE", 1, 1, 1, "Missing arguments", false, true},
    {"VALUE AT", 2, 2, 2, "Missing arguments", false, true, nullptr, false, 0, Terms::VectorThenSingles, "VECTOR VALUE AT"},
    {"ROW", 2, 2, 2, "Missing arguments", false, true},
    {"FIRST", 1, 1, 1, "Missing argument", false, true},
    {"SECOND", 1, 1, 1, "Missing argument", false, true},
    {"LAST", 1, 1, 1, "Missing argument", false, true},
    {"SORT", 1, 1, 1, "Missing arguments", false, true, nullptr, false, 0, Terms::VectorThenSingles, "Column vector"},
    {"MANHATTANDIST", 2, 2, 2, "Missing arguments", false, true, nullptr, false, 0, Terms::SameMatrices},
    {"SUMPRODUCT", 2, 2, 2, "Missing arguments", false, true, nullptr, false, 0, Terms::SameMatrices},
    {"MOMENT", 1, 1, 0, "", false, false, nullptr, false, 0, Terms::MatrixThenSingles, nullptr, true},
    {"NORMALIZEMAT", 1, 1, 1, "Missing arguments", false, true, nullptr, false, 0, Terms::VectorThenSingles},
};

// Operators that take only a square symmetric matrix, with the status text of their success
// when it is not the key; they are given a positive definite argument 1.
const struct {
    const char *key;
    const char *success;
} squareTable[] = {
    {"EIGENVALUES", "Eigenvalues"}, {"EIGENVECTORS", "Eigenvectors"}, {"DETERMINANT", "DETERMINANT"},
    {"INERTIA", "Inertia"},         {"CHOLESKY", "Cholesky"},         {"LAPLACIANOF", "LaplacianOf"},
};

// Arguments every operator accepts: a 1 x 1 value in each slot beyond the first, so that
// broadcasting, index and threshold arguments all have a valid reading.
const Matrix sample = {{4, 1, 9}, {16, 0.25, 1}};
const QString pathOfThree = "3 101";

// The sample of slot k in the vector mode: no zero, no two slots alike, no constant slot.
Matrix vectorSample(int k)
{
    return {{double(k)}, {2.0 * k + 1}, {4.0 * k}};
}

const Matrix squareSample = {{2, 1, 0}, {1, 3, 1}, {0, 1, 4}};

const Matrix &firstArgument(const QString &key)
{
    for (const auto &r : squareTable)
        if (key == r.key)
            return squareSample;
    return sample;
}

QString successText(const QString &key)
{
    for (const auto &r : squareTable)
        if (key == r.key)
            return r.success;
    return key;
}
const Matrix columnSample = {{4}, {1}, {9}};

bool setLink(Calculus *item, int slot, Link *l)
{
    switch (slot) {
    case 1:
        return item->setLink1(l);
    case 2:
        return item->setLink2(l);
    case 3:
        return item->setLink3(l);
    default:
        return item->setLink4(l);
    }
}

Matrix firstTerm(const QString &key, Terms terms)
{
    return terms == Terms::VectorThenSingles ? columnSample : firstArgument(key);
}

// Fills the accepted slots with fixed arguments whose formulas are A1, A2, ...
void fillSlots(OperatorHarness &h, Calculus *op, int last, bool skipFirst = false, bool vectors = false,
               Terms terms = Terms::MatrixThenSingles)
{
    for (int k = skipFirst ? 2 : 1; k <= last; ++k) {
        const QString text = QString("A%1").arg(k);
        FixedItem *a = vectors                         ? h.fixed(vectorSample(k), "n", "1", text)
                       : k == 1                        ? h.fixed(firstTerm(op->getName(), terms), "n", "n", text)
                       : terms == Terms::SameMatrices ? h.fixed(sample, "n", "n", text)
                                                       : h.fixed({{1}}, "1", "1", text);
        QVERIFY(OperatorHarness::setArg(op, k, a));
    }
}

template <class T>
class Counted : public T
{
public:
    Counted() : T(false) {}
    void recompute() override
    {
        ++calls;
        T::recompute();
    }
    int calls = 0;
};

// The shared pieces of the base, driven through a term-by-term difference.
class DifferenceProbe : public Operator
{
public:
    DifferenceProbe() { initOperator("DIFF", "difference", 4, false); }
    QString formula() override { return infixFormula(2); }
    void recompute() override
    {
        if (!argumentsReady(2))
            return;
        combineTerms(
            4, [](double a, double s) { return a - s; }, [](double s, double b) { return s - b; },
            [](double e, double x) { return e - x; });
    }
    using Operator::indexArgument;
};
} // namespace

class TestOperatorContract : public QObject
{
    Q_OBJECT

private slots:
    void contract_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("lastSlot");
        QTest::addColumn<int>("required");
        QTest::addColumn<int>("computed");
        QTest::addColumn<QString>("missing");
        QTest::addColumn<bool>("infix");
        QTest::addColumn<bool>("emptyArg");
        QTest::addColumn<QString>("labels");
        QTest::addColumn<bool>("vectors");
        QTest::addColumn<int>("shownArgs");
        QTest::addColumn<int>("terms");
        QTest::addColumn<QString>("success");
        QTest::addColumn<bool>("labelled");
        for (const Row &r : indexTable)
            QTest::newRow(r.key) << QString(r.key) << r.lastSlot << r.required << r.computed << QString(r.missing)
                                 << r.infix << r.emptyArg << QString(r.labels ? r.labels : "NA") << r.vectors
                                 << (r.shown ? r.shown : r.lastSlot) << int(r.terms)
                                 << (r.success ? QString(r.success) : successText(r.key)) << r.labelled;
    }

    void contract()
    {
        QFETCH(QString, key);
        QFETCH(int, lastSlot);
        QFETCH(int, required);
        QFETCH(int, computed);
        QFETCH(QString, missing);
        QFETCH(bool, infix);
        QFETCH(bool, emptyArg);
        QFETCH(QString, labels);
        QFETCH(bool, vectors);
        QFETCH(int, shownArgs);
        QFETCH(int, terms);
        QFETCH(QString, success);
        QFETCH(bool, labelled);
        const Terms termKind = Terms(terms);
        BuildCalculus vocabulary;
        QCOMPARE(vocabulary.type(key), 3);
        OperatorHarness h;
        if (vectors)
            h.setGraphText(pathOfThree);

        // Fresh, displayed and not.
        Calculus *shown = h.make(key, true);
        Calculus *hidden = h.make(key, false);
        QVERIFY2(shown && hidden, "the factory makes the key");
        for (Calculus *c : {shown, hidden}) {
            QCOMPARE(c->getName(), key);
            QCOMPARE(c->getType(), QString("Operator"));
            QCOMPARE(c->getNbRows(), 0);
            QCOMPARE(c->getNbCols(), 0);
            QCOMPARE(c->getSRows(), labelled ? QString("n") : labels);
            QCOMPARE(c->getSCols(), labelled ? QString("1") : labels);
            QCOMPARE(c->getStatus(), QString());
            QCOMPARE(c->formula(), QString("MISSING ARGUMENT"));
            QVERIFY(c->getDescription() != "N/A" && c->getLatexDescription() != "N/A");
        }
        QVERIFY(shown->getCalculusDisplay());
        QCOMPARE(shown->toolTip(), key);
        QCOMPARE(shown->getCalculusDisplay()->titleLabel()->text(), key);
        QVERIFY(!hidden->getCalculusDisplay());
        QCOMPARE(hidden->toolTip(), QString());

        // Without arguments.
        h.evaluate(hidden);
        if (computed > 0) {
            QCOMPARE(hidden->getStatus(), missing);
            QVERIFY(hidden->getError());
            QCOMPARE(hidden->getNbRows(), 0);
            QCOMPARE(hidden->getSRows(), labels);
        }

        // Refused lastSlot change nothing: not the slot, not the value, not the formula.
        fillSlots(h, hidden, lastSlot, false, vectors, termKind);
        fillSlots(h, shown, lastSlot, false, vectors, termKind);
        h.evaluate(hidden);
        h.evaluate(shown);
        QVERIFY(!hidden->getError());
        const Matrix before = OperatorHarness::valueOf(hidden);
        const QString formulaBefore = hidden->formula();
        for (int k = lastSlot + 1; k <= 4; ++k) {
            FixedItem *extra = h.fixed({{7}}, "1", "1", "EXTRA");
            QVERIFY(!OperatorHarness::setArg(hidden, k, extra));
            auto *l = new Link(extra, hidden, false);
            QVERIFY(!setLink(hidden, k, l));
            delete l;
            QVERIFY(!hidden->getArg(k));
            QVERIFY(!hidden->getLink(k));
        }
        h.evaluate(hidden);
        QCOMPARE(OperatorHarness::valueOf(hidden), before);
        QCOMPARE(hidden->formula(), formulaBefore);

        // Formula of every accepted slot.
        QStringList texts;
        for (int k = 1; k <= shownArgs; ++k)
            texts << QString("A%1").arg(k);
        QCOMPARE(hidden->formula(), infix ? texts.join(' ' + key + ' ') : key + '(' + texts.join(',') + ')');

        // Displayed and undisplayed compute the same.
        QCOMPARE(OperatorHarness::valueOf(shown), OperatorHarness::valueOf(hidden));
        QCOMPARE(shown->getSRows(), hidden->getSRows());
        QCOMPARE(shown->getSCols(), hidden->getSCols());
        QCOMPARE(shown->getStatus(), hidden->getStatus());
        QCOMPARE(shown->getStatus(), success);
        shown->bestBackup();
        QCOMPARE(shown->toolTip(), success);

        // Required arguments: the formula needs `required`, the computation `computed`.
        for (int k = 1; k <= lastSlot; ++k) {
            Calculus *gap = h.make(key);
            fillSlots(h, gap, lastSlot, false, vectors, termKind);
            // The same item with slot k left empty.
            Calculus *without = h.make(key);
            for (int s = 1; s <= lastSlot; ++s)
                if (s != k)
                    OperatorHarness::setArg(without, s, gap->getArg(s));
            h.evaluate(without);
            QCOMPARE(without->formula() == "MISSING ARGUMENT", k <= required);
            QCOMPARE(without->getStatus() == missing, k <= computed);
            QCOMPARE(without->getError(), k <= computed);
        }

        // An empty argument 1 that is not in error.
        Calculus *empty = h.make(key);
        if (vectors)
            for (int k = 2; k <= lastSlot; ++k)
                OperatorHarness::setArg(empty, k, h.fixed({}, "n", "1", "E"));
        else
            fillSlots(h, empty, lastSlot, true, false, termKind);
        FixedItem *nothing = h.fixed({}, "n", "n", "E");
        OperatorHarness::setArg(empty, 1, nothing);
        h.evaluate(empty);
        QCOMPARE(empty->getError(), emptyArg);
        if (emptyArg) {
            QCOMPARE(empty->getStatus(), QString("Argument error"));
            QCOMPARE(empty->getNbRows(), 0);
            QCOMPARE(empty->getSRows(), labels);
            QCOMPARE(empty->getSCols(), labels);
        }

        // An argument claiming more than the 32 x 32 storage is refused, never read.
        for (int k = 1; k <= lastSlot; ++k) {
            Calculus *wide = h.make(key);
            fillSlots(h, wide, lastSlot, false, vectors, termKind);
            auto *beyond = static_cast<FixedItem *>(wide->getArg(k));
            beyond->claimShape(k == 1 ? 2 : 33, k == 1 ? 33 : 1);
            h.evaluate(wide);
            QVERIFY(wide->getError());
            QCOMPARE(wide->getStatus(), QString("Argument larger than 32 x 32"));
            QCOMPARE(wide->getNbRows(), 0);
        }

        // Argument 1 in error: no value, the error flag, status and labels of the last
        // computation kept (recompute is not called).
        Calculus *downstream = h.make(key);
        fillSlots(h, downstream, lastSlot, true, vectors, termKind);
        FixedItem *broken = vectors ? h.fixed(vectorSample(1), "n", "1", "B") : h.fixed(firstTerm(key, termKind), "n", "n", "B");
        OperatorHarness::setArg(downstream, 1, broken);
        h.evaluate(downstream);
        const QString rowsLabel = downstream->getSRows();
        QCOMPARE(downstream->getStatus(), success);
        broken->setFailing(true);
        h.evaluate(downstream);
        QVERIFY(broken->getError());
        QVERIFY(downstream->getError());
        QCOMPARE(downstream->getNbRows(), 0);
        QCOMPARE(downstream->getNbCols(), 0);
        QCOMPARE(downstream->getStatus(), success);
        QCOMPARE(downstream->getSRows(), rowsLabel);
        // Mended, it computes again with a clear flag.
        broken->setFailing(false);
        h.evaluate(downstream);
        QVERIFY(!downstream->getError());
        QCOMPARE(downstream->getStatus(), success);

        // A failure after a success keeps the storage; the shape says there is no value.
        if (emptyArg) {
            const double kept = downstream->entry(0, 0);
            broken->set({}, "n", "n");
            h.evaluate(downstream);
            QVERIFY(downstream->getError());
            QCOMPARE(downstream->entry(0, 0), kept);
        }
    }

    // Broadcast order: a single second term, then a single first term, then equal shapes
    // folding every further present term; any other shape differs.
    void broadcastOrder_data()
    {
        QTest::addColumn<Matrix>("a");
        QTest::addColumn<Matrix>("b");
        QTest::addColumn<Matrix>("c");
        QTest::addColumn<Matrix>("d");
        QTest::addColumn<Matrix>("expected");
        QTest::addColumn<QString>("labels");
        QTest::addColumn<QString>("status");
        const Matrix none;
        const Matrix col = {{1}, {2}, {3}};
        const Matrix sq = {{1, 2}, {3, 4}};
        QTest::newRow("second single") << col << Matrix{{1}} << none << none << Matrix{{0}, {1}, {2}} << "a" << "DIFF";
        QTest::newRow("first single") << Matrix{{10}} << sq << none << none << Matrix{{9, 8}, {7, 6}} << "b" << "DIFF";
        QTest::newRow("both single") << Matrix{{5}} << Matrix{{2}} << none << none << Matrix{{3}} << "a" << "DIFF";
        QTest::newRow("second single ignores others")
            << sq << Matrix{{1}} << Matrix{{1, 2, 3}} << none << Matrix{{0, 1}, {2, 3}} << "a" << "DIFF";
        QTest::newRow("four terms") << sq << sq << sq << sq << Matrix{{-2, -4}, {-6, -8}} << "a" << "DIFF";
        QTest::newRow("slot 3 empty") << sq << sq << none << sq << Matrix{{-1, -2}, {-3, -4}} << "a" << "DIFF";
        QTest::newRow("shapes differ") << sq << col << none << none << Matrix{} << "NA" << "ARG SIZE DIFFER";
        QTest::newRow("row against column")
            << Matrix{{1, 2, 3}} << col << none << none << Matrix{} << "NA" << "ARG SIZE DIFFER";
        QTest::newRow("third differs") << sq << sq << Matrix{{1, 2}} << sq << Matrix{} << "NA" << "ARG SIZE DIFFER";
        QTest::newRow("single beside empty") << Matrix{{1}} << Matrix{} << none << none << Matrix{} << "b" << "DIFF";
    }
    void broadcastOrder()
    {
        QFETCH(Matrix, a);
        QFETCH(Matrix, b);
        QFETCH(Matrix, c);
        QFETCH(Matrix, d);
        QFETCH(Matrix, expected);
        QFETCH(QString, labels);
        QFETCH(QString, status);
        OperatorHarness h;
        DifferenceProbe probe;
        probe.setGraph(&h.graph());
        probe.setArg1(h.fixed(a, "a", "a"));
        probe.setArg2(h.fixed(b, "b", "b"));
        if (!c.isEmpty())
            probe.setArg3(h.fixed(c, "c", "c"));
        if (!d.isEmpty())
            probe.setArg4(h.fixed(d, "d", "d"));
        h.evaluate(&probe);
        QCOMPARE(probe.getStatus(), status);
        QCOMPARE(probe.getError(), status != "DIFF");
        QCOMPARE(probe.getSRows(), labels);
        QCOMPARE(probe.getSCols(), labels);
        QCOMPARE(OperatorHarness::valueOf(&probe), expected);
    }

    // A number read as an index: the first entry, truncated toward zero; what cannot be an
    // int reads as 0, which no 1-based index accepts.
    void indexes_data()
    {
        QTest::addColumn<Matrix>("arg");
        QTest::addColumn<int>("index");
        QTest::newRow("2.9") << Matrix{{2.9}} << 2;
        QTest::newRow("-0.5") << Matrix{{-0.5}} << 0;
        QTest::newRow("-3.7") << Matrix{{-3.7}} << -3;
        QTest::newRow("first of a row") << Matrix{{4, 9}} << 4;
        QTest::newRow("first of a column") << Matrix{{5}, {9}} << 5;
        QTest::newRow("NaN") << Matrix{{std::numeric_limits<double>::quiet_NaN()}} << 0;
        QTest::newRow("1e13") << Matrix{{1e13}} << 0;
        QTest::newRow("empty") << Matrix{} << 0;
    }
    void indexes()
    {
        QFETCH(Matrix, arg);
        QFETCH(int, index);
        OperatorHarness h;
        DifferenceProbe probe;
        probe.setGraph(&h.graph());
        QCOMPARE(probe.indexArgument(2), 0);
        probe.setArg2(h.fixed(arg));
        QCOMPARE(probe.indexArgument(2), index);
    }

    // The computation itself is not run for an argument in error.
    void argumentInErrorSkipsRecompute()
    {
        OperatorHarness h;
        Counted<operSUM> sum;
        Counted<operSQRT> root;
        Counted<operNBEQ> count;
        FixedItem *arg = h.fixed(sample, "n", "n");
        for (Calculus *c : std::initializer_list<Calculus *>{&sum, &root, &count}) {
            c->setGraph(&h.graph());
            QVERIFY(c->setArg1(arg));
        }
        arg->setFailing(true);
        const int before[3] = {sum.calls, root.calls, count.calls};
        for (Calculus *c : std::initializer_list<Calculus *>{&sum, &root, &count})
            h.evaluate(c);
        QCOMPARE(sum.calls, before[0]);
        QCOMPARE(root.calls, before[1]);
        QCOMPARE(count.calls, before[2]);
        QVERIFY(sum.getError() && root.getError() && count.getError());
        // An optional argument in error counts too.
        arg->setFailing(false);
        FixedItem *tolerance = h.fixed({{0.5}});
        tolerance->setFailing(true);
        QVERIFY(count.setArg3(tolerance));
        const int calls = count.calls;
        h.evaluate(&count);
        QCOMPARE(count.calls, calls);
        QVERIFY(count.getError());
    }

    // An unchanged graph leaves value and error flag as they are; a failed item stays failed
    // through a backup.
    void unchangedGraphKeepsState()
    {
        OperatorHarness h;
        Calculus *root = h.make("SQRT", true);
        FixedItem *arg = h.fixed({{-1}}, "1", "1");
        root->setArg1(arg);
        QVERIFY(root->getError());
        QCOMPARE(root->getStatus(), QString("SQRT needs non negative arguments."));
        QCOMPARE(root->toolTip(), QString("SQRT needs non negative arguments."));
        QVERIFY(!root->compute(true));
        QVERIFY(root->getError());
        root->bestBackup();
        QVERIFY(root->getError());
        QVERIFY(root->getShownError());
    }

    // Formulas nest the arguments' own texts.
    void nestedFormulas()
    {
        OperatorHarness h;
        Calculus *wiener = h.make("WIENER");
        Calculus *max = h.make("MAX");
        max->setArg1(wiener);
        QCOMPARE(max->formula(), QString("MAX(WIENER(G))"));
        wiener->setInvertGraph(true);
        QCOMPARE(max->formula(), QString("MAX(WIENER(GBAR))"));
        Calculus *sum = h.make("SUMCOL");
        Calculus *rows = h.make("SUMROW");
        rows->setArg1(h.make("DISTANCES"));
        sum->setArg1(rows);
        QCOMPARE(sum->formula(), QString("SUMCOL(SUMROW(DISTANCES(G)))"));
        Calculus *nbeq = h.make("NBEQ");
        nbeq->setArg1(h.fixed({{1}}, "1", "1", "X"));
        nbeq->setArg3(h.fixed({{1}}, "1", "1", "Z"));
        QCOMPARE(nbeq->formula(), QString("NBEQ(X,Z)"));
        Calculus *sumge = h.make("SUMGE");
        sumge->setArg1(h.fixed({{-2}, {3}}, "n", "1", "X"));
        h.evaluate(sumge);
        QCOMPARE(sumge->formula(), QString("MISSING ARGUMENT"));
        QCOMPARE(sumge->entry(0, 0), 3.0);
    }
};

QTEST_MAIN(TestOperatorContract)
#include "tst_operatorcontract.moc"
