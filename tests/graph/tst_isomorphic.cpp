#include "graph/Isomorphic.h"

#include <QtTest>
#include <algorithm>
#include <random>
#include <set>
#include <utility>

namespace {

using EdgeSet = std::set<std::pair<int, int>>;

// Graph text: the count, a blank, then pairs (i, j) for i = 1..n-1, j = 0..i-1.
QString graphText(int n, const EdgeSet &edges)
{
    QString text = QString::number(n) + ' ';
    for (int i = 1; i < n; ++i)
        for (int j = 0; j < i; ++j)
            text += edges.count({std::min(i, j), std::max(i, j)}) ? '1' : '0';
    return text;
}

EdgeSet relabelled(const EdgeSet &edges, const std::vector<int> &perm)
{
    EdgeSet out;
    for (const auto &e : edges) {
        const int a = perm[e.first], b = perm[e.second];
        out.insert({std::min(a, b), std::max(a, b)});
    }
    return out;
}

EdgeSet edgeSet(std::initializer_list<std::pair<int, int>> pairs)
{
    EdgeSet e;
    for (const auto &p : pairs)
        e.insert({std::min(p.first, p.second), std::max(p.first, p.second)});
    return e;
}

// Outer 5-cycle 0..4, spokes i - i+5, inner pentagram 5+i - 5+(i+2).
EdgeSet petersen()
{
    EdgeSet e;
    for (int i = 0; i < 5; ++i)
        for (const auto &p : {std::make_pair(i, (i + 1) % 5), std::make_pair(i, i + 5),
                              std::make_pair(5 + i, 5 + (i + 2) % 5)})
            e.insert({std::min(p.first, p.second), std::max(p.first, p.second)});
    return e;
}

// Two strongly regular graphs with parameters (16, 6, 2, 2), so cospectral and alike for
// colour refinement, yet not isomorphic: the 4 x 4 rook's graph and the Shrikhande graph.
EdgeSet rook4()
{
    EdgeSet e;
    for (int u = 0; u < 16; ++u)
        for (int v = u + 1; v < 16; ++v)
            if (u / 4 == v / 4 || u % 4 == v % 4)
                e.insert({u, v});
    return e;
}

EdgeSet shrikhande()
{
    EdgeSet e;
    for (int u = 0; u < 16; ++u)
        for (int v = u + 1; v < 16; ++v) {
            const int da = (v / 4 - u / 4 + 4) % 4, db = (v % 4 - u % 4 + 4) % 4;
            const bool adjacent = (da == 0 && db != 2 && db != 0) || (db == 0 && da != 2 && da != 0) ||
                                  (da == 1 && db == 1) || (da == 3 && db == 3);
            if (adjacent)
                e.insert({u, v});
        }
    return e;
}

} // namespace

class TestIsomorphic : public QObject
{
    Q_OBJECT

private slots:
    void verdicts_data();
    void verdicts();
    void relabellings_data();
    void relabellings();
    void reusedWithFirstGraphKept();
    void movesAndTheirUndoing();
};

void TestIsomorphic::verdicts_data()
{
    QTest::addColumn<QString>("g1");
    QTest::addColumn<QString>("g2");
    QTest::addColumn<int>("expected");

    const EdgeSet p4{{0, 1}, {1, 2}, {2, 3}};
    const EdgeSet star3{{0, 1}, {0, 2}, {0, 3}};
    const EdgeSet star4{{0, 1}, {0, 2}, {0, 3}, {0, 4}};
    const EdgeSet c4k1{{0, 1}, {1, 2}, {2, 3}, {0, 3}};
    QTest::newRow("different orders") << graphText(4, p4) << graphText(5, p4) << -1;
    QTest::newRow("different sizes") << graphText(4, p4) << graphText(4, {{0, 1}}) << -1;
    QTest::newRow("P4 vs K1,3 (spectra differ)") << graphText(4, p4) << graphText(4, star3) << 0;
    QTest::newRow("K1,4 vs C4+K1 (cospectral)") << graphText(5, star4) << graphText(5, c4k1) << 0;
    QTest::newRow("no vertex") << QString("0 ") << QString("0 ") << 1;
    QTest::newRow("one vertex") << QString("1 ") << QString("1 ") << 1;
    QTest::newRow("same labelled graph") << graphText(10, petersen()) << graphText(10, petersen()) << 1;
    QTest::newRow("rook's graph vs Shrikhande") << graphText(16, rook4()) << graphText(16, shrikhande()) << 0;
    QTest::newRow("Shrikhande relabelled")
        << graphText(16, shrikhande())
        << graphText(16, relabelled(shrikhande(), {5, 12, 0, 9, 14, 3, 7, 1, 15, 10, 2, 8, 4, 13, 6, 11})) << 1;
}

void TestIsomorphic::verdicts()
{
    QFETCH(QString, g1);
    QFETCH(QString, g2);
    QFETCH(int, expected);
    Isomorphic iso;
    iso.setG1(g1);
    iso.setG2(g2);
    QCOMPARE(iso.isIsomorphic(), expected);
}

void TestIsomorphic::relabellings_data()
{
    QTest::addColumn<QString>("g1");
    QTest::addColumn<QString>("g2");

    std::mt19937 gen(90210);
    for (int n = 5; n <= 16; ++n) {
        EdgeSet edges;
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j)
                if (gen() & 1)
                    edges.insert({i, j});
        std::vector<int> perm(n);
        for (int i = 0; i < n; ++i)
            perm[i] = i;
        std::shuffle(perm.begin(), perm.end(), gen);
        QTest::addRow("random %d", n) << graphText(n, edges) << graphText(n, relabelled(edges, perm));
    }
    std::vector<int> perm{3, 7, 0, 9, 5, 1, 8, 2, 6, 4};
    QTest::newRow("Petersen") << graphText(10, petersen()) << graphText(10, relabelled(petersen(), perm));
}

void TestIsomorphic::relabellings()
{
    QFETCH(QString, g1);
    QFETCH(QString, g2);
    Isomorphic iso;
    iso.setG1(g1);
    iso.setG2(g2);
    QCOMPARE(iso.isIsomorphic(), 1);
}

void TestIsomorphic::reusedWithFirstGraphKept()
{
    // The shuffle test keeps the first graph and gives a new second one each time.
    const EdgeSet p4{{0, 1}, {1, 2}, {2, 3}};
    Isomorphic iso;
    iso.setG1(graphText(4, p4));
    iso.setG2(graphText(4, relabelled(p4, {2, 0, 3, 1})));
    QCOMPARE(iso.isIsomorphic(), 1);
    iso.setG2(graphText(4, {{0, 1}, {0, 2}, {0, 3}}));
    QCOMPARE(iso.isIsomorphic(), 0);
    iso.setG2(graphText(3, {{0, 1}, {1, 2}}));
    QCOMPARE(iso.isIsomorphic(), -1);
    iso.setG2(graphText(4, relabelled(p4, {3, 1, 0, 2})));
    QCOMPARE(iso.isIsomorphic(), 1);
}

void TestIsomorphic::movesAndTheirUndoing()
{
    // A graph without symmetry: 0-1-2-3-4 with a pendant 5 on 1 and a chord 2-4.
    const EdgeSet g = edgeSet({{0, 1}, {1, 2}, {2, 3}, {3, 4}, {1, 5}, {2, 4}});
    Isomorphic iso;
    iso.setG1(graphText(6, g));
    iso.setG2(graphText(6, relabelled(g, {4, 2, 5, 0, 1, 3})));
    QCOMPARE(iso.isIsomorphic(), 1);
    // The permutation found is current: its spectral error vanishes.
    QVERIFY(iso.eval() < 1e-5);

    iso.swap(0, 1);
    QVERIFY(iso.eval() > 1e-3);
    iso.swap(0, 1);
    QVERIFY(iso.eval() < 1e-5);

    iso.rotate3(0, 1, 2);
    QVERIFY(iso.eval() > 1e-3);
    iso.rotate3(2, 1, 0);
    QVERIFY(iso.eval() < 1e-5);

    iso.rotate4(0, 3, 1, 5);
    QVERIFY(iso.eval() > 1e-3);
    iso.rotate4(5, 1, 3, 0);
    QVERIFY(iso.eval() < 1e-5);

    // With its last two vertices equal a 4-rotation is a 3-rotation, and still undone.
    iso.rotate4(0, 1, 2, 2);
    QVERIFY(iso.eval() > 1e-3);
    iso.rotate4(2, 2, 1, 0);
    QVERIFY(iso.eval() < 1e-5);

    // The best permutation comes back after shaking.
    iso.bestbackup();
    iso.perturb(5);
    iso.bestrestore();
    QVERIFY(iso.eval() < 1e-5);
}

QTEST_MAIN(TestIsomorphic)
#include "tst_isomorphic.moc"
