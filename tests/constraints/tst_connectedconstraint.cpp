#include "BoardItems.h"
#include "NamedGraphs.h"
#include "calculus/BuildCalculus.h"
#include "calculus/CalculusDisplay.h"
#include "calculus/Eval.h"
#include "calculus/Link.h"
#include "graph/Graph.h"
#include "problem/Problem.h"

#include <QtTest>
#include <memory>
#include <numeric>
#include <random>
#include <vector>

namespace {
void load(Graph &g, const Graph::Row rows[], int n)
{
    g.clear();
    for (int i = 0; i < n; ++i)
        g.addNode();
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < i; ++j)
            if ((rows[i] >> j) & 1u)
                g.addEdge(i, j);
}

// Components by union-find over the pairs the graph reports as edges (or, for the
// complement, as non-edges).
int unionFindComponents(Graph &g, bool complement)
{
    const int n = g.getNbNodes();
    std::vector<int> parent(n);
    std::iota(parent.begin(), parent.end(), 0);
    auto find = [&parent](int v) {
        while (parent[v] != v)
            v = parent[v] = parent[parent[v]];
        return v;
    };
    int count = n;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < i; ++j)
            if (g.edge(i, j) != complement) {
                const int a = find(i);
                const int b = find(j);
                if (a != b) {
                    parent[a] = b;
                    --count;
                }
            }
    return count;
}

double violation(Calculus &c)
{
    QMutexLocker locker(&c.getValueLock());
    return c.entry(0, 0);
}

struct Rig
{
    Graph g{"g", false};
    BuildCalculus factory;
    std::unique_ptr<Calculus> item;
    explicit Rig(bool displayed = false) : item(factory.makeCalculus("CONNECTED", displayed))
    {
        item->setGraph(&g);
    }
    double on(const Graph::Row rows[], int n, bool complement)
    {
        load(g, rows, n);
        item->setInvertGraph(complement);
        item->compute(true);
        return violation(*item);
    }
};
} // namespace

class TestConnectedConstraint : public QObject
{
    Q_OBJECT

private slots:
    void namedGraphs_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("n");
        QTest::addColumn<bool>("complement");
        QTest::addColumn<double>("expected");
        QTest::newRow("no vertex") << "empty" << 0 << false << 0.0;
        QTest::newRow("one vertex") << "empty" << 1 << false << 0.0;
        QTest::newRow("one vertex, complement") << "empty" << 1 << true << 0.0;
        QTest::newRow("5 isolated vertices") << "empty" << 5 << false << 4.0;
        QTest::newRow("32 isolated vertices") << "empty" << 32 << false << 31.0;
        QTest::newRow("P5") << "path" << 5 << false << 0.0;
        QTest::newRow("C5") << "cycle" << 5 << false << 0.0;
        QTest::newRow("C5 complement (C5)") << "cycle" << 5 << true << 0.0;
        QTest::newRow("K2 complement") << "complete" << 2 << true << 1.0;
        QTest::newRow("K7 complement") << "complete" << 7 << true << 6.0;
        QTest::newRow("K32 complement") << "complete" << 32 << true << 31.0;
        QTest::newRow("K32") << "complete" << 32 << false << 0.0;
        QTest::newRow("star complement: centre alone") << "star" << 6 << true << 1.0;
        QTest::newRow("P32") << "path" << 32 << false << 0.0;
        QTest::newRow("Petersen") << "petersen" << 10 << false << 0.0;
    }
    void namedGraphs()
    {
        QFETCH(QString, family);
        QFETCH(int, n);
        QFETCH(bool, complement);
        QFETCH(double, expected);
        Graph::Row rows[Graph::MaxNodes];
        const int count = NamedGraphs::byName(family.toLatin1().constData(), rows, n);
        Rig rig;
        QCOMPARE(rig.on(rows, count, complement), expected);
        QVERIFY(!rig.item->getError());
        QCOMPARE(rig.item->getNbRows(), 1);
        QCOMPARE(rig.item->getNbCols(), 1);
        QCOMPARE(rig.item->formula(), QString(complement ? "CONNECTED(GBAR)" : "CONNECTED(G)"));
    }

    // The search's private copy of a board, made from its text, keeps the Complement option.
    void complementSurvivesTheBoardCopy()
    {
        Graph g("g", false);
        Problem p(&g, "p", false);
        BuildCalculus factory;
        Calculus *c = factory.makeCalculus("CONNECTED", false);
        p.addConstraintItem(c);
        c->setInvertGraph(true);
        Graph::Row rows[Graph::MaxNodes] = {};
        // Two disjoint triangles: disconnected, with a connected complement.
        for (int v = 0; v < 6; ++v)
            NamedGraphs::addEdge(rows, v, v % 3 == 2 ? v - 2 : v + 1);
        std::unique_ptr<Problem> copy(p.clone());
        load(g, rows, 6);
        Eval e;
        copy->eval(&e);
        QCOMPARE(e.value(1), 0.0);
        copy->constraintList().first()->setInvertGraph(false);
        g.changeBest();
        copy->eval(&e);
        QCOMPARE(e.value(1), 1.0);
        QVERIFY(e.violated());
    }

    // Random graphs of 0 to 32 vertices and densities from sparse to dense.
    void randomGraphs()
    {
        std::mt19937 rng(32);
        Rig rig;
        for (int round = 0; round < 500; ++round) {
            const int n = int(rng() % 33);
            const double p = (1 + rng() % 12) / double(4 * std::max(n, 1)) * (round % 3 == 0 ? 4 : 1);
            Graph::Row rows[Graph::MaxNodes];
            NamedGraphs::random(rows, n, std::min(p, 1.0), unsigned(round));
            const bool complement = round % 5 == 4;
            const double got = rig.on(rows, n, complement);
            const double want = n < 2 ? 0.0 : unionFindComponents(rig.g, complement) - 1;
            QVERIFY2(got == want, qPrintable(QString("round %1: %2 instead of %3").arg(round).arg(got).arg(want)));
        }
    }

    // No argument is ever held and no arrow enters the item; without a graph it is in error.
    void argumentsAndErrors()
    {
        Graph g("g", false);
        Problem p(&g, "p", false);
        BuildCalculus factory;
        QCOMPARE(factory.type("CONNECTED"), 4);
        Calculus *c = factory.makeCalculus("CONNECTED", false);
        auto *source = new ScriptedOperator("S", values::order());
        p.addOperatorItem(source);
        p.addConstraintItem(c);
        p.link1(source, c);
        p.link2(source, c);
        QVERIFY(!c->isLinked(1) && !c->isLinked(2));
        QVERIFY(!c->getArg(1) && !c->getArg(2));
        QVERIFY(source->getLinksTo().isEmpty());
        QVERIFY(!c->setArg3(source) && !c->setLinkTo(nullptr));

        std::unique_ptr<Calculus> loose(factory.makeCalculus("CONNECTED", true));
        QVERIFY(!loose->compute(true));
        QVERIFY(loose->getError());
        QCOMPARE(loose->getName(), QString("CONNECTED"));
        QCOMPARE(loose->getDescription(), QString("The graph should be connected."));
        QCOMPARE(loose->latexDocumentation(), QString("The graph should be connected."));
        QCOMPARE(loose->formula(), QString("CONNECTED(G)"));
    }

    // The dialog's Complement box reaches a displayed item, and K_n then counts n - 1.
    void complementThroughTheDialog()
    {
        Rig rig(true);
        Graph::Row rows[Graph::MaxNodes];
        const int n = NamedGraphs::complete(rows, 9);
        load(rig.g, rows, n);
        rig.item->getCalculusDisplay()->setInvertGraph(true);
        rig.item->bestBackup();
        QCOMPARE(violation(*rig.item), 8.0);
        QCOMPARE(rig.item->formula(), QString("CONNECTED(GBAR)"));
        QCOMPARE(rig.item->getStatus(), QString());
    }
};

QTEST_MAIN(TestConnectedConstraint)
#include "tst_connectedconstraint.moc"
