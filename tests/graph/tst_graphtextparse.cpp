// The graph-text, graph6 and graph-file readers on their own, without a graph or an
// application object. Expected edges are hand-computed from the formats.
#include "graph/GraphText.h"

#include <QtTest>

#include <algorithm>

namespace {
using Pairs = QVector<QPair<int, int>>;

// The edges i < j of a parsed graph, i ascending then j.
Pairs edgesOf(const GraphText::Rows &g)
{
    Pairs out;
    for (int i = 0; i < g.count; ++i)
        for (int j = i + 1; j < g.count; ++j)
            if (adjacency::has(g.rows[i], j))
                out << qMakePair(i, j);
    return out;
}

// Rows symmetric, without diagonal, and nothing at or beyond the count.
bool wellFormed(const GraphText::Rows &g)
{
    for (int i = 0; i < adjacency::MaxNodes; ++i) {
        if (i >= g.count && g.rows[i])
            return false;
        if (adjacency::has(g.rows[i], i) || (g.rows[i] & ~adjacency::lowMask(g.count)))
            return false;
        for (int j = 0; j < g.count; ++j)
            if (adjacency::has(g.rows[i], j) != adjacency::has(g.rows[j], i))
                return false;
    }
    return true;
}
} // namespace

Q_DECLARE_METATYPE(Pairs)

class TestGraphTextParse : public QObject
{
    Q_OBJECT

private slots:
    void pairs_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::addColumn<Pairs>("edges");
        // The pair order is (1,0), (2,0), (2,1), (3,0), ...
        QTest::newRow("path 0-1-2") << "3 101" << 3 << Pairs{{0, 1}, {1, 2}};
        QTest::newRow("triangle") << "3 111" << 3 << Pairs{{0, 1}, {0, 2}, {1, 2}};
        QTest::newRow("short pair string") << "4 1" << 4 << Pairs{{0, 1}};
        QTest::newRow("other characters are no edge") << "3 2x1" << 3 << Pairs{{1, 2}};
        QTest::newRow("no pair field") << "4" << 4 << Pairs{};
        QTest::newRow("not a number") << "abc 111" << 0 << Pairs{};
        QTest::newRow("negative count") << "-3 111" << 0 << Pairs{};
        QTest::newRow("empty text") << "" << 0 << Pairs{};
        QTest::newRow("count above 32 clamped") << "40 1" << 32 << Pairs{{0, 1}};
        QTest::newRow("leading zero") << "05 0001" << 5 << Pairs{{0, 3}};
        QTest::newRow("signed count") << "+3 001" << 3 << Pairs{{1, 2}};
        QTest::newRow("leading space: empty count") << " 3 111" << 0 << Pairs{};
        QTest::newRow("fields after the pairs") << "3 011 10 20 30" << 3 << Pairs{{0, 2}, {1, 2}};
        QTest::newRow("9 vertices, last pair only") << "9 " + QString(35, '0') + "1" << 9 << Pairs{{7, 8}};
    }
    void pairs()
    {
        QFETCH(QString, text);
        QFETCH(int, count);
        QFETCH(Pairs, edges);
        const GraphText::Rows g = GraphText::parsePairs(text);
        QCOMPARE(g.count, count);
        QCOMPARE(edgesOf(g), edges);
        QVERIFY(wellFormed(g));
    }

    void completeOn32()
    {
        const GraphText::Rows g = GraphText::parsePairs("32 " + QString(496, '1'));
        QCOMPARE(g.count, 32);
        QCOMPARE(edgesOf(g).size(), 496);
        QVERIFY(wellFormed(g));
    }

    void graph6_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("count");
        QTest::addColumn<Pairs>("edges");
        // Pairs (i, j) for j = 1.., i < j, six bits a character, most significant first, plus 63.
        QTest::newRow("triangle") << QByteArray("Bw") << true << 3 << Pairs{{0, 1}, {0, 2}, {1, 2}};
        QTest::newRow("path 0-1-2-3") << QByteArray("Ch") << true << 4 << Pairs{{0, 1}, {1, 2}, {2, 3}};
        QTest::newRow("star on 5") << QByteArray("Ds_") << true << 5 << Pairs{{0, 1}, {0, 2}, {0, 3}, {0, 4}};
        QTest::newRow("two vertices, no edge") << QByteArray("A?") << true << 2 << Pairs{};
        QTest::newRow("trailing characters ignored") << QByteArray("BwXYZ") << true << 3
                                                     << Pairs{{0, 1}, {0, 2}, {1, 2}};
        QTest::newRow("empty line") << QByteArray() << false << 0 << Pairs{};
        QTest::newRow("one vertex") << QByteArray("@") << false << 0 << Pairs{};
        QTest::newRow("32 vertices") << (QByteArray(1, char(32 + 63)) + QByteArray(83, '~')) << false << 0
                                     << Pairs{};
        QTest::newRow("too short") << QByteArray("D") << false << 0 << Pairs{};
        QTest::newRow("character below 63") << QByteArray("B ") << false << 0 << Pairs{};
        QTest::newRow("character above 126") << QByteArray("B\x7f") << false << 0 << Pairs{};
    }
    void graph6()
    {
        QFETCH(QByteArray, line);
        QFETCH(bool, accepted);
        QFETCH(int, count);
        QFETCH(Pairs, edges);
        GraphText::Rows g;
        g.count = -7;
        QCOMPARE(GraphText::parseGraph6(line, &g), accepted);
        if (!accepted) {
            QCOMPARE(g.count, -7); // a refusal writes nothing
            return;
        }
        QCOMPARE(g.count, count);
        QCOMPARE(edgesOf(g), edges);
        QVERIFY(wellFormed(g));
    }

    void file_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("withIdentifier");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<Pairs>("edges");
        const QByteArray vertices = "A\t1\t2\nB\t3\t4\nC\t5\t6\n";
        const QByteArray path = "0\t1\t0\t1\t0\t1\t0\t1\t0\t";
        QTest::newRow("path file") << "3\n" + vertices + path << false << true << Pairs{{0, 1}, {1, 2}};
        QTest::newRow("autosave with identifier") << "3\n77\n" + vertices + path << true << true
                                                  << Pairs{{0, 1}, {1, 2}};
        // Only the upper triangle decides.
        QTest::newRow("lower triangle ignored") << "3\n" + vertices + "0\t0\t0\t1\t0\t0\t1\t1\t0\t" << false << true
                                                << Pairs{};
        QTest::newRow("any non-zero number is an edge") << "3\n" + vertices + "0\t7\t0\t0\t0\t-2\t0\t0\t0" << false
                                                        << true << Pairs{{0, 1}, {1, 2}};
        QTest::newRow("text after a NUL ignored") << "3\n" + vertices + path + QByteArray("\0junk", 5) << false
                                                  << true << Pairs{{0, 1}, {1, 2}};
        QTest::newRow("empty graph") << QByteArray("0\n\n") << false << true << Pairs{};
        QTest::newRow("count not a number") << "x\n" + vertices + path << false << false << Pairs{};
        QTest::newRow("count 33") << QByteArray("33\n") << false << false << Pairs{};
        QTest::newRow("identifier missing") << "3\nA\t1\t2\nB\t3\t4\nC\t5\t6\n" + path << true << false << Pairs{};
        QTest::newRow("vertex line short") << "3\nA\t1\nB\t3\t4\nC\t5\t6\n" + path << false << false << Pairs{};
        QTest::newRow("coordinate not a number") << "3\nA\tx\t2\nB\t3\t4\nC\t5\t6\n" + path << false << false
                                                 << Pairs{};
        QTest::newRow("infinite coordinate") << "3\nA\tinf\t2\nB\t3\t4\nC\t5\t6\n" + path << false << false
                                             << Pairs{};
        QTest::newRow("matrix short") << "3\n" + vertices + "0\t1\t0\t" << false << false << Pairs{};
        QTest::newRow("matrix line missing") << "3\n" + vertices.left(vertices.size() - 1) << false << false
                                             << Pairs{};
    }
    void file()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, withIdentifier);
        QFETCH(bool, accepted);
        QFETCH(Pairs, edges);
        GraphText::File f;
        f.storedId = -7;
        QCOMPARE(GraphText::parseFile(bytes, withIdentifier, &f), accepted);
        if (!accepted) {
            QCOMPARE(f.storedId, -7);
            QVERIFY(f.names.isEmpty());
            return;
        }
        QCOMPARE(edgesOf(f.graph), edges);
        QVERIFY(wellFormed(f.graph));
        QCOMPARE(f.names.size(), f.graph.count);
        QCOMPARE(f.positions.size(), f.graph.count);
        if (f.graph.count == 3) {
            QCOMPARE(f.names, (QStringList{"A", "B", "C"}));
            QCOMPARE(f.positions[2], QPointF(5, 6));
            QCOMPARE(f.storedId, withIdentifier ? 77 : 0);
        }
    }
};

QTEST_APPLESS_MAIN(TestGraphTextParse)
#include "tst_graphtextparse.moc"
