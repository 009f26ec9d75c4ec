#include "InvariantProbe.h"
#include "NamedGraphs.h"
#include "calculus/BuildCalculus.h"
#include "calculus/Calculus.h"
#include "calculus/CalculusDisplay.h"
#include "graph/Graph.h"

#include <QtTest>
#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <numeric>
#include <random>
#include <vector>

// The seven tree-family items: hand cases with the conventions for tiny and disconnected
// graphs, exhaustive counts over small labelled graphs and trees, invariance under
// relabelling, and agreement with definitions written here on adjacency lists.
namespace {
const QStringList keys = {"TREE", "PATH", "STAR", "SPIDER", "CATERPILLAR", "LOBSTER", "COMET"};

using Edges = std::vector<std::pair<int, int>>;

// Adjacency lists in fixed arrays: the exhaustive loops below allocate nothing per graph.
struct Adj
{
    int n = 0;
    int deg[Graph::MaxNodes] = {};
    int nb[Graph::MaxNodes][Graph::MaxNodes] = {};
    void join(int u, int v)
    {
        nb[u][deg[u]++] = v;
        nb[v][deg[v]++] = u;
    }
};

Adj adjacencyLists(int n, const Edges &edges)
{
    Adj adj;
    adj.n = n;
    for (const auto &e : edges)
        adj.join(e.first, e.second);
    return adj;
}

int edgeCount(const Adj &adj) { return std::accumulate(adj.deg, adj.deg + adj.n, 0) / 2; }

bool connected(const Adj &adj)
{
    if (adj.n == 0)
        return true;
    bool seen[Graph::MaxNodes] = {};
    int stack[Graph::MaxNodes];
    int top = 0;
    stack[top++] = 0;
    seen[0] = true;
    int count = 1;
    while (top > 0) {
        const int u = stack[--top];
        for (int k = 0; k < adj.deg[u]; ++k) {
            const int v = adj.nb[u][k];
            if (!seen[v]) {
                seen[v] = true;
                ++count;
                stack[top++] = v;
            }
        }
    }
    return count == adj.n;
}

// The empty graph counts as a tree here, so that stripping leaves can reach it.
bool isTree(const Adj &adj) { return adj.n == 0 || (connected(adj) && edgeCount(adj) == adj.n - 1); }

int maxDegree(const Adj &adj) { return adj.n == 0 ? 0 : *std::max_element(adj.deg, adj.deg + adj.n); }

// The graph without its vertices of degree 1.
Adj withoutLeaves(const Adj &adj)
{
    int index[Graph::MaxNodes];
    Adj out;
    for (int v = 0; v < adj.n; ++v)
        index[v] = adj.deg[v] == 1 ? -1 : out.n++;
    for (int v = 0; v < adj.n; ++v)
        for (int k = 0; k < adj.deg[v]; ++k) {
            const int w = adj.nb[v][k];
            if (index[v] >= 0 && index[w] >= 0 && v < w)
                out.join(index[v], index[w]);
        }
    return out;
}

bool pathLike(const Adj &adj) { return isTree(adj) && maxDegree(adj) <= 2; }
bool caterpillarLike(const Adj &adj) { return isTree(adj) && pathLike(withoutLeaves(adj)); }
bool lobsterLike(const Adj &adj) { return isTree(adj) && caterpillarLike(withoutLeaves(adj)); }

bool spiderLike(const Adj &adj)
{
    if (!isTree(adj) || adj.n < 3)
        return false;
    return std::count_if(adj.deg, adj.deg + adj.n, [](int d) { return d >= 3; }) <= 1;
}

// One vertex of degree 3 or more from which exactly one leg, followed through vertices of
// degree 2, is longer than one edge.
bool cometLike(const Adj &adj)
{
    if (!spiderLike(adj) || maxDegree(adj) < 3)
        return false;
    int centre = 0;
    while (adj.deg[centre] < 3)
        ++centre;
    int longLegs = 0;
    for (int k = 0; k < adj.deg[centre]; ++k) {
        int length = 1;
        int previous = centre;
        int at = adj.nb[centre][k];
        while (adj.deg[at] == 2) {
            const int next = adj.nb[at][0] == previous ? adj.nb[at][1] : adj.nb[at][0];
            previous = at;
            at = next;
            ++length;
        }
        if (length >= 2)
            ++longLegs;
    }
    return longLegs == 1;
}

// Membership by the definitions above, in the order of keys; n >= 2.
std::array<bool, 7> expectedMembership(const Adj &adj)
{
    const bool tree = isTree(adj);
    return {tree,
            tree && pathLike(adj),
            tree && maxDegree(adj) == adj.n - 1,
            spiderLike(adj),
            caterpillarLike(adj),
            lobsterLike(adj),
            cometLike(adj)};
}

// The seven items, made once, computed on one graph whose edges change one at a time.
struct Board
{
    Graph graph{"families", false};
    BuildCalculus factory;
    std::vector<std::unique_ptr<Calculus>> items;
    Edges current;

    explicit Board(int n)
    {
        graph.loadCurrentGraph(QString::number(n) + ' ');
        for (const QString &key : keys) {
            items.emplace_back(factory.makeCalculus(key, false));
            items.back()->setGraph(&graph);
        }
    }
    void add(int i, int j) { graph.addEdge(i, j); }
    void remove(int i, int j) { graph.remEdge(i, j); }
    void setEdges(const Edges &edges)
    {
        for (const auto &e : current)
            graph.remEdge(e.first, e.second);
        for (const auto &e : edges)
            graph.addEdge(e.first, e.second);
        current = edges;
    }
    // The value of item k, -1 without a value.
    double value(int k, bool *error = nullptr)
    {
        Calculus *item = items[k].get();
        item->compute(true);
        if (error)
            *error = item->getError();
        return item->getNbRows() == 1 && item->getNbCols() == 1 ? item->entry(0, 0) : -1.0;
    }
};

void setGraph(InvariantProbe &probe, int n, const Edges &edges)
{
    Graph::Row rows[Graph::MaxNodes] = {};
    for (const auto &e : edges)
        NamedGraphs::addEdge(rows, e.first, e.second);
    probe.setRows(rows, n);
}

// The tree of a Prüfer code on n = code.size() + 2 vertices, into edges.
void fromPrufer(const std::vector<int> &code, Edges &edges)
{
    const int n = int(code.size()) + 2;
    int degree[Graph::MaxNodes];
    std::fill(degree, degree + n, 1);
    for (int c : code)
        ++degree[c];
    edges.clear();
    for (int c : code) {
        int leaf = 0;
        while (degree[leaf] != 1)
            ++leaf;
        edges.push_back({leaf, c});
        --degree[leaf];
        --degree[c];
    }
    int last[2];
    int found = 0;
    for (int v = 0; v < n; ++v)
        if (degree[v] == 1)
            last[found++] = v;
    edges.push_back({last[0], last[1]});
}

// Every labelled tree on n vertices, by its Prüfer code, in turn.
void forEachTree(int n, const std::function<void(const Edges &)> &visit)
{
    Edges edges;
    edges.reserve(n);
    std::vector<int> code(n - 2, 0);
    while (true) {
        fromPrufer(code, edges);
        visit(edges);
        int k = 0;
        while (k < n - 2 && ++code[k] == n)
            code[k++] = 0;
        if (k == n - 2)
            return;
    }
}

// A random tree whose vertex v hangs on one of the `reach` vertices before it: reach 1 gives
// paths, small reaches caterpillars and lobsters, large ones bushy trees.
Edges randomTree(int n, int reach, std::mt19937 &rng)
{
    Edges edges;
    for (int v = 1; v < n; ++v) {
        const int lo = std::max(0, v - reach);
        edges.push_back({std::uniform_int_distribution<int>(lo, v - 1)(rng), v});
    }
    return edges;
}

// A random spider: centre 0, a first leg of 1 to 4 edges, a second of 1 or 2, the others of
// one edge, so that comets (exactly one long leg) come up often.
Edges randomSpider(int n, std::mt19937 &rng)
{
    Edges edges;
    int v = 1;
    for (int leg = 0; v < n; ++leg) {
        const int wanted = leg == 0 ? 1 + int(rng() % 4) : leg == 1 ? 1 + int(rng() % 2) : 1;
        const int length = std::min(n - v, wanted);
        for (int k = 0; k < length; ++k, ++v)
            edges.push_back({k == 0 ? 0 : v - 1, v});
    }
    return edges;
}

Edges relabelled(const Edges &edges, const std::vector<int> &perm)
{
    Edges out;
    for (const auto &e : edges)
        out.push_back({perm[e.first], perm[e.second]});
    return out;
}
} // namespace

class TestFamilyItems : public QObject
{
    Q_OBJECT

private slots:
    // Values in the order of keys: '1' or '0' with a value, '-' without one.
    void handCases_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<Edges>("edges");
        QTest::addColumn<bool>("complement");
        QTest::addColumn<QString>("values");
        QTest::addColumn<bool>("error");

        const Edges none;
        QTest::newRow("single vertex") << 1 << none << false << "-------" << true;
        QTest::newRow("two apart") << 2 << none << false << "0000000" << true;
        QTest::newRow("forest P2 + K1") << 3 << Edges{{0, 1}} << false << "0000000" << true;
        QTest::newRow("K2") << 2 << Edges{{0, 1}} << false << "1110110" << false;
        QTest::newRow("P3") << 3 << Edges{{0, 1}, {1, 2}} << false << "1111110" << false;
        QTest::newRow("P5") << 5 << Edges{{0, 1}, {1, 2}, {2, 3}, {3, 4}} << false << "1101110" << false;
        QTest::newRow("K1,4") << 5 << Edges{{0, 1}, {0, 2}, {0, 3}, {0, 4}} << false << "1011110" << false;
        QTest::newRow("comet K1,3 + 1") << 5 << Edges{{0, 1}, {0, 2}, {0, 3}, {3, 4}} << false << "1001111" << false;
        QTest::newRow("comet K1,3 + 3") << 7 << Edges{{0, 1}, {0, 2}, {0, 3}, {3, 4}, {4, 5}, {5, 6}} << false
                                        << "1001111" << false;
        QTest::newRow("K1,3 + two tails") << 6 << Edges{{0, 1}, {0, 2}, {0, 3}, {2, 4}, {3, 5}} << false
                                          << "1001110" << false;
        QTest::newRow("lobster") << 7 << Edges{{0, 1}, {1, 2}, {2, 3}, {3, 4}, {2, 5}, {5, 6}} << false << "1001010"
                                 << false;
        QTest::newRow("not a lobster") << 10
                                       << Edges{{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}, {3, 7}, {7, 8}, {8, 9}}
                                       << false << "1001000" << false;
        QTest::newRow("double star") << 6 << Edges{{0, 1}, {0, 2}, {0, 3}, {1, 4}, {1, 5}} << false << "1000110"
                                     << false;
        QTest::newRow("C5") << 5 << Edges{{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 0}} << false << "0000000" << false;
        QTest::newRow("K4") << 4 << Edges{{0, 1}, {0, 2}, {0, 3}, {1, 2}, {1, 3}, {2, 3}} << false << "0000000"
                            << false;
        QTest::newRow("complement of K1,4") << 5 << Edges{{0, 1}, {0, 2}, {0, 3}, {0, 4}} << true << "0000000"
                                            << true;
        QTest::newRow("complement of P4 is P4") << 4 << Edges{{0, 1}, {1, 2}, {2, 3}} << true << "1101110" << false;
        QTest::newRow("complement of K4") << 4 << Edges{{0, 1}, {0, 2}, {0, 3}, {1, 2}, {1, 3}, {2, 3}} << true
                                          << "0000000" << true;
    }
    void handCases()
    {
        QFETCH(int, n);
        QFETCH(Edges, edges);
        QFETCH(bool, complement);
        QFETCH(QString, values);
        QFETCH(bool, error);
        InvariantProbe probe;
        setGraph(probe, n, edges);
        for (int k = 0; k < keys.size(); ++k) {
            Calculus *item = probe.compute(keys[k], complement);
            QVERIFY2(item, qPrintable(keys[k]));
            QCOMPARE(item->getError(), error);
            if (values[k] == '-') {
                QCOMPARE(item->getNbRows(), 0);
                QCOMPARE(item->getNbCols(), 0);
                continue;
            }
            QCOMPARE(item->getNbRows(), 1);
            QCOMPARE(item->getNbCols(), 1);
            QVERIFY2(item->entry(0, 0) == (values[k] == '1' ? 1.0 : 0.0),
                     qPrintable(keys[k] + ": " + QString::number(item->entry(0, 0))));
        }
    }

    // A computation after one without a value gives the value back.
    void valueReturnsAfterTinyGraph()
    {
        InvariantProbe probe;
        setGraph(probe, 1, {});
        QCOMPARE(probe.compute("TREE")->getNbRows(), 0);
        setGraph(probe, 3, {{0, 1}, {1, 2}});
        Calculus *item = probe.compute("TREE");
        QCOMPARE(item->getNbRows(), 1);
        QVERIFY(!item->getError());
        QCOMPARE(item->entry(0, 0), 1.0);
    }

    // Every graph on 6 labelled vertices, reached by adding and removing edges.
    void allGraphsOnSix()
    {
        Board board(6);
        std::vector<std::pair<int, int>> pairs;
        for (int i = 1; i < 6; ++i)
            for (int j = 0; j < i; ++j)
                pairs.push_back({i, j});
        int ones[7] = {};
        int disconnected = 0;
        int previous = 0;
        for (int mask = 0; mask < (1 << 15); ++mask) {
            Adj adj;
            adj.n = 6;
            for (int p = 0; p < 15; ++p) {
                const int i = pairs[p].first;
                const int j = pairs[p].second;
                if (mask & (1 << p))
                    adj.join(i, j);
                if ((mask ^ previous) & (1 << p))
                    (mask & (1 << p)) ? board.add(i, j) : board.remove(i, j);
            }
            previous = mask;
            const bool apart = !connected(adj);
            disconnected += apart;
            const std::array<bool, 7> expected = expectedMembership(adj);
            for (int k = 0; k < keys.size(); ++k) {
                bool error = false;
                const double v = board.value(k, &error);
                if (error != apart || v != (expected[k] ? 1.0 : 0.0))
                    QFAIL(qPrintable(QString("%1 on edge mask %2: %3, error %4").arg(keys[k]).arg(mask).arg(v).arg(error)));
                ones[k] += v == 1.0;
            }
        }
        QCOMPARE(disconnected, 32768 - 26704);
        QCOMPARE(ones[0], 1296);
        QCOMPARE(ones[1], 360);
        QCOMPARE(ones[2], 6);
        // Every tree on 6 vertices is a caterpillar, and so a lobster.
        QCOMPARE(ones[4], 1296);
        QCOMPARE(ones[5], 1296);
    }

    // Every labelled tree on up to 7 vertices, by its Prüfer code.
    void allLabelledTrees_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("trees");
        QTest::addColumn<int>("caterpillars");
        for (int n = 3; n <= 6; ++n) {
            int count = 1;
            for (int k = 0; k < n - 2; ++k)
                count *= n;
            QTest::addRow("n = %d", n) << n << count << count;
        }
        QTest::newRow("n = 7") << 7 << 16807 << 15967;
    }
    void allLabelledTrees()
    {
        QFETCH(int, n);
        QFETCH(int, trees);
        QFETCH(int, caterpillars);
        Board board(n);
        int seen = 0;
        int ones[7] = {};
        bool agree = true;
        forEachTree(n, [&](const Edges &edges) {
            ++seen;
            board.setEdges(edges);
            const std::array<bool, 7> expected = expectedMembership(adjacencyLists(n, edges));
            for (int k = 0; k < keys.size(); ++k) {
                const double v = board.value(k);
                ones[k] += v == 1.0;
                if (agree && v != (expected[k] ? 1.0 : 0.0)) {
                    agree = false;
                    qWarning() << keys[k] << "disagrees on a tree with" << n << "vertices";
                }
            }
        });
        QVERIFY(agree);
        QCOMPARE(seen, trees);
        QCOMPARE(ones[0], trees);
        QCOMPARE(ones[4], caterpillars);
        // Labelled paths: n! / 2; labelled stars: n.
        int paths = 1;
        for (int k = 3; k <= n; ++k)
            paths *= k;
        QCOMPARE(ones[1], paths);
        QCOMPARE(ones[2], n);
    }

    // Random trees and spiders up to 32 vertices: the values agree with the definitions and
    // survive 200 relabellings each.
    void relabellingInvariance()
    {
        std::mt19937 rng(20261207);
        int ones[7] = {};
        const int rounds = 30;
        for (int round = 0; round < rounds; ++round) {
            const int n = std::uniform_int_distribution<int>(2, 32)(rng);
            const int kind = round % 6;
            const Edges edges = kind == 5 ? randomSpider(n, rng) : randomTree(n, std::vector<int>{1, 2, 3, 4, n}[kind], rng);
            Board board(n);
            board.setEdges(edges);
            const std::array<bool, 7> expected = expectedMembership(adjacencyLists(n, edges));
            double first[7];
            for (int k = 0; k < keys.size(); ++k) {
                first[k] = board.value(k);
                QVERIFY2(first[k] == (expected[k] ? 1.0 : 0.0), qPrintable(keys[k] + QString(", n = %1").arg(n)));
                ones[k] += expected[k];
            }
            std::vector<int> perm(n);
            std::iota(perm.begin(), perm.end(), 0);
            for (int r = 0; r < 200; ++r) {
                std::shuffle(perm.begin(), perm.end(), rng);
                board.setEdges(relabelled(edges, perm));
                for (int k = 0; k < keys.size(); ++k)
                    if (board.value(k) != first[k])
                        QFAIL(qPrintable(QString("%1 changed under relabelling, n = %2").arg(keys[k]).arg(n)));
            }
        }
        // The sample reaches both answers of every test but TREE.
        for (int k = 1; k < keys.size(); ++k)
            QVERIFY2(ones[k] > 0 && ones[k] < rounds, qPrintable(keys[k]));
    }

    // The factory makes each key as a family item; the help text says what may surprise.
    void factoryAndHelp_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("mention");
        QTest::newRow("TREE") << "TREE" << "disconnected graph, a forest included, gives No";
        QTest::newRow("SPIDER") << "SPIDER" << "single edge (2 vertices) is not";
        QTest::newRow("COMET") << "COMET" << "star alone, or a path, is not a comet";
        QTest::newRow("LOBSTER") << "LOBSTER" << "root path is at most 2";
        QTest::newRow("PATH") << "PATH" << "fewer than 2 vertices has no value";
    }
    void factoryAndHelp()
    {
        QFETCH(QString, key);
        QFETCH(QString, mention);
        BuildCalculus factory;
        QCOMPARE(factory.type(key), 2);
        std::unique_ptr<Calculus> item(factory.makeCalculus(key, true));
        QVERIFY(item);
        QCOMPARE(item->getName(), key);
        QCOMPARE(item->getType(), QString("Family"));
        QCOMPARE(item->formula(), key);
        QCOMPARE(item->getSRows(), QString("1"));
        QCOMPARE(item->getSCols(), QString("1"));
        QVERIFY(item->getDescription().startsWith("Boolean function that indicates wether the graph is a "));
        QVERIFY2(item->getDescription().contains(mention), qPrintable(item->getDescription()));
        QCOMPARE(item->latexDocumentation(), item->getDescription());
        QVERIFY(item->getCalculusDisplay());
        QVERIFY(!item->setArg1(item.get()));
        QVERIFY(!item->setLinkTo(nullptr));
        // A displayed item gives one value per graph to the explorer.
        QVERIFY(item->graphInReport());
        QVERIFY(!item->nodInReport());
    }
};

QTEST_MAIN(TestFamilyItems)
#include "tst_familyitems.moc"
