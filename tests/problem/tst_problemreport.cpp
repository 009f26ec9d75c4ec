#include "BoardItems.h"
#include "calculus/Z.h"
#include "graph/Graph.h"
#include "problem/Problem.h"

#include <QSignalSpy>
#include <QtTest>

namespace {
void star(Graph &g, int leaves)
{
    g.clear();
    g.addNode();
    for (int i = 1; i <= leaves; ++i) {
        g.addNode();
        g.addEdge(0, i);
    }
}

void vertices(Graph &g, int n)
{
    g.clear();
    for (int i = 0; i < n; ++i)
        g.addNode();
}

ScriptedOperator *reported(const QString &key, ValueFn f, bool node, bool vector)
{
    auto *c = new ScriptedOperator(key, std::move(f));
    c->setInReport(true);
    c->setNodInReport(node);
    c->setVecInReport(vector);
    return c;
}
} // namespace

class TestProblemReport : public QObject
{
    Q_OBJECT

private slots:
    void degreesOnStar();
    void widthFollowsVertexCount_data();
    void widthFollowsVertexCount();
    void itemsLeftOut();
    void labels();
    void itemInErrorShowsUnreachable();
    void namesAndValuesLineUp();
    void statement_data();
    void statement();
    void titleAndDescription();
    void currentDescription();
};

void TestProblemReport::degreesOnStar()
{
    Graph g("graph", false);
    star(g, 3);
    Problem p(&g, "problem", false);
    p.addInvariantItem(reported("DEGREES", values::degrees(), true, false));
    p.compute(true);
    QCOMPARE(p.getReportNames(false), (QStringList{"DEGREES[1]", "DEGREES[2]", "DEGREES[3]", "DEGREES[4]"}));
    QCOMPARE(p.getReportValues(), (QVector<double>{3, 1, 1, 1}));
    QCOMPARE(p.getReportNames(true), QStringList{"DEGREES"});
    QCOMPARE(p.getReportValues(1), QVector<double>{3});
    QCOMPARE(p.getReportValues(4), QVector<double>{1});
}

void TestProblemReport::widthFollowsVertexCount_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("three vertices") << 3 << QStringList{"V[1]", "V[2]", "V[3]"};
    QTest::newRow("one vertex") << 1 << QStringList{"V"};
    QTest::newRow("no vertex") << 0 << QStringList{};
}

void TestProblemReport::widthFollowsVertexCount()
{
    QFETCH(int, n);
    QFETCH(QStringList, names);
    Graph g("graph", false);
    vertices(g, n);
    Problem p(&g, "problem", false);
    p.addOperatorItem(reported("V", values::column({7, 8, 9}), false, true));
    p.compute(true);
    QCOMPARE(p.getReportNames(false), names);
    QCOMPARE(p.getReportNames(true), names);
    const QVector<double> expected = QVector<double>{7, 8, 9}.mid(0, n);
    QCOMPARE(p.getReportValues(), expected);
    for (int v = 1; v <= n; ++v)
        QCOMPARE(p.getReportValues(v), expected);
}

void TestProblemReport::itemsLeftOut()
{
    Graph g("graph", false);
    star(g, 2);
    Problem p(&g, "problem", false);
    p.addOperatorItem(new ScriptedOperator("HIDDEN", values::column({1})));
    auto *c = new ScriptedConstraint("C", values::column({0}));
    c->setInReport(true);
    p.addConstraintItem(c);
    p.getColors()->setInReport(true);
    p.compute(true);
    QVERIFY(p.getReportNames(false).isEmpty());
    QVERIFY(p.getReportNames(true).isEmpty());
    QVERIFY(p.getReportValues().isEmpty());
    QVERIFY(p.getReportValues(1).isEmpty());
}

void TestProblemReport::labels()
{
    Graph g("graph", false);
    star(g, 2);
    Problem p(&g, "problem", false);
    auto *named = reported("ORDER", values::order(), false, false);
    named->setGivenName("n");
    p.addOperatorItem(named);
    p.addOperatorItem(reported("", values::size(), false, false));
    auto *fam = new ScriptedFamily("TREE", values::column({1}));
    fam->setInReport(true);
    p.addFamilyItem(fam);
    Z *z = new Z(false);
    z->setInReport(true);
    p.addZItem(z);
    p.link1(named, z);
    p.compute(true);
    QCOMPARE(p.getReportNames(false), (QStringList{"n", "NA", "TREE", "Z"}));
    QCOMPARE(p.getReportValues(), (QVector<double>{3, 2, 1, 3}));
    QCOMPARE(p.getReportValues(2), (QVector<double>{3, 2, 1, 3}));
}

void TestProblemReport::itemInErrorShowsUnreachable()
{
    Graph g("graph", false);
    star(g, 2);
    Problem p(&g, "problem", false);
    auto *c = reported("V", values::column({4, 5, 6}), false, true);
    p.addOperatorItem(c);
    p.compute(true);
    QCOMPARE(p.getReportValues(), (QVector<double>{4, 5, 6}));
    // In error, none of the earlier graph's numbers may stay in the table.
    c->fail = true;
    g.changeBest();
    p.compute(true);
    QVERIFY(c->getError());
    QCOMPARE(p.getReportValues(), (QVector<double>{1e12, 1e12, 1e12}));
    // A vector shorter than the vertex count leaves its missing entries unreachable too.
    c->fail = false;
    c->fn = values::column({4});
    g.changeBest();
    p.compute(true);
    QCOMPARE(p.getReportValues(), (QVector<double>{4, 1e12, 1e12}));
}

void TestProblemReport::namesAndValuesLineUp()
{
    qsrand(11);
    Graph g("graph", false);
    for (int n = 0; n <= 32; ++n) {
        vertices(g, n);
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < i; ++j)
                if (qrand() % 3 == 0)
                    g.addEdge(i, j);
        Problem p(&g, "problem", false);
        const int items = 1 + qrand() % 6;
        for (int k = 0; k < items; ++k) {
            const int kind = qrand() % 3;
            const bool in = qrand() % 4 != 0;
            ValueFn f = kind == 0 ? values::degrees() : values::order();
            auto *c = new ScriptedOperator("I" + QString::number(k), f);
            c->setInReport(in);
            c->setNodInReport(kind == 0 && qrand() % 2);
            c->setVecInReport(kind == 0 && !c->nodInReport() && qrand() % 2);
            if (qrand() % 2)
                c->setGivenName("g" + QString::number(k));
            p.addOperatorItem(c);
        }
        auto *fam = new ScriptedFamily("F", values::column({1}));
        fam->setInReport(true);
        p.addFamilyItem(fam);
        p.compute(true);
        const QStringList names = p.getReportNames(false);
        QCOMPARE(p.getReportValues().size(), names.size());
        const int vertexWidth = p.getReportNames(true).size();
        for (int v = 1; v <= n; ++v)
            QCOMPARE(p.getReportValues(v).size(), vertexWidth);
    }
}

void TestProblemReport::statement_data()
{
    QTest::addColumn<QVector<int>>("senses"); // 1 minimise, -1 maximise, 0 both
    QTest::addColumn<int>("constraints");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty board") << QVector<int>{} << 0 << QString();
    QTest::newRow("one maximised objective") << QVector<int>{-1} << 0 << QString("Max\tZ1 = A\n");
    QTest::newRow("every sense") << QVector<int>{1, -1, 0} << 0
                                 << QString("Min\tZ1 = A\nMax\tZ2 = A\nMinMax\tZ3 = A\n");
    QTest::newRow("two constraints") << QVector<int>{1} << 2
                                     << QString("Min\tZ1 = A\nSubject to\nConstraint1 : A >= B\n"
                                                "Constraint2 : A >= B\n");
    QTest::newRow("constraints alone") << QVector<int>{} << 1 << QString("Subject to\nConstraint1 : A >= B\n");
}

void TestProblemReport::statement()
{
    QFETCH(QVector<int>, senses);
    QFETCH(int, constraints);
    QFETCH(QString, expected);
    Graph g("graph", false);
    star(g, 2);
    Problem p(&g, "problem", false);
    auto *a = new ScriptedOperator("A", values::order());
    p.addOperatorItem(a);
    for (int s : senses) {
        Z *z = new Z(false);
        z->setMin(true);
        z->setMax(s <= 0);
        z->setMin(s >= 0);
        p.addZItem(z);
        p.link1(a, z);
    }
    for (int j = 0; j < constraints; ++j) {
        auto *c = new ScriptedConstraint("GE", values::column({0}));
        c->formulaText = "A >= B";
        p.addConstraintItem(c);
    }
    QCOMPARE(p.algDefinition(), expected);
}

void TestProblemReport::titleAndDescription()
{
    Graph g("graph", false);
    Problem p(&g, "problem", false);
    QVERIFY(p.userTitle().isEmpty() && p.userDescription().isEmpty());
    p.slot_set_title("Smallest order");
    p.slot_set_description("line one\nline two");
    QCOMPARE(p.userTitle(), QString("Smallest order"));
    QCOMPARE(p.userDescription(), QString("line one\nline two"));
}

void TestProblemReport::currentDescription()
{
    Graph g("graph", false);
    Problem p(&g, "problem", false);
    Z *z = new Z(false);
    p.addZItem(z);
    // Objectives alone are not described.
    QCOMPARE(p.currentDescription(), QString());
    auto *a = new ScriptedOperator("A", values::order());
    p.addOperatorItem(a);
    p.link1(a, z);
    const QString text = p.currentDescription();
    QCOMPARE(text, a->problemDocument() + "\n" + z->problemDocument() + "\n");
    QVERIFY(text.contains("arg1 = " + a->getID() + "\n"));
}

QTEST_MAIN(TestProblemReport)
#include "tst_problemreport.moc"
