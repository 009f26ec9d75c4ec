#include "graph/Graph.h"
#include "graph/Node.h"

#include "ScriptedDialogs.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

using testfiles::readAll;
using testfiles::writeAll;

// Graph files, the autosave, the export and PDF output.
class TestGraphFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Node::initColors(); }

    void smallExampleBytes();
    void emptyGraphFiles();
    void triangleExport();
    void roundTripWithLatin1Names();
    void readingRules_data();
    void readingRules();
    void autosaveRestoresIdentifier();
    void autosavePathFollowsWorkingDirectory();
    void badFilesChangeNothing_data();
    void badFilesChangeNothing();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
    void printToFileWritesPdf();
    void slotsGoThroughDialogs();
    void cancelledDialogsDoNothing();
    void failedOpenAndSaveWarn();
};

void TestGraphFiles::smallExampleBytes()
{
    QTemporaryDir dir;
    Graph g("graph", true);
    g.loadorv("2 1", true);
    g.getNode(0)->setNodeName("A");
    g.getNode(1)->setNodeName("B");
    g.setPos(0, 12.5, 1234567, 0);
    g.setPos(1, 0.00001, -3, 0);
    const QString path = dir.filePath("two.gorv3");
    QVERIFY(g.save(path));
    QCOMPARE(readAll(path), QByteArray("2\nA\t12.5\t1.23457e+06\nB\t1e-05\t-3\n0\t1\t1\t0\t"));
}

void TestGraphFiles::emptyGraphFiles()
{
    QTemporaryDir dir;
    Graph g("graph", true);
    g.loadorv("0 ", true);
    QVERIFY(g.save(dir.filePath("e.gorv3")));
    QCOMPARE(readAll(dir.filePath("e.gorv3")), QByteArray("0\n"));
    QVERIFY(g.export_graph(dir.filePath("e.cg")));
    QCOMPARE(readAll(dir.filePath("e.cg")), QByteArray("0\n0\n"));
    g.setWD(dir.path());
    QVERIFY(g.autosave());
    QCOMPARE(readAll(dir.filePath(".orvgr")), "0\n" + QByteArray::number(g.getID()) + "\n");

    Graph h("graph", true);
    QVERIFY(h.open(dir.filePath("e.gorv3")));
    QCOMPARE(h.getNbNodes(), 0);
    QCOMPARE(h.graphData(), QString("0 "));
}

void TestGraphFiles::triangleExport()
{
    QTemporaryDir dir;
    Graph g("graph", true);
    g.loadorv("3 111", true);
    for (int i = 0; i < 3; ++i)
        g.setPos(i, i, 2 * i, 0);
    const QString path = dir.filePath("t.cg");
    QVERIFY(g.export_graph(path));
    const QByteArray expected = "3\n3\n"
                                "Node 1\t0\t0\nNode 2\t1\t2\nNode 3\t2\t4\n"
                                "Node 1\tNode 2\t1\t0\nNode 1\tNode 3\t1\t0\n"
                                "Node 2\tNode 1\t1\t0\nNode 2\tNode 3\t1\t0\n"
                                "Node 3\tNode 1\t1\t0\nNode 3\tNode 2\t1\t0\n";
    QCOMPARE(readAll(path), expected);
}

void TestGraphFiles::roundTripWithLatin1Names()
{
    QTemporaryDir dir;
    Graph g("graph", true);
    g.loadorv("4 101100", true);
    g.getNode(0)->setNodeName(QString::fromUtf8("Zoë"));
    g.getNode(1)->setNodeName(QString::fromUtf8("Straße"));
    g.getNode(2)->setNodeName(QString::fromUtf8("Ωmega"));
    g.setPos(0, 1.23456789, -9.87654321, 0);
    g.setPos(1, 100, 200, 0);
    g.setPos(2, -5, 5, 0);
    g.setPos(3, 0, 0, 0);
    const QString path = dir.filePath("round.gorv3");
    QVERIFY(g.save(path));

    Graph h("graph", true);
    h.slot_select_all();
    QSignalSpy best(&h, &Graph::signal_best_graph_changed);
    QSignalSpy console(&h, &Graph::signal_console);
    QVERIFY(h.open(path));
    QCOMPARE(best.count(), 1);
    QCOMPARE(console.count(), 1);
    QCOMPARE(console.at(0).at(0).toString(), QString("Graph:4"));
    QCOMPARE(console.at(0).at(3).value<QColor>(), QColor(Qt::gray));
    QCOMPARE(h.graphData(), g.graphData());
    QCOMPARE(h.currentGraphData(), h.graphData());
    QCOMPARE(h.getNode(0)->nodeName(), QString::fromUtf8("Zoë"));
    QCOMPARE(h.getNode(1)->nodeName(), QString::fromUtf8("Straße"));
    QCOMPARE(h.getNode(2)->nodeName(), QString("?mega"));
    QCOMPARE(h.getNode(0)->pos(), QPointF(1.23457, -9.87654));
    QCOMPARE(h.getNode(1)->pos(), QPointF(100, 200));
    for (int i = 0; i < 4; ++i)
        QVERIFY(!h.getNode(i)->isNodeSelected());
    QCOMPARE(h.getBestID(), h.getID());
}

void TestGraphFiles::readingRules_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("graph");
    QTest::newRow("upper triangle decides") << QByteArray("3\na\t0\t0\nb\t1\t1\nc\t2\t2\n0\t1\t0\t0\t0\t0\t1\t1\t0\t")
                                            << "3 100";
    QTest::newRow("2 is an edge, text is none") << QByteArray("3\na\t0\t0\nb\t1\t1\nc\t2\t2\n0\t2\tx\t0\t0\t0\t0\t0\t0\t")
                                                << "3 100";
    QTest::newRow("fourth field ignored") << QByteArray("2\na\t0\t0\textra\nb\t1\t1\n0\t1\t1\t0\t") << "2 1";
    static const char withNul[] = "2\na\t0\t0\nb\t1\t1\n0\t1\t1\t0\t\0garbage";
    QTest::newRow("bytes after NUL ignored") << QByteArray(withNul, sizeof(withNul) - 1) << "2 1";
}

void TestGraphFiles::readingRules()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, graph);
    QTemporaryDir dir;
    const QString path = dir.filePath("r.gorv3");
    writeAll(path, file);
    Graph g("graph", true);
    QVERIFY(g.open(path));
    QCOMPARE(g.graphData(), graph);
}

void TestGraphFiles::autosaveRestoresIdentifier()
{
    QTemporaryDir dir;
    Graph g("graph", true);
    g.loadorv("5 1011001110", true);
    g.setWD(dir.path());
    QVERIFY(g.autosave());
    const int stored = g.getID();

    Graph h("graph", true);
    h.setWD(dir.path());
    QSignalSpy console(&h, &Graph::signal_console);
    QVERIFY(h.autoload());
    QCOMPARE(console.count(), 0);
    QCOMPARE(h.graphData(), g.graphData());
    // Started from the stored value, then advanced once per vertex, once per pair and twice.
    QCOMPARE(h.getID(), stored + 5 + 10 + 2);
    QCOMPARE(h.getBestID(), h.getID());
}

void TestGraphFiles::autosavePathFollowsWorkingDirectory()
{
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    Graph g("graph", true);
    QCOMPARE(g.autosavePath(), QString(".orvgr"));
    QVERIFY(g.autosave());
    QVERIFY(QFile::exists(dir.filePath(".orvgr")));
    QDir::setCurrent(previous);
    g.setWD("/some/folder");
    QCOMPARE(g.autosavePath(), QString("/some/folder/.orvgr"));
}

void TestGraphFiles::badFilesChangeNothing_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("autosave");
    QTest::addColumn<int>("line"); // the line the reason names, from 1
    QTest::newRow("truncated vertex lines") << QByteArray("3\na\t0\t0\nb\t1\t1\n") << false << 4;
    QTest::newRow("missing matrix line") << QByteArray("2\na\t0\t0\nb\t1\t1") << false << 4;
    QTest::newRow("short matrix") << QByteArray("2\na\t0\t0\nb\t1\t1\n0\t1\t1\t") << false << 4;
    QTest::newRow("oversized 99") << QByteArray("99\na\t0\t0\nb\t1\t1\n0\t1\t1\t0\t") << false << 1;
    QTest::newRow("negative count") << QByteArray("-1\n\n") << false << 1;
    QTest::newRow("garbage") << QByteArray("\x89PNG\r\n\x1a\nnot a graph at all\n") << false << 1;
    QTest::newRow("empty file") << QByteArray() << false << 1;
    QTest::newRow("two-field vertex line") << QByteArray("2\na\t0\nb\t1\t1\n0\t1\t1\t0\t") << false << 2;
    QTest::newRow("non-numeric position") << QByteArray("2\na\tx\t0\nb\t1\t1\n0\t1\t1\t0\t") << false << 2;
    QTest::newRow("infinite position") << QByteArray("2\na\tinf\t0\nb\t1\t1\n0\t1\t1\t0\t") << false << 2;
    QTest::newRow("autosave without identifier") << QByteArray("2\na\t0\t0\nb\t1\t1\n0\t1\t1\t0\t") << true << 2;
    QTest::newRow("autosave truncated") << QByteArray("2\n17\na\t0\t0\n") << true << 4;
}

void TestGraphFiles::badFilesChangeNothing()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, autosave);
    QFETCH(int, line);
    QTemporaryDir dir;
    const QString path = autosave ? dir.filePath(".orvgr") : dir.filePath("bad.gorv3");
    writeAll(path, file);
    Graph g("graph", true);
    g.setWD(dir.path());
    g.loadorv("3 101", true);
    g.loadCurrentGraph("4 111111"); // the current graph differs from the best copy
    const int id = g.getID(), bestId = g.getBestID();
    const QString name0 = g.getNode(0)->nodeName();
    QSignalSpy best(&g, &Graph::signal_best_graph_changed);
    QSignalSpy console(&g, &Graph::signal_console);
    QString why;
    QVERIFY(autosave ? !g.autoload(&why) : !g.open(path, &why));
    // The reason names the line and what it should hold; the console says it with the file.
    QVERIFY2(why.startsWith(QString("line %1: expected ").arg(line)), qPrintable(why));
    QCOMPARE(console.count(), 1);
    QCOMPARE(console[0][0].toString(), "Refused graph file " + path + ": " + why);
    QCOMPARE(g.graphData(), QString("3 101"));
    QCOMPARE(g.currentGraphData(), QString("4 111111"));
    QCOMPARE(g.getID(), id);
    QCOMPARE(g.getBestID(), bestId);
    QCOMPARE(g.getNode(0)->nodeName(), name0);
    QCOMPARE(best.count(), 0);
}

void TestGraphFiles::failedWriteKeepsOldFile_data()
{
    QTest::addColumn<bool>("readOnlyFolder");
    QTest::newRow("read-only folder") << true;
    QTest::newRow("folder is a file") << false;
}

void TestGraphFiles::failedWriteKeepsOldFile()
{
    QFETCH(bool, readOnlyFolder);
    QTemporaryDir dir;
    QString target;
    QString keep;
    if (readOnlyFolder) {
        QVERIFY(QDir(dir.path()).mkdir("ro"));
        keep = target = dir.filePath("ro/g.gorv3");
        writeAll(target, "old");
        QFile::setPermissions(dir.filePath("ro"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        if (geteuid() == 0)
            QSKIP("permissions do not bind the super-user");
    } else {
        keep = dir.filePath("plain");
        writeAll(keep, "old");
        target = keep + "/g.gorv3";
    }
    Graph g("graph", true);
    g.setWD(QFileInfo(target).path());
    QSignalSpy console(&g, &Graph::signal_console);
    QVERIFY(!g.save(target));
    QVERIFY(!g.export_graph(target));
    QVERIFY(!g.autosave());
    QCOMPARE(readAll(keep), QByteArray("old"));
    QCOMPARE(console.count(), 3);
    QCOMPARE(console.at(0).at(3).value<QColor>(), QColor(Qt::red));
    QVERIFY(console.at(0).at(0).toString().contains(target));
    QFile::setPermissions(dir.filePath("ro"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void TestGraphFiles::printToFileWritesPdf()
{
    QTemporaryDir dir;
    Graph g("graph", true);
    g.resize(400, 300);
    const QString path = dir.filePath("g.pdf");
    QVERIFY(g.printToFile(path));
    QVERIFY(readAll(path).startsWith("%PDF"));
    QVERIFY(!g.printToFile(dir.filePath("missing/folder/g.pdf")));
}

void TestGraphFiles::slotsGoThroughDialogs()
{
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    Graph g("graph", true);
    g.setWD(dir.path());
    g.loadorv("3 110", true);
    dialogs.fileNames << dir.filePath("s.gorv3") << dir.filePath("s.cg") << dir.filePath("s.gorv3");
    g.slot_save();
    g.slot_export_graph();
    Graph h("graph", true);
    h.slot_open();
    QCOMPARE(h.graphData(), QString("3 110"));
    QVERIFY(QFile::exists(dir.filePath("s.cg")));
    QCOMPARE(dialogs.kinds(), (QStringList{"save", "save", "open"}));
    QCOMPARE(dialogs.calls[0].title, QString("Save graph as"));
    QCOMPARE(dialogs.calls[0].text, QString("*.gorv3"));
    QCOMPARE(dialogs.calls[0].dir, dir.path());
    QCOMPARE(dialogs.calls[1].title, QString("Export graph as"));
    QCOMPARE(dialogs.calls[1].text, QString("*.cg"));
    QCOMPARE(dialogs.calls[2].title, QString("Choose graph to load"));
    // slot_open shows the graph read.
    QVERIFY(h.getNode(2)->isVisible());
    QVERIFY(!h.getNode(3)->isVisible());

    dialogs.acceptPrint = true;
    dialogs.printFile = dir.filePath("p.pdf");
    g.slot_print();
    QVERIFY(readAll(dialogs.printFile).startsWith("%PDF"));
    dialogs.acceptPrint = false;
    dialogs.printFile = dir.filePath("q.pdf");
    g.slot_print();
    QVERIFY(!QFile::exists(dialogs.printFile));
}

void TestGraphFiles::cancelledDialogsDoNothing()
{
    ScriptedDialogs dialogs;
    Graph g("graph", true);
    const QString before = g.graphData();
    const int id = g.getID();
    QSignalSpy console(&g, &Graph::signal_console);
    g.slot_open();
    g.slot_save();
    g.slot_export_graph();
    QCOMPARE(dialogs.kinds(), (QStringList{"open", "save", "save"}));
    QCOMPARE(g.graphData(), before);
    QCOMPARE(g.getID(), id);
    QCOMPARE(console.count(), 0);
}

void TestGraphFiles::failedOpenAndSaveWarn()
{
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    Graph g("graph", true);
    const QString before = g.graphData();
    const QString bad = dir.filePath("notes.gorv3");
    writeAll(bad, "Notes on paths\n");
    dialogs.fileNames << dir.filePath("absent.gorv3") << dir.filePath("absent/x.gorv3") << dir.filePath("absent/x.cg")
                      << bad;
    QSignalSpy console(&g, &Graph::signal_console);
    g.slot_open();
    // A file that cannot be read is said on the console too, in red.
    QCOMPARE(console.size(), 1);
    QCOMPARE(console[0][0].toString(),
             "Cannot read graph file " + dir.filePath("absent.gorv3") + ": No such file or directory");
    QCOMPARE(console[0][3].value<QColor>(), QColor(Qt::red));
    g.slot_save();
    g.slot_export_graph();
    g.slot_open();
    // One box for each failure, which names the file and gives the system's reason, or the
    // line that is wrong.
    QCOMPARE(dialogs.kinds(), (QStringList{"open", "warning", "save", "warning", "save", "warning", "open", "warning"}));
    QCOMPARE(dialogs.calls[1].title, QString("Warning"));
    const QString missing = "\nNo such file or directory";
    QCOMPARE(dialogs.calls[1].text, "Failed to load graph.\n" + dir.filePath("absent.gorv3") + missing);
    QCOMPARE(dialogs.calls[3].text, "Failed to save graph.\n" + dir.filePath("absent/x.gorv3") + missing);
    QCOMPARE(dialogs.calls[5].text, "Failed to export graph.\n" + dir.filePath("absent/x.cg") + missing);
    QCOMPARE(dialogs.calls[7].text, "Failed to load graph.\n" + bad
                                        + "\nline 1: expected the vertex count, 0 to 32, found \"Notes on paths\"");
    QCOMPARE(g.graphData(), before);
}

QTEST_MAIN(TestGraphFiles)
#include "tst_graphfiles.moc"
