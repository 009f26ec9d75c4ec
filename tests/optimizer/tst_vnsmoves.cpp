#include "NamedGraphs.h"
#include "OptimizerBoards.h"
#include "graph/Graph.h"
#include "optimizer/VNS.h"
#include "problem/Problem.h"

#include <QMutex>
#include <QtTest>
#include <memory>
#include <random>

namespace {
QString text(const Graph::Row rows[Graph::MaxNodes], int n)
{
    return Graph::graphText(rows, n);
}

// Degrees read through the graph's own snapshot, not through the worker's rows.
QVector<int> degrees(Graph *g)
{
    Graph::Row rows[Graph::MaxNodes];
    const int n = g->snapshot(rows);
    QVector<int> d(n);
    for (int i = 0; i < n; ++i)
        d[i] = __builtin_popcount(rows[i]);
    return d;
}

// A worker over a "minimise SIZE" board with a job loaded but not started: the moves are
// called directly from the test.
struct Rig
{
    Graph shown{"graph", false};
    Problem board{&shown, "problem", false};
    QMutex shared;
    OptimalSolutions job;
    std::unique_ptr<VNS> w;

    explicit Rig(const QString &sense = "MINIMIZE", const QString &invariant = "SIZE")
    {
        QString why;
        if (!OptimizerBoards::objective(board, sense, invariant, &why))
            qFatal("%s", qPrintable(why));
        w.reset(new VNS(&board, &shown, 0, &shared));
        if (!w->init(10, 0, &job, {1.0}, 0))
            qFatal("job refused");
    }

    void load(const Graph::Row rows[Graph::MaxNodes], int n)
    {
        w->privateGraph()->loadCurrentGraph(text(rows, n));
        w->syncGraph();
    }
};
} // namespace

class TestVNSMoves : public QObject
{
    Q_OBJECT

private slots:
    void shakingKeepsEveryDegree();
    void shakingEdgeCases_data();
    void shakingEdgeCases();
    void quadSignatures_data();
    void quadSignatures();
    void everyPatternRoundTrips();
    void recentring_data();
    void recentring();
    void trialRate_data();
    void trialRate();
    void trialsFollowTheTable();
    void currentPatternNeverTried();
    void smallGraphsHaveNoQuadruple();
};

void TestVNSMoves::shakingKeepsEveryDegree()
{
    Rig rig;
    std::mt19937 rng(77);
    qsrand(77);
    int changed = 0;
    for (int trial = 0; trial < 1000; ++trial) {
        const int n = 5 + trial % 28;
        Graph::Row rows[Graph::MaxNodes];
        NamedGraphs::random(rows, n, 0.15 + 0.7 * (rng() % 100) / 100.0, rng());
        rig.load(rows, n);
        const QVector<int> before = degrees(rig.w->privateGraph());
        const QString start = rig.w->privateGraph()->currentGraphData();
        rig.w->perturb(1 + int(rng() % n));
        QCOMPARE(degrees(rig.w->privateGraph()), before);
        const QString after = rig.w->privateGraph()->currentGraphData();
        changed += after != start;
        // The local archive holds the shaken graph alone.
        QCOMPARE(rig.w->localSolutions()->size(), 1);
        QCOMPARE(rig.w->localSolutions()->graph(0), after);
    }
    QVERIFY2(changed > 900, qPrintable(QString::number(changed)));
}

void TestVNSMoves::shakingEdgeCases_data()
{
    QTest::addColumn<QString>("graph");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("k");
    QTest::addColumn<bool>("reset");

    QTest::newRow("star on 5 vertices") << "star" << 5 << 10 << true;
    QTest::newRow("complete graph") << "complete" << 7 << 10 << true;
    QTest::newRow("edgeless graph") << "empty" << 7 << 10 << true;
    QTest::newRow("k = 0 on a path") << "path" << 6 << 0 << true;
    QTest::newRow("4 vertices: nothing at all") << "path" << 4 << 10 << false;
}

void TestVNSMoves::shakingEdgeCases()
{
    QFETCH(QString, graph);
    QFETCH(int, n);
    QFETCH(int, k);
    QFETCH(bool, reset);
    Rig rig;
    // The local archive holds some other graph first.
    Graph::Row other[Graph::MaxNodes];
    NamedGraphs::complete(other, 3);
    Eval e;
    e.push_front(0.0);
    e.addZ({-1.0});
    QVERIFY(rig.w->localSolutions()->addSolution(new Solution(&e, text(other, 3))));

    Graph::Row rows[Graph::MaxNodes];
    NamedGraphs::byName(graph.toLatin1().constData(), rows, n);
    rig.load(rows, n);
    rig.w->perturb(k);
    QCOMPARE(rig.w->privateGraph()->currentGraphData(), text(rows, n));
    QCOMPARE(rig.w->localSolutions()->size(), 1);
    QCOMPARE(rig.w->localSolutions()->graph(0), reset ? text(rows, n) : text(other, 3));
}

void TestVNSMoves::quadSignatures_data()
{
    QTest::addColumn<QString>("graph");
    QTest::addColumn<int>("signature");
    QTest::newRow("path 0-1-2-3") << "path" << 1 + 8 + 32;
    QTest::newRow("K4") << "complete" << 63;
    QTest::newRow("empty") << "empty" << 0;
    QTest::newRow("cycle 0-1-2-3-0") << "cycle" << 1 + 4 + 8 + 32;
    QTest::newRow("star, centre 0") << "star" << 1 + 2 + 4;
}

void TestVNSMoves::quadSignatures()
{
    QFETCH(QString, graph);
    QFETCH(int, signature);
    Rig rig;
    Graph::Row rows[Graph::MaxNodes];
    NamedGraphs::byName(graph.toLatin1().constData(), rows, 4);
    rig.load(rows, 4);
    int q[4] = {0, 1, 2, 3};
    QCOMPARE(rig.w->quadSignature(q), signature);
    rig.w->setQuadGraph(q, 0);
    QCOMPARE(rig.w->privateGraph()->getNbEdges(), 0);
}

void TestVNSMoves::everyPatternRoundTrips()
{
    Rig rig;
    Graph::Row rows[Graph::MaxNodes];
    NamedGraphs::random(rows, 8, 0.5, 5);
    rig.load(rows, 8);
    int q[4] = {6, 1, 4, 2};
    const int pairs[6][2] = {{6, 1}, {6, 4}, {6, 2}, {1, 4}, {1, 2}, {4, 2}};
    for (int t = 0; t < 64; ++t) {
        const int id = rig.w->privateGraph()->getID();
        rig.w->setQuadGraph(q, t);
        QVERIFY(rig.w->privateGraph()->getID() != id);
        QCOMPARE(rig.w->quadSignature(q), t);
        // The pairs in bit order, read from the graph itself.
        for (int b = 0; b < 6; ++b)
            QCOMPARE(rig.w->privateGraph()->edge(pairs[b][0], pairs[b][1]), bool((t >> b) & 1));
        // Pairs outside the quadruple are left alone.
        QCOMPARE(rig.w->privateGraph()->edge(0, 3), bool((rows[0] >> 3) & 1));
        QCOMPARE(rig.w->privateGraph()->edge(5, 7), bool((rows[5] >> 7) & 1));
    }
}

void TestVNSMoves::recentring_data()
{
    QTest::addColumn<QVector<double>>("before");
    QTest::addColumn<QVector<double>>("after");
    QTest::newRow("one reward, one penalty") << QVector<double>{1.0, -0.1} << QVector<double>{0.55, -0.55};
    QTest::newRow("small entries stay") << QVector<double>{1.0, 2.0, 0.01, -0.005}
                                        << QVector<double>{-0.5, 0.5, 0.01, -0.005};
    QTest::newRow("nothing above 0.01") << QVector<double>{0.01, -0.01} << QVector<double>{0.01, -0.01};
}

void TestVNSMoves::recentring()
{
    QFETCH(QVector<double>, before);
    QFETCH(QVector<double>, after);
    Rig rig;
    // Entries spread over the table, the rest zero.
    for (int i = 0; i < before.size(); ++i)
        rig.w->setQuadStat(7 * i, 63 - 5 * i, before[i]);
    rig.w->recentreQuadStats();
    for (int i = 0; i < after.size(); ++i)
        QVERIFY(qAbs(rig.w->quadStat(7 * i, 63 - 5 * i) - after[i]) < 1e-12);
    QCOMPARE(rig.w->quadStat(1, 2), 0.0);
}

void TestVNSMoves::trialRate_data()
{
    QTest::addColumn<double>("agressivity");
    QTest::addColumn<double>("preference");
    QTest::addColumn<double>("rate");
    QTest::newRow("0.3, neutral") << 0.3 << 0.0 << 0.4;
    QTest::newRow("0.3, learned") << 0.3 << 40.0 << 0.9;
    QTest::newRow("0.3, unlearned") << 0.3 << -40.0 << 0.0;
    QTest::newRow("0.6, neutral") << 0.6 << 0.0 << 0.55;
    QTest::newRow("0.6, learned") << 0.6 << 40.0 << 1.0;
    QTest::newRow("0.6, unlearned") << 0.6 << -40.0 << 0.05;
    QTest::newRow("2.5 tries everything") << 2.5 << -40.0 << 1.0;
    QTest::newRow("-1.5 tries nothing") << -1.5 << 40.0 << 0.0;
}

void TestVNSMoves::trialRate()
{
    QFETCH(double, agressivity);
    QFETCH(double, preference);
    QFETCH(double, rate);
    const int draws = 200000;
    int tried = 0;
    for (int i = 0; i <= draws; ++i)
        tried += VNS::tryRewrite(preference, agressivity, double(i) / draws);
    QVERIFY2(qAbs(double(tried) / (draws + 1) - rate) < 1e-3, qPrintable(QString::number(double(tried) / draws)));
}

// Through the worker itself: on the edgeless graph of 4 vertices (pattern 0 in every order)
// under a board that refuses every move, the rewrites tried are counted by the evaluations
// past the call's toggles and first offers. Entries and agressivities that decide the trial
// whatever the draw give exact counts, a new agressivity takes effect in the next call, and
// an undecided trial is made at its rate.
void TestVNSMoves::trialsFollowTheTable()
{
    Rig rig("MINIMIZE", "ORDER");
    Graph::Row rows[Graph::MaxNodes];
    NamedGraphs::empty(rows, 4);
    rig.load(rows, 4);
    const QVector<int> preferred = {1, 5, 17, 62};
    struct Case {
        double agressivity;
        bool setTable; // row 0: +40 for the preferred patterns, -40 for the others
        int rewrites;
    };
    const Case cases[] = {{2.5, false, 63}, {0.5, true, 4}, {-1.5, false, 0}, {2.5, false, 63}};
    // The first call hands its first graph over, which counts one evaluation more.
    rig.w->slot_set_agressivity(-1.5);
    rig.w->ls_stoquad();
    for (const Case &c : cases) {
        rig.w->slot_set_agressivity(c.agressivity);
        if (c.setTable)
            for (int t = 1; t < 64; ++t)
                rig.w->setQuadStat(0, t, preferred.contains(t) ? 40.0 : -40.0);
        const int before = rig.w->nbEvals();
        QVERIFY(!rig.w->ls_stoquad());
        // One first offer each for the toggles and the rewrites, six toggles.
        const int expected = c.rewrites + 1 + 6 + 1;
        QVERIFY2(rig.w->nbEvals() - before == expected,
                 qPrintable(QString("agressivity %1: %2 evaluations").arg(c.agressivity).arg(rig.w->nbEvals() - before)));
        QCOMPARE(rig.w->privateGraph()->currentGraphData(), text(rows, 4));
    }
    // Undecided: agressivity 0.3 and a neutral table try each rewrite with probability 0.4
    // (each call's penalties are re-centred back to zero), 63 * 0.4 per call, within four
    // standard deviations over 200 calls.
    rig.w->slot_set_agressivity(0.3);
    for (int t = 1; t < 64; ++t)
        rig.w->setQuadStat(0, t, 0.0);
    const int before = rig.w->nbEvals();
    for (int call = 0; call < 200; ++call)
        rig.w->ls_stoquad();
    const int rewrites = rig.w->nbEvals() - before - 200 * (1 + 6 + 1);
    QVERIFY2(qAbs(rewrites - 5040) <= 220, qPrintable(QString::number(rewrites)));
}

// From K4 (pattern 63 in every order) under a board that refuses every move, at an
// agressivity that tries every rewrite: each refused rewrite restores pattern 63, which is
// still never tried. One learned entry elsewhere keeps the re-centring from taking the
// penalties back to zero, so a tried diagonal entry would be left at -0.1 + 5.4 / 65.
void TestVNSMoves::currentPatternNeverTried()
{
    Rig rig("MINIMIZE", "ORDER");
    Graph::Row rows[Graph::MaxNodes];
    NamedGraphs::complete(rows, 4);
    rig.load(rows, 4);
    rig.w->slot_set_agressivity(-1.5);
    rig.w->ls_stoquad();
    rig.w->slot_set_agressivity(2.5);
    rig.w->setQuadStat(0, 1, 1.0);
    const int before = rig.w->nbEvals();
    QVERIFY(!rig.w->ls_stoquad());
    QCOMPARE(rig.w->nbEvals() - before, 63 + 1 + 6 + 1);
    // 63 penalties and the one reward: S = 1.0 - 6.3, c = 64.
    const double shift = (1.0 - 6.3) / 64;
    for (int t = 0; t < 63; ++t)
        QVERIFY(qAbs(rig.w->quadStat(63, t) - (-0.1 - shift)) < 1e-12);
    QVERIFY(qAbs(rig.w->quadStat(0, 1) - (1.0 - shift)) < 1e-12);
    for (int s = 0; s < 64; ++s)
        QCOMPARE(rig.w->quadStat(s, s), 0.0);
    QCOMPARE(rig.w->privateGraph()->currentGraphData(), text(rows, 4));
}

void TestVNSMoves::smallGraphsHaveNoQuadruple()
{
    // A board whose value never changes refuses every move: the evaluations are the toggles
    // and the two first offers only.
    Rig rig("MINIMIZE", "ORDER");
    Graph::Row rows[Graph::MaxNodes];
    NamedGraphs::path(rows, 3);
    rig.load(rows, 3);
    // The first call's first offer enters both archives and is handed over, which records
    // the graph with one more evaluation (and counts as no success); the second call finds the
    // graph known.
    int before = rig.w->nbEvals();
    QVERIFY(!rig.w->ls_stoquad());
    QCOMPARE(rig.w->nbEvals() - before, 1 + 1 + 3 + 1);
    before = rig.w->nbEvals();
    QVERIFY(!rig.w->ls_stoquad());
    QCOMPARE(rig.w->nbEvals() - before, 1 + 3 + 1);
    QCOMPARE(rig.job.size(), 1);
    QCOMPARE(rig.w->privateGraph()->currentGraphData(), text(rows, 3));
}

QTEST_MAIN(TestVNSMoves)
#include "tst_vnsmoves.moc"
