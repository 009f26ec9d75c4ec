#include "graph/Graph.h"
#include "graph/Node.h"

#include <QSignalSpy>
#include <QtTest>
#include <sstream>

namespace {
// Test-side graph6 encoder, written from the published format: count + 63, then the pair bits
// (j = 1..n-1, i = 0..j-1) six at a time, most significant first, each plus 63.
QString toGraph6(Graph &g)
{
    const int n = g.getNbNodes();
    QString bits;
    for (int j = 1; j < n; ++j)
        for (int i = 0; i < j; ++i)
            bits += g.edge(i, j) ? '1' : '0';
    while (bits.size() % 6)
        bits += '0';
    QString out(QChar(n + 63));
    for (int k = 0; k < bits.size(); k += 6)
        out += QChar(bits.mid(k, 6).toInt(nullptr, 2) + 63);
    return out;
}

bool sameEdges(Graph &a, Graph &b)
{
    if (a.getNbNodes() != b.getNbNodes())
        return false;
    for (int i = 0; i < a.getNbNodes(); ++i)
        for (int j = 0; j < a.getNbNodes(); ++j)
            if (a.edge(i, j) != b.edge(i, j))
                return false;
    return true;
}
} // namespace

class TestGraphText : public QObject
{
    Q_OBJECT

private slots:
    void roundTripEveryCount()
    {
        Graph g("G", false);
        Graph h("H", false);
        for (int n = 0; n <= 32; ++n) {
            g.randomGraph(n);
            const QString text = g.currentGraphData();
            QCOMPARE(text.size(), QString::number(n).size() + 1 + n * (n - 1) / 2);
            h.loadCurrentGraph(text);
            QVERIFY2(sameEdges(g, h), qPrintable(text));
            g.best_backup();
            QCOMPARE(g.graphData(), text);
            h.loadorv(g.graphData(), false);
            QCOMPARE(h.graphData(), text);
            QCOMPARE(h.currentGraphData(), text);
        }
    }

    void readerCases_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty graph") << "0 " << "0 ";
        QTest::newRow("single vertex") << "1 " << "1 ";
        QTest::newRow("path") << "3 101" << "3 101";
        QTest::newRow("short pair string") << "4 1" << "4 100000";
        QTest::newRow("no blank") << "4" << "4 000000";
        QTest::newRow("not a number") << "abc 111" << "0 ";
        QTest::newRow("other characters") << "3 2x1" << "3 001";
        QTest::newRow("extra fields") << "3 111 junk 1" << "3 111";
        QTest::newRow("negative") << "-4 111" << "0 ";
        QTest::newRow("empty text") << "" << "0 ";
        QTest::newRow("count 40") << "40 " + QString(496, '1') + "000" << "32 " + QString(496, '1');
    }
    void readerCases()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        Graph g("G", false);
        g.loadCurrentGraph(text);
        QCOMPARE(g.currentGraphData(), expected);
        g.loadorv(text, true);
        QCOMPARE(g.graphData(), expected);
    }

    void readersAlwaysChangeTheIdentifier()
    {
        Graph g("G", false);
        for (const QString &text : {QString("0 "), QString("1 "), QString("2 1"), QString("5 1111111111")}) {
            int id = g.getID();
            g.loadCurrentGraph(text);
            QVERIFY(g.getID() != id);
            id = g.getID();
            g.loadorv(text, false);
            QVERIFY(g.getID() != id);
            QCOMPARE(g.getBestID(), g.getID());
        }
        int id = g.getID();
        QVERIFY(g.loadg6("A_", false));
        QVERIFY(g.getID() != id);
    }

    void loadCurrentGraphKeepsBest()
    {
        Graph g("G", false);
        const QString best = g.graphData();
        g.loadCurrentGraph("3 111");
        QCOMPARE(g.graphData(), best);
        QCOMPARE(g.currentGraphData(), QString("3 111"));
    }

    void loadorvSignals()
    {
        Graph g("G", true);
        QSignalSpy inter(&g, &Graph::signal_interactive_graph_changed);
        QSignalSpy best(&g, &Graph::signal_best_graph_changed);
        g.getNode(0)->setSelected(true);
        g.loadorv("4 111111", true);
        QCOMPARE(inter.count(), 1);
        QCOMPARE(best.count(), 1);
        QVERIFY(!g.getNode(0)->isNodeSelected());
        const QPointF p = g.getNode(0)->pos();
        for (int i = 1; i < 4; ++i)
            QCOMPARE(g.getNode(i)->pos(), p);
        g.getNode(2)->setPosition(50, 60);
        g.loadorv("4 000000", false);
        QCOMPARE(inter.count(), 1);
        QCOMPARE(best.count(), 1);
        QCOMPARE(g.getNode(2)->pos(), QPointF(50, 60));
    }

    void graph6NamedGraphs_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("text");
        QTest::newRow("K2") << "A_" << "2 1";
        QTest::newRow("2K1") << "A?" << "2 0";
        QTest::newRow("K3") << "Bw" << "3 111";
        QTest::newRow("K4") << "C~" << "4 111111";
        QTest::newRow("K5") << "D~{" << "5 1111111111";
        QTest::newRow("trailing ignored") << "Bw\r" << "3 111";
    }
    void graph6NamedGraphs()
    {
        QFETCH(QString, line);
        QFETCH(QString, text);
        Graph g("G", false);
        QVERIFY(g.loadg6(line, false));
        QCOMPARE(g.currentGraphData(), text);
        QVERIFY(g.loadg6(line, true));
        QCOMPARE(g.currentGraphData(), text);
        QCOMPARE(g.getBestNbNodes(), g.getNbNodes());
    }

    void graph6Petersen()
    {
        Graph g("G", false);
        QVERIFY(g.loadg6("IheA@GUAo", false));
        QCOMPARE(g.getNbNodes(), 10);
        QCOMPARE(g.getNbEdges(), 15);
        for (int i = 0; i < 10; ++i) {
            int d = 0;
            for (int j = 0; j < 10; ++j)
                d += g.edge(i, j);
            QCOMPARE(d, 3);
        }
        // Girth 5: no triangle and no 4-cycle.
        for (int a = 0; a < 10; ++a)
            for (int b = 0; b < 10; ++b) {
                if (a == b)
                    continue;
                int common = 0;
                for (int c = 0; c < 10; ++c)
                    common += g.edge(a, c) && g.edge(b, c);
                QVERIFY(common <= (g.edge(a, b) ? 0 : 1));
            }
    }

    void graph6EncoderRoundTrip()
    {
        Graph g("G", false);
        Graph h("H", false);
        for (int n = 2; n <= 31; ++n)
            for (int rep = 0; rep < 3; ++rep) {
                g.randomGraph(n);
                const QString line = toGraph6(g);
                QVERIFY(h.loadg6(line, false));
                QVERIFY2(sameEdges(g, h), qPrintable(line));
                std::istringstream in(line.toStdString() + "\nnext");
                QVERIFY(h.loadg6(in));
                QVERIFY(sameEdges(g, h));
                std::string rest;
                std::getline(in, rest);
                QCOMPARE(QString::fromStdString(rest), QString("next"));
            }
    }

    void graph6RefusedLinesChangeNothing_data()
    {
        QTest::addColumn<QString>("line");
        QTest::newRow("empty") << "";
        QTest::newRow("0 vertices") << "?";
        QTest::newRow("1 vertex") << "@";
        QTest::newRow("32 vertices") << "_" + QString(83, '~');
        QTest::newRow("long form") << "~?@_";
        QTest::newRow("header") << ">>graph6<<";
        QTest::newRow("too short") << "D~";
        QTest::newRow("bad data character") << "D~ ";
        QTest::newRow("wide character") << QString(QChar(0x4E00)) + "~~~";
    }
    void graph6RefusedLinesChangeNothing()
    {
        QFETCH(QString, line);
        for (bool reset : {false, true}) {
            Graph g("G", false);
            g.loadCurrentGraph("5 1010101010");
            const int id = g.getID();
            const QString best = g.graphData();
            QVERIFY(!g.loadg6(line, reset));
            QCOMPARE(g.getNbNodes(), 5);
            QCOMPARE(g.currentGraphData(), QString("5 1010101010"));
            QCOMPARE(g.getID(), id);
            QCOMPARE(g.graphData(), best);
        }
    }
};

QTEST_MAIN(TestGraphText)
#include "tst_graphtext.moc"
