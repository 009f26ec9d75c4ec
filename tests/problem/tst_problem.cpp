#include "BoardItems.h"
#include "TestItems.h"
#include "calculus/Eval.h"
#include "calculus/Link.h"
#include "calculus/Z.h"
#include "graph/Graph.h"
#include "graph/Node.h"
#include "problem/Problem.h"

#include <QSignalSpy>
#include <QThread>
#include <QtTest>
#include <cmath>
#include <memory>

namespace {
QString listNames(const QVector<Calculus *> &list)
{
    QStringList names;
    for (Calculus *c : list)
        names << c->getName();
    return names.join(",");
}

ScriptedOperator *op(const QString &key, ValueFn f = values::firstArg())
{
    return new ScriptedOperator(key, std::move(f));
}

ScriptedInvariant *inv(const QString &key, ValueFn f = values::order())
{
    return new ScriptedInvariant(key, std::move(f));
}

ScriptedConstraint *constraint(double violation)
{
    return new ScriptedConstraint("C", values::column({violation}));
}

Z *objective(bool minimise, bool maximise)
{
    Z *z = new Z(false);
    z->setMin(true);
    z->setMax(maximise);
    z->setMin(minimise);
    return z;
}

void path(Graph &g, int n)
{
    g.clear();
    for (int i = 0; i < n; ++i)
        g.addNode();
    for (int i = 1; i < n; ++i)
        g.addEdge(i - 1, i);
}

void complete(Graph &g, int n)
{
    g.clear();
    for (int i = 0; i < n; ++i)
        g.addNode();
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < i; ++j)
            g.addEdge(i, j);
}
} // namespace

class TestProblem : public QObject
{
    Q_OBJECT

private slots:
    void newBoard();
    void insertionPlaces_data();
    void insertionPlaces();
    void zValuesAndSelection();
    void linkToggleAndMove();
    void refusedLinksLeaveNothing_data();
    void refusedLinksLeaveNothing();
    void linkSelectionChain();
    void linkSelectionToColors();
    void linkSelectionAlwaysRefreshes();
    void clearKeepsInfoItems();
    void computeFalseRunsOnlyWhatIsNeeded();
    void evalObjectiveClamping();
    void evalConstraintOrderAndErrors_data();
    void evalConstraintOrderAndErrors();
    void evalLimit_data();
    void evalLimit();
    void bestBackupCountsAndShowsViolation();
    void bestBackupFromWorkerTouchesNoWidget();
    void optimizationPatternAndFactors();
    void knownGraphOracles_data();
    void knownGraphOracles();
};

void TestProblem::newBoard()
{
    Graph g("graph", true);
    Problem p(&g, "problem", true);
    QVERIFY(p.calculationList().isEmpty() && p.familyList().isEmpty());
    QVERIFY(p.constraintList().isEmpty() && p.objectiveList().isEmpty());
    QCOMPARE(p.getNbNod(), 10);
    QCOMPARE(p.nbEvals(), 0);
    QCOMPARE(p.maxEvals(), 0);
    QCOMPARE(p.getColors()->getName(), QString("Colors"));
    QCOMPARE(p.getLabels()->getName(), QString("Labels"));
    QCOMPARE(p.getELabels()->getName(), QString("E_Labels"));
    QCOMPARE(p.getEHilights()->getName(), QString("E_Hilights"));
    QCOMPARE(p.getColors()->zValue(), 930.0);
    QCOMPARE(p.getLabels()->zValue(), 931.0);
    QCOMPARE(p.getELabels()->zValue(), 932.0);
    QCOMPARE(p.getEHilights()->zValue(), 932.0);
    QVERIFY(!p.needOptimization());

    Problem hidden(&g, "clone", false);
    QVERIFY(hidden.getScene() == nullptr);
    QVERIFY(hidden.getColors()->getCalculusDisplay() == nullptr);
}

void TestProblem::insertionPlaces_data()
{
    QTest::addColumn<bool>("loadMode");
    QTest::addColumn<QString>("expected");
    QTest::newRow("interactive invariant goes first") << false << "X,P,Q";
    QTest::newRow("load mode appends") << true << "P,Q,X";
}

void TestProblem::insertionPlaces()
{
    QFETCH(bool, loadMode);
    QFETCH(QString, expected);
    Graph g("graph", false);
    Problem p(&g, "problem", false);
    p.addOperatorItem(op("P"));
    p.addOperatorItem(op("Q"));
    if (loadMode)
        p.addInvariantItemLoadMode(inv("X"));
    else
        p.addInvariantItem(inv("X"));
    QCOMPARE(listNames(p.calculationList()), expected);
}

void TestProblem::zValuesAndSelection()
{
    Graph g("graph", true);
    Problem p(&g, "problem", true);
    p.addOperatorItem(new ScriptedOperator("P", values::firstArg(), true));
    p.addInvariantItem(new ScriptedInvariant("X", values::order(), true));
    p.addOperatorItem(new ScriptedOperator("Q", values::firstArg(), true));
    const QVector<Calculus *> &calc = p.calculationList();
    QCOMPARE(listNames(calc), QString("X,P,Q"));
    // Operators renumber the whole list by position and stay unselected.
    for (int i = 0; i < calc.size(); ++i)
        QCOMPARE(calc[i]->zValue(), double(i + 1));
    QVERIFY(calc[0]->isSelectedMark());
    QVERIFY(!calc[1]->isSelectedMark() && !calc[2]->isSelectedMark());
    QVERIFY(calc[0]->scene() == p.getScene());

    for (int i = 0; i < 3; ++i)
        p.addFamilyItem(new ScriptedFamily("F", values::column({1}), true));
    QCOMPARE(p.familyList().last()->zValue(), 203.0);
    QVERIFY(p.familyList().last()->isSelectedMark());
    p.addConstraintItem(new ScriptedConstraint("C", values::column({0}), true));
    p.addConstraintItem(new ScriptedConstraint("C", values::column({0}), true));
    QCOMPARE(p.constraintList().last()->zValue(), 502.0);
    p.addZItem(new Z(true));
    QCOMPARE(p.objectiveList().first()->zValue(), 501.0);
    QVERIFY(p.objectiveList().first()->isSelectedMark());
    // Every add computes the new item at once.
    QCOMPARE(static_cast<ScriptedInvariant *>(calc[0])->recomputes, 1);
}

void TestProblem::linkToggleAndMove()
{
    Graph g("graph", false);
    Problem p(&g, "problem", false);
    auto *P = op("P");
    auto *Q = op("Q");
    auto *R = op("R");
    for (Calculus *c : {static_cast<Calculus *>(P), static_cast<Calculus *>(Q), static_cast<Calculus *>(R)})
        p.addOperatorItem(c);

    p.link2(P, R);
    QVERIFY(R->getArg(2) == P);
    QCOMPARE(P->getLinksTo().size(), 1);
    p.link2(Q, R); // moves the arrow
    QVERIFY(R->getArg(2) == Q);
    QVERIFY(R->getLink(2)->from() == Q);
    QCOMPARE(P->getLinksTo().size(), 0);
    QCOMPARE(Q->getLinksTo().size(), 1);
    p.link2(Q, R); // the same source again removes it
    QVERIFY(!R->isLinked(2));
    QVERIFY(R->getArg(2) == nullptr);
    QCOMPARE(Q->getLinksTo().size(), 0);
}

void TestProblem::refusedLinksLeaveNothing_data()
{
    QTest::addColumn<int>("targetKind");
    QTest::addColumn<int>("k");
    QTest::newRow("invariant as target") << 0 << 1;
    QTest::newRow("family as target") << 1 << 1;
    QTest::newRow("constraint argument 3") << 2 << 3;
    QTest::newRow("objective argument 2") << 3 << 2;
}

void TestProblem::refusedLinksLeaveNothing()
{
    QFETCH(int, targetKind);
    QFETCH(int, k);
    Graph g("graph", false);
    Problem p(&g, "problem", false);
    auto *source = inv("S");
    p.addInvariantItem(source);
    Calculus *target = nullptr;
    switch (targetKind) {
    case 0: target = inv("T"); p.addInvariantItem(target); break;
    case 1: target = new ScriptedFamily("F", values::column({1})); p.addFamilyItem(target); break;
    case 2: target = constraint(0); p.addConstraintItem(target); break;
    default: target = new Z(false); p.addZItem(target); break;
    }
    switch (k) {
    case 1: p.link1(source, target); break;
    case 2: p.link2(source, target); break;
    case 3: p.link3(source, target); break;
    default: p.link4(source, target); break;
    }
    QVERIFY(!target->isLinked(k));
    QVERIFY(source->getLinksTo().isEmpty());
}

void TestProblem::linkSelectionChain()
{
    Graph g("graph", false);
    Problem p(&g, "problem", false);
    auto *P = op("P");
    auto *Q = op("Q");
    auto *R = op("R");
    for (Calculus *c : {static_cast<Calculus *>(P), static_cast<Calculus *>(Q), static_cast<Calculus *>(R)}) {
        p.addOperatorItem(c);
        c->select(true);
    }
    p.slot_link1();
    QVERIFY(Q->getArg(1) == P);
    QVERIFY(R->getArg(1) == Q);
    QCOMPARE(P->getLinksTo().size(), 1);
    QVERIFY(!P->isSelectedMark());
    QVERIFY(!Q->isSelectedMark());
    QVERIFY(R->isSelectedMark());
}

void TestProblem::linkSelectionToColors()
{
    Graph g("graph", true);
    path(g, 3);
    g.best_backup();
    Problem p(&g, "problem", true);
    auto *P = new ScriptedOperator("P", values::column({2, 5, 7}), true);
    p.addOperatorItem(P);
    P->select(true);
    p.getColors()->select(true);
    const int idBefore = g.getID();
    p.slot_link1();
    QVERIFY(p.getColors()->getArg(1) == P);
    QVERIFY(!p.getColors()->isSelectedMark());
    QVERIFY(g.getID() != idBefore);
    // The refresh that the graph's best-graph signal starts brings the colours to the view.
    p.slot_best_backup();
    QCOMPARE(g.getNode(1)->getColor(), 5);
    QCOMPARE(g.getNode(2)->getColor(), 7);
}

void TestProblem::linkSelectionAlwaysRefreshes()
{
    Graph g("graph", false);
    Problem p(&g, "problem", false);
    auto *P = op("P");
    p.addOperatorItem(P);
    P->select(true);
    QSignalSpy changed(&g, &Graph::signal_best_graph_changed);
    const int idBefore = g.getID();
    p.slot_link3();
    QVERIFY(!P->isLinked(1) && P->getLinksTo().isEmpty());
    QCOMPARE(changed.count(), 1);
    QVERIFY(g.getID() != idBefore);
}

void TestProblem::clearKeepsInfoItems()
{
    Graph g("graph", true);
    path(g, 3);
    g.best_backup();
    Problem p(&g, "problem", false);
    auto *P = new ScriptedOperator("P", values::column({1, 2, 3}));
    p.addOperatorItem(P);
    p.addFamilyItem(new ScriptedFamily("F", values::column({1})));
    p.addConstraintItem(constraint(0));
    p.addZItem(new Z(false));
    p.link1(P, p.getColors());
    p.link1(P, p.getLabels());
    p.best_backup();
    QCOMPARE(g.getNode(2)->getColor(), 3);
    p.slot_set_title("T");
    p.clear();
    QVERIFY(p.calculationList().isEmpty() && p.familyList().isEmpty());
    QVERIFY(p.constraintList().isEmpty() && p.objectiveList().isEmpty());
    QVERIFY(!p.getColors()->isLinked(1) && !p.getLabels()->isLinked(1));
    QCOMPARE(g.getNode(2)->getColor(), 0);
    QVERIFY(g.getNode(2)->getLabel().isEmpty());
    QCOMPARE(p.userTitle(), QString("T"));
}

void TestProblem::computeFalseRunsOnlyWhatIsNeeded()
{
    Graph g("graph", false);
    path(g, 4);
    Problem p(&g, "problem", false);
    auto *P = op("P", values::size());
    auto *Q = op("Q");
    auto *R = op("R");
    auto *F = new ScriptedFamily("F", values::column({1}));
    p.addOperatorItem(P);
    p.addOperatorItem(Q);
    p.addOperatorItem(R);
    p.addFamilyItem(F);
    p.link1(P, Q);
    p.link1(P, R);
    Z *z = new Z(false);
    p.addZItem(z);
    p.link1(Q, z);
    p.link1(R, p.getColors());
    p.compute(true);

    const int p0 = P->recomputes, q0 = Q->recomputes, r0 = R->recomputes, f0 = F->recomputes;
    g.addEdge(0, 3); // a graph the items have not seen
    p.compute(false);
    QCOMPARE(P->recomputes, p0 + 1);
    QCOMPARE(Q->recomputes, q0 + 1);
    QCOMPARE(R->recomputes, r0);
    QCOMPARE(F->recomputes, f0);
    QCOMPARE(z->getZ()[0][0], 4.0);
    // The same graph again recomputes nothing.
    p.compute(false);
    QCOMPARE(P->recomputes, p0 + 1);
    // A forced computation reaches everything.
    p.compute(true);
    QCOMPARE(R->recomputes, r0 + 1);
    QCOMPARE(F->recomputes, f0 + 1);
}

void TestProblem::evalObjectiveClamping()
{
    Graph g("graph", false);
    path(g, 2);
    Problem p(&g, "problem", false);
    const double nan = std::nan("");
    auto *V = op("V", values::column({5, 1e12, -1e12, -3e12, nan}));
    p.addOperatorItem(V);
    Z *z = objective(true, false);
    p.addZItem(z);
    p.link1(V, z);
    Eval e;
    p.eval(&e);
    QCOMPARE(e.sizeZ(), 1);
    const QVector<double> v = e.z()->at(0);
    QCOMPARE(v.size(), 5);
    QCOMPARE(v[0], 5.0);
    QCOMPARE(v[1], 1e12);
    QCOMPARE(v[2], 1e12);
    QCOMPARE(v[3], 1e12);
    QVERIFY(std::isnan(v[4]));
    // NaN never passes for a good value.
    QVERIFY(e.violated());

    auto *W = op("W", values::column({3, -2}));
    p.addOperatorItem(W);
    p.link1(W, z);
    p.eval(&e);
    QCOMPARE(e.z()->at(0), (QVector<double>{3, -2}));
    QCOMPARE(e.size(), 1);
    QCOMPARE(e.value(0), 0.0);
}

void TestProblem::evalConstraintOrderAndErrors_data()
{
    QTest::addColumn<QVector<double>>("violations");
    QTest::addColumn<int>("failing"); // 0 none, 1 the objective, 2 a family, 3 a constraint
    QTest::addColumn<QVector<double>>("expected");
    QTest::newRow("last constraint first") << QVector<double>{0.5, 0, 2} << 0 << QVector<double>{0, 2, 0, 0.5};
    QTest::newRow("objective in error") << QVector<double>{0, 0} << 1 << QVector<double>{1, 0, 0};
    QTest::newRow("family in error does not count") << QVector<double>{0} << 2 << QVector<double>{0, 0};
    QTest::newRow("constraint in error") << QVector<double>{0} << 3 << QVector<double>{1, 1e12};
    QTest::newRow("no constraint") << QVector<double>{} << 0 << QVector<double>{0};
}

void TestProblem::evalConstraintOrderAndErrors()
{
    QFETCH(QVector<double>, violations);
    QFETCH(int, failing);
    QFETCH(QVector<double>, expected);
    Graph g("graph", false);
    path(g, 3);
    Problem p(&g, "problem", false);
    for (double v : violations)
        p.addConstraintItem(constraint(v));
    auto *V = op("V", values::column({1}));
    p.addOperatorItem(V);
    Z *z = objective(true, false);
    p.addZItem(z);
    if (failing != 1)
        p.link1(V, z);
    auto *F = new ScriptedFamily("F", values::column({1}));
    p.addFamilyItem(F);
    if (failing == 2)
        F->fail = true;
    if (failing == 3)
        static_cast<ScriptedConstraint *>(p.constraintList().first())->fail = true;
    g.changeBest();
    p.compute(true);
    Eval e;
    p.eval(&e);
    QCOMPARE(e.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(e.value(i), expected[i]);
    QCOMPARE(e.sizeZ(), 1);
}

void TestProblem::evalLimit_data()
{
    QTest::addColumn<int>("limit");
    QTest::addColumn<int>("emitted");
    QTest::addColumn<bool>("reached");
    QTest::newRow("limit 3") << 3 << 3 << true;
    QTest::newRow("no limit") << 0 << 0 << false;
}

void TestProblem::evalLimit()
{
    QFETCH(int, limit);
    QFETCH(int, emitted);
    QFETCH(bool, reached);
    Graph g("graph", false);
    Problem p(&g, "problem", false);
    p.slot_set_max_eval(limit);
    QSignalSpy spy(&p, &Problem::signal_max_eval_reached);
    Eval e;
    p.eval(&e);
    p.eval(&e);
    QVERIFY(!p.isMaxEvalsReached());
    QCOMPARE(spy.count(), 0);
    for (int i = 0; i < 3; ++i)
        p.eval(&e);
    QCOMPARE(p.nbEvals(), 5);
    QCOMPARE(spy.count(), emitted);
    QCOMPARE(p.isMaxEvalsReached(), reached);
    // A board without objectives and constraints gives the error flag alone.
    QCOMPARE(e.size(), 1);
    QCOMPARE(e.sizeZ(), 0);
    p.resetNbEvals();
    QCOMPARE(p.nbEvals(), 0);
    QVERIFY(!p.isMaxEvalsReached());
}

void TestProblem::bestBackupCountsAndShowsViolation()
{
    Graph g("graph", true);
    path(g, 3);
    Problem p(&g, "problem", false);
    auto *C = constraint(2);
    p.addConstraintItem(C);
    const int before = p.nbEvals();
    p.best_backup();
    QCOMPARE(p.nbEvals(), before + 1);
    QVERIFY(g.isViolated());
    C->fn = values::column({0});
    g.changeBest();
    p.best_backup();
    QVERIFY(!g.isViolated());
}

void TestProblem::bestBackupFromWorkerTouchesNoWidget()
{
    Graph g("graph", true);
    path(g, 3);
    g.best_backup();
    Problem p(&g, "problem", true);
    auto *P = new ScriptedOperator("P", values::column({4, 4, 4}), true);
    p.addOperatorItem(P);
    p.link1(P, p.getColors());
    p.addConstraintItem(new ScriptedConstraint("C", values::column({3}), true));
    QVERIFY(!g.isViolated());
    QCOMPARE(g.getNode(0)->getColor(), 0);
    g.changeBest();

    WarningGuard guard;
    std::unique_ptr<QThread> worker(QThread::create([&p] { p.best_backup(); }));
    worker->start();
    QVERIFY(worker->wait(10000));
    // The worker recorded the data only; the view follows in the GUI thread.
    QVERIFY(!g.isViolated());
    QCOMPARE(g.getNode(0)->getColor(), 0);
    QCoreApplication::processEvents();
    QVERIFY(g.isViolated());
    QCOMPARE(g.getNode(0)->getColor(), 4);
    QVERIFY(WarningGuard::messages().isEmpty());
}

void TestProblem::optimizationPatternAndFactors()
{
    Graph g("graph", false);
    complete(g, 4);
    Problem p(&g, "problem", false);
    auto *S = inv("SIZE", values::size());
    p.addInvariantItem(S);
    const QVector<Z *> zs = {objective(true, false), objective(false, true), objective(true, true)};
    for (Z *z : zs) {
        p.addZItem(z);
        p.link1(S, z);
    }
    QCOMPARE(p.getOptimizationPattern(), (QVector<int>{1, -1, 0}));
    QVERIFY(p.needOptimization());

    p.setOptFactors({2, 3});
    for (Z *z : zs)
        QCOMPARE(z->getOptFactor(), z->getMax() && !z->getMin() ? -1.0 : 1.0);
    p.setOptFactors({});
    QCOMPARE(zs[0]->getOptFactor(), 1.0);
    p.setOptFactors({-1, 1, 5});
    QCOMPARE(zs[0]->getOptFactor(), -1.0);
    QCOMPARE(zs[1]->getOptFactor(), 1.0);
    QCOMPARE(zs[2]->getOptFactor(), 5.0);

    Problem onlyConstraint(&g, "problem", false);
    onlyConstraint.addConstraintItem(constraint(0));
    QVERIFY(onlyConstraint.needOptimization());
}

void TestProblem::knownGraphOracles_data()
{
    QTest::addColumn<bool>("useSize");
    QTest::addColumn<int>("n");
    QTest::addColumn<double>("expected");
    for (int n : {1, 2, 5, 12, 32})
        QTest::addRow("ORDER on P%d", n) << false << n << double(n);
    for (int n : {2, 3, 7, 32})
        QTest::addRow("SIZE on K%d", n) << true << n << double(n * (n - 1) / 2);
}

void TestProblem::knownGraphOracles()
{
    QFETCH(bool, useSize);
    QFETCH(int, n);
    QFETCH(double, expected);
    Graph g("graph", false);
    if (useSize)
        complete(g, n);
    else
        path(g, n);
    Problem p(&g, "problem", false);
    auto *item = useSize ? inv("SIZE", values::size()) : inv("ORDER", values::order());
    p.addInvariantItem(item);
    Z *z = objective(true, false);
    p.addZItem(z);
    p.link1(item, z);
    Eval e;
    p.eval(&e);
    QCOMPARE(e.z()->at(0), QVector<double>{expected});
    QVERIFY(!e.violated());
    p.setOptFactors({-1});
    g.changeBest();
    p.eval(&e);
    QCOMPARE(e.z()->at(0), QVector<double>{-expected});
}

QTEST_MAIN(TestProblem)
#include "tst_problem.moc"
