// Every save of the graph and the problem under a file size limit (a full disk, as a small
// write sees it), and every open of a file far larger than any of ours.
#include "ScriptedDialogs.h"
#include "TestFiles.h"
#include "calculus/BuildCalculus.h"
#include "calculus/Calculus.h"
#include "graph/Graph.h"
#include "graph/Node.h"
#include "problem/Problem.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {
using testfiles::FileSizeLimit;
using testfiles::readAll;
using testfiles::writeAll;

// A red console line that names the file.
bool reported(const QSignalSpy &console, const QString &path)
{
    for (const QList<QVariant> &call : console)
        if (call[0].toString().contains(path) && call[3].value<QColor>() == QColor(Qt::red))
            return true;
    return false;
}

enum Save { GraphFile, GraphExport, GraphAutosave, ProblemFile, ProblemAutosave };
enum Open { GraphOpen, GraphAutoload, ProblemOpen, ProblemAutoload };

// A graph and a board whose every file text is far longer than 64 bytes.
struct Setup
{
    // A refused file opens a box; here it is answered.
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    Graph graph{"graph", true};
    Problem problem{&graph, "problem", false};
    Setup()
    {
        graph.loadorv("10 " + QString(45, '1'), true);
        graph.setWD(dir.path());
        problem.setWD(dir.path());
        problem.slot_set_title(QString(300, 'x'));
    }
};
} // namespace

Q_DECLARE_METATYPE(Save)
Q_DECLARE_METATYPE(Open)

class TestFileLimits : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Node::initColors(); }

    void savesOnAFullDisk_data()
    {
        QTest::addColumn<Save>("save");
        QTest::newRow("graph file") << GraphFile;
        QTest::newRow("graph export") << GraphExport;
        QTest::newRow("graph autosave") << GraphAutosave;
        QTest::newRow("problem file") << ProblemFile;
        QTest::newRow("problem autosave") << ProblemAutosave;
    }
    void savesOnAFullDisk()
    {
        QFETCH(Save, save);
        Setup s;
        const bool ofGraph = save == GraphFile || save == GraphExport || save == GraphAutosave;
        QString path = s.dir.filePath(save == GraphExport ? "g.cg" : save == GraphFile ? "g.gorv3" : "p.orv3");
        if (save == GraphAutosave)
            path = s.graph.autosavePath();
        if (save == ProblemAutosave)
            path = s.problem.autosavePath();
        writeAll(path, "old contents");
        QSignalSpy graphConsole(&s.graph, &Graph::signal_console);
        QSignalSpy problemConsole(&s.problem, &Problem::signal_console);

        bool result = false;
        {
            FileSizeLimit limit(64);
            switch (save) {
            case GraphFile: result = s.graph.save(path); break;
            case GraphExport: result = s.graph.export_graph(path); break;
            case GraphAutosave: result = s.graph.autosave(); break;
            case ProblemFile: result = s.problem.save(path); break;
            case ProblemAutosave: s.problem.autosave(); break;
            }
        }

        QVERIFY(!result);
        QCOMPARE(readAll(path), QByteArray("old contents"));
        QVERIFY(reported(ofGraph ? graphConsole : problemConsole, path));
        QCOMPARE(QDir(s.dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);

        // Without the limit the same save goes through.
        switch (save) {
        case GraphFile: QVERIFY(s.graph.save(path)); break;
        case GraphExport: QVERIFY(s.graph.export_graph(path)); break;
        case GraphAutosave: QVERIFY(s.graph.autosave()); break;
        case ProblemFile: QVERIFY(s.problem.save(path)); break;
        case ProblemAutosave: s.problem.autosave(); break;
        }
        QVERIFY(readAll(path).size() > 64);
    }

    void oversizedFilesRefused_data()
    {
        QTest::addColumn<Open>("open");
        QTest::newRow("graph file") << GraphOpen;
        QTest::newRow("graph autosave") << GraphAutoload;
        QTest::newRow("problem file") << ProblemOpen;
        QTest::newRow("problem autosave") << ProblemAutoload;
    }
    void oversizedFilesRefused()
    {
        QFETCH(Open, open);
        Setup s;
        s.graph.best_backup();
        const QString graphBefore = s.graph.graphData();
        const QString problemBefore = s.problem.saveString();
        QString path = s.dir.filePath(open == GraphOpen ? "big.gorv3" : "big.orv3");
        if (open == GraphAutoload)
            path = s.graph.autosavePath();
        if (open == ProblemAutoload)
            path = s.problem.autosavePath();
        {
            // 64 MiB, sparse: a valid start, then more than any graph or board needs.
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(open == GraphOpen || open == GraphAutoload ? "2\n" : "DESC\tbig\t");
            QVERIFY(f.resize(qint64(64) * 1024 * 1024));
        }
        QSignalSpy graphConsole(&s.graph, &Graph::signal_console);
        QSignalSpy problemConsole(&s.problem, &Problem::signal_console);
        bool result = true;
        switch (open) {
        case GraphOpen: result = s.graph.open(path); break;
        case GraphAutoload: result = s.graph.autoload(); break;
        case ProblemOpen: result = s.problem.open(path); break;
        case ProblemAutoload: result = s.problem.autoload(); break;
        }
        QVERIFY(!result);
        const bool ofGraph = open == GraphOpen || open == GraphAutoload;
        QVERIFY(reported(ofGraph ? graphConsole : problemConsole, path));
        const QSignalSpy &console = ofGraph ? graphConsole : problemConsole;
        QVERIFY(console.last()[0].toString().endsWith("the file is larger than 16 MiB"));
        QCOMPARE(s.graph.graphData(), graphBefore);
        QCOMPARE(s.problem.saveString(), problemBefore);
    }
};

QTEST_MAIN(TestFileLimits)
#include "tst_filelimits.moc"
