#include "graph/Graph.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <sstream>

// Reading a graph with reset into a graph that shows nothing: the same graph, best copy,
// identifier steps, vertex places and saved file as the vertex-by-vertex reset it replaces.
namespace {

struct State {
    int n = 0, bestN = 0, idSteps = 0, bestIdSteps = 0;
    QVector<Graph::Row> rows, bestRows;
    QByteArray file;
};

State stateOf(Graph &g, int id0, int bestId0, const QString &path)
{
    State s;
    Graph::Row rows[Graph::MaxNodes];
    s.n = g.snapshot(rows);
    s.rows = QVector<Graph::Row>(rows, rows + s.n);
    s.bestN = g.bestSnapshot(rows);
    s.bestRows = QVector<Graph::Row>(rows, rows + s.bestN);
    s.idSteps = g.getID() - id0;
    s.bestIdSteps = g.getBestID() - bestId0;
    if (g.save(path)) {
        QFile f(path);
        if (f.open(QIODevice::ReadOnly))
            s.file = f.readAll();
    }
    return s;
}

// The reset as it was done vertex by vertex, then the pairs read without reset.
void resetByHand(Graph &g, const QString &graphText, int count)
{
    g.clear();
    g.best_backup();
    while (g.getNbNodes() < count && g.addNode()) {
    }
    g.best_backup();
    g.loadCurrentGraph(graphText);
}

} // namespace

class TestGraphReading : public QObject
{
    Q_OBJECT

private slots:
    void resetMatchesVertexByVertex_data()
    {
        QTest::addColumn<QString>("reader");
        QTest::newRow("graph6 line") << "g6";
        QTest::newRow("graph6 stream") << "stream";
        QTest::newRow("graph text") << "text";
    }
    void resetMatchesVertexByVertex()
    {
        QFETCH(QString, reader);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        // Growing, shrinking and equal sizes, so vertices are added over earlier ones.
        const QStringList g6 = {"HCQf?W{", "DQw", "K?????????B~", "HCQf?W{", "A_", "HCQf?W{"};
        Graph fast("fast", false), slow("slow", false);
        for (const QString &line : g6) {
            Graph probe("probe", false);
            QVERIFY(probe.loadg6(line, true));
            const QString text = probe.currentGraphData();
            const int count = probe.getNbNodes();

            const int id0 = fast.getID(), bestId0 = fast.getBestID();
            if (reader == "g6") {
                QVERIFY(fast.loadg6(line, true));
            } else if (reader == "stream") {
                std::istringstream in(line.toStdString() + "\nrest");
                QVERIFY(fast.loadg6(in));
            } else {
                fast.loadorv(text, true);
            }
            const State got = stateOf(fast, id0, bestId0, dir.filePath("fast.gorv3"));

            const int sid0 = slow.getID(), sbestId0 = slow.getBestID();
            resetByHand(slow, text, count);
            if (reader == "text") {
                // loadorv's own ending, which the reset does not touch.
                slow.best_backup();
                slow.slot_unselect_all();
            }
            const State want = stateOf(slow, sid0, sbestId0, dir.filePath("slow.gorv3"));

            QCOMPARE(got.n, count);
            QCOMPARE(got.n, want.n);
            QCOMPARE(got.rows, want.rows);
            QCOMPARE(got.bestN, want.bestN);
            QCOMPARE(got.bestRows, want.bestRows);
            QCOMPARE(got.idSteps, want.idSteps);
            QCOMPARE(got.bestIdSteps, want.bestIdSteps);
            QVERIFY(!got.file.isEmpty());
            QCOMPARE(got.file, want.file);
        }
    }
};

QTEST_MAIN(TestGraphReading)
#include "tst_graphreading.moc"
