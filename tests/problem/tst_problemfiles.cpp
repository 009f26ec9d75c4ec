#include "ScriptedDialogs.h"
#include "TestFiles.h"
#include "ErrCapture.h"
#include "calculus/BuildCalculus.h"
#include "calculus/Calculus.h"
#include "calculus/invConstant.h"
#include "graph/Graph.h"
#include "problem/Problem.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {
using testfiles::readAll;
using testfiles::writeAll;

// A board with one constant, an objective on it and a title.
void fill(Problem &p, const QString &title)
{
    BuildCalculus f;
    Calculus *c = f.makeConstant(p.isDisplayed());
    static_cast<invConstant *>(c)->loadData(2, 1, {3, 4});
    p.addOperatorItem(c);
    Calculus *z = f.makeCalculus("MAXIMIZE", p.isDisplayed());
    p.addZItem(z);
    p.link1(c, z);
    p.slot_set_title(title);
}

QStringList consoleTexts(const QSignalSpy &spy)
{
    QStringList texts;
    for (const QList<QVariant> &call : spy)
        texts << call.at(0).toString();
    return texts;
}

} // namespace

class TestProblemFiles : public QObject
{
    Q_OBJECT

private slots:
    void saveCommandSetsNames();
    void saveCommandFailure();
    void cancelledDialogsDoNothing();
    void dialogStartFolders();
    void openCommand();
    void openMissingFile();
    void malformedFileLeavesBoard_data();
    void malformedFileLeavesBoard();
    void pipeRefusedUnopened();
    void readsUpToNul();
    void latin1Texts();
    void failedWriteKeepsOldFile();
    void autosavePath_data();
    void autosavePath();
    void autosaveFailureReportedOnce();
    void autoload();
};

void TestProblemFiles::saveCommandSetsNames()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath("a"));
    const QString path = dir.filePath("a/prob.old.orv3");
    Graph g("graph", true);
    Problem p(&g, "problem", true);
    fill(p, "T");
    ScriptedDialogs dialogs;
    dialogs.fileNames << path << path;
    QSignalSpy console(&p, &Problem::signal_console);
    p.slot_save();
    QCOMPARE(p.getFileName(), path);
    QCOMPARE(p.getName(), QString("prob.old"));
    QCOMPARE(p.getBaseName(), dir.filePath("a/prob.old"));
    QCOMPARE(readAll(path), p.saveString().toLatin1());
    // Saving again replaces the file; each save says so.
    p.slot_set_title("T2");
    p.slot_save();
    QVERIFY(readAll(path).endsWith("DESC\tT2\t"));
    QCOMPARE(consoleTexts(console), (QStringList{"Problem saved", "Problem saved"}));
    QCOMPARE(console.at(0).at(3).value<QColor>(), QColor(Qt::black));
    QCOMPARE(dialogs.kinds(), (QStringList{"save", "save"}));
    QCOMPARE(dialogs.calls[0].title, QString("Save results as"));
    QCOMPARE(dialogs.calls[0].text, QString("*.orv3"));
}

void TestProblemFiles::saveCommandFailure()
{
    QTemporaryDir dir;
    Graph g("graph", true);
    Problem p(&g, "problem", true);
    fill(p, "T");
    ScriptedDialogs dialogs;
    dialogs.fileNames << dir.filePath("missing/folder/p.orv3");
    p.slot_save();
    QCOMPARE(dialogs.kinds(), (QStringList{"save", "warning"}));
    QCOMPARE(dialogs.calls[1].title, QString("Warning"));
    QCOMPARE(dialogs.calls[1].text,
             "Failed to save data.\n" + dir.filePath("missing/folder/p.orv3") + "\nNo such file or directory");
    QCOMPARE(p.getFileName(), QString());
    QCOMPARE(p.getName(), QString("problem"));
    QCOMPARE(p.getBaseName(), QString());
    QVERIFY(!p.save(dir.filePath("missing/p.orv3")));
}

void TestProblemFiles::cancelledDialogsDoNothing()
{
    Graph g("graph", true);
    Problem p(&g, "problem", true);
    fill(p, "T");
    const QString before = p.saveString();
    ScriptedDialogs dialogs; // every file dialog is cancelled
    QSignalSpy console(&p, &Problem::signal_console);
    ErrCapture err;
    p.slot_save();
    p.slot_open();
    QCOMPARE(dialogs.kinds(), (QStringList{"save", "open"}));
    QCOMPARE(console.count(), 0);
    QVERIFY(err.text().isEmpty());
    QCOMPARE(p.saveString(), before);
}

void TestProblemFiles::dialogStartFolders()
{
    QTemporaryDir dir;
    Graph g("graph", true);
    Problem p(&g, "problem", true);
    ScriptedDialogs dialogs;
    const QString path = dir.filePath("x.orv3");
    dialogs.fileNames << path;
    p.slot_save();
    p.slot_save();
    p.slot_open();
    p.setWD("/data");
    p.slot_save();
    p.slot_open();
    QCOMPARE(dialogs.calls[0].dir, QString());
    QCOMPARE(dialogs.calls[1].dir, path);
    QCOMPARE(dialogs.calls[2].dir, QString());
    QCOMPARE(dialogs.calls[2].title, QString("Choose problem to load"));
    QCOMPARE(dialogs.calls[2].text, QString("*.orv3"));
    QCOMPARE(dialogs.calls[3].dir, QString("/data"));
    QCOMPARE(dialogs.calls[4].dir, QString("/data"));
}

void TestProblemFiles::openCommand()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("q.orv3");
    Graph g("graph", true);
    Problem source(&g, "problem", false);
    fill(source, "Saved");
    QVERIFY(source.save(path));

    Problem p(&g, "problem", true);
    ScriptedDialogs dialogs;
    dialogs.fileNames << path;
    QSignalSpy title(&p, &Problem::signal_problem_title);
    ErrCapture err;
    p.slot_open();
    QCOMPARE(err.text(), "Opening " + path + "\n");
    QCOMPARE(p.userTitle(), QString("Saved"));
    QCOMPARE(title.count(), 1);
    QCOMPARE(p.getFileName(), path);
    QCOMPARE(p.getName(), QString("q"));
    QCOMPARE(p.saveString(), source.saveString());
}

void TestProblemFiles::openMissingFile()
{
    QTemporaryDir dir;
    Graph g("graph", true);
    Problem p(&g, "problem", true);
    fill(p, "T");
    const QString before = p.saveString();
    ScriptedDialogs dialogs;
    const QString path = dir.filePath("none.orv3");
    dialogs.fileNames << path;
    QSignalSpy console(&p, &Problem::signal_console);
    ErrCapture err;
    p.slot_open();
    // A file that cannot be read is said on the console too, in red.
    const QString failure = "Cannot read problem file " + path + ": No such file or directory";
    QCOMPARE(err.text(), "Opening " + path + "\n" + failure + "\n");
    QCOMPARE(console.size(), 1);
    QCOMPARE(console[0][0].toString(), failure);
    QCOMPARE(console[0][3].value<QColor>(), QColor(Qt::red));
    QCOMPARE(dialogs.kinds(), (QStringList{"open", "warning"}));
    QCOMPARE(dialogs.calls[1].title, QString("Opening"));
    QCOMPARE(dialogs.calls[1].text, "Cannot open file\n" + path + "\nNo such file or directory");
    QCOMPARE(p.saveString(), before);
    QCOMPARE(p.getFileName(), QString());
}

void TestProblemFiles::malformedFileLeavesBoard_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    QTest::newRow("cut inside a record")
        << QByteArray("CONSTANT\t\t0\t0\t0\t0\t0\t0\tNULL\tNULL\tNULL\tNULL\t1\t1\t5<NEW>Z\t\t0\t0\t0")
        << "record 2 (line 1): expected an item record (key, given name, four flags, x, y, four arguments, "
           "TAB-separated) or the DESC record, found 5 field(s), beginning \"Z  0 0 0\"";
    QTest::newRow("cut before the DESC record")
        << QByteArray("CONSTANT\t\t0\t0\t0\t0\t0\t0\tNULL\tNULL\tNULL\tNULL\t1\t1\t5<NEW>Z\t\t0\t0\t0\t0\t0\t0"
                      "\t0\tNULL\tNULL\tNULL\tmin")
        << "record 3 (line 1): expected the DESC record (title and description) that ends every problem file, "
           "found the end of the file";
    QTest::newRow("cut inside the DESC record")
        << QByteArray("CONSTANT\t\t0\t0\t0\t0\t0\t0\tNULL\tNULL\tNULL\tNULL\t1\t1\t5<NEW>DESC\tA ti")
        << "record 2 (line 1): expected the DESC record (title and description) that ends every problem file, "
           "found 2 of its 3 fields: the file was cut short";
    QTest::newRow("a graph file") << QByteArray("2\na\t0\t0\nb\t1\t1\n0\t1\t1\t0\t")
                                  << "record 1 (line 1): \"2 a\" is not the key of an item";
}

void TestProblemFiles::malformedFileLeavesBoard()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString path = dir.filePath("bad.orv3");
    writeAll(path, bytes);
    Graph g("graph", true);
    Problem p(&g, "problem", true);
    fill(p, "T");
    const QString before = p.saveString();
    ScriptedDialogs dialogs;
    dialogs.fileNames << path;
    QSignalSpy console(&p, &Problem::signal_console);
    ErrCapture err;
    p.slot_open();
    // The console, the standard error stream and a box name the file and say where it went
    // wrong; the reader's own shorter line is not said besides.
    const QString refusal = "Refused problem file " + path + ": " + reason;
    QCOMPARE(consoleTexts(console), QStringList{refusal});
    QCOMPARE(err.text(), "Opening " + path + "\n" + refusal + "\n");
    QCOMPARE(dialogs.kinds(), (QStringList{"open", "warning"}));
    QCOMPARE(dialogs.calls[1].title, QString("Opening"));
    QCOMPARE(dialogs.calls[1].text, "Refused problem file\n" + path + "\n" + reason);
    QCOMPARE(p.saveString(), before);
    QCOMPARE(p.getFileName(), QString());
    QCOMPARE(p.getName(), QString("problem"));
}

// A pipe chosen as a problem or a graph file is refused without being opened: opening it would
// wait for a writer. Should a reader wait all the same, a writer here lets it go and says so.
void TestProblemFiles::pipeRefusedUnopened()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("p.orv3");
    const QByteArray name = QFile::encodeName(path);
    QCOMPARE(::mkfifo(name.constData(), 0600), 0);
    std::atomic<bool> done{false}, waited{false};
    std::thread writer([&] {
        while (!done) {
            const int fd = ::open(name.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                waited = true;
                ::close(fd);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    });
    Graph g("graph", true);
    g.loadorv("3 101", true);
    Problem p(&g, "problem", true);
    fill(p, "T");
    const QString before = p.saveString();
    ScriptedDialogs dialogs;
    dialogs.fileNames << path;
    QSignalSpy console(&p, &Problem::signal_console);
    p.slot_open();
    QString why;
    const bool graphRead = g.open(path, &why);
    done = true;
    writer.join();

    QVERIFY(!waited);
    const QString reason = "it is a pipe, not a regular file: nothing was read from it.";
    QCOMPARE(dialogs.kinds(), (QStringList{"open", "warning"}));
    QCOMPARE(dialogs.calls[1].text, "Refused problem file\n" + path + "\n" + reason);
    QCOMPARE(consoleTexts(console), QStringList{"Refused problem file " + path + ": " + reason});
    QCOMPARE(p.saveString(), before);
    QVERIFY(!graphRead);
    QCOMPARE(why, reason);
    QCOMPARE(g.graphData(), QString("3 101"));
}

void TestProblemFiles::readsUpToNul()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("nul.orv3");
    writeAll(path, QByteArray("DESC\tbefore\tdesc") + '\0' + QByteArray("after"));
    Graph g("graph", false);
    Problem p(&g, "problem", false);
    ErrCapture err;
    QVERIFY(p.open(path));
    QCOMPARE(p.userTitle(), QString("before"));
    QCOMPARE(p.userDescription(), QString("desc"));
}

void TestProblemFiles::latin1Texts()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("l.orv3");
    Graph g("graph", false);
    Problem p(&g, "problem", false);
    fill(p, QString::fromUtf8("Größe ∑"));
    p.calculationList()[0]->setGivenName(QString::fromUtf8("é€"));
    QVERIFY(p.save(path));
    QVERIFY(readAll(path).contains("Gr\xf6\xdf" "e ?"));
    Problem q(&g, "problem", false);
    ErrCapture err;
    QVERIFY(q.open(path));
    QCOMPARE(q.userTitle(), QString::fromUtf8("Größe ?"));
    QCOMPARE(q.calculationList()[0]->getGivenName(), QString::fromUtf8("é?"));
}

void TestProblemFiles::failedWriteKeepsOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("keep.orv3");
    writeAll(path, "old contents");
    Graph g("graph", false);
    Problem p(&g, "problem", false);
    fill(p, QString(200000, QLatin1Char('x')));
    // A file size limit makes the write itself fail, for every user.
    bool saved = true;
    {
        testfiles::FileSizeLimit limit(4096);
        saved = p.save(path);
    }
    QVERIFY(!saved);
    QCOMPARE(readAll(path), QByteArray("old contents"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.orv3"});
}

void TestProblemFiles::autosavePath_data()
{
    QTest::addColumn<bool>("withWd");
    QTest::newRow("working directory") << true;
    QTest::newRow("no working directory") << false;
}

void TestProblemFiles::autosavePath()
{
    QFETCH(bool, withWd);
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QTemporaryDir cwd;
    QDir::setCurrent(cwd.path());
    Graph g("graph", false);
    Problem p(&g, "problem", false);
    fill(p, "auto");
    if (withWd)
        p.setWD(dir.path());
    QCOMPARE(p.autosavePath(), withWd ? dir.path() + "/.orvpb" : QString(".orvpb"));
    p.autosave();
    const QString file = withWd ? dir.filePath(".orvpb") : cwd.filePath(".orvpb");
    QCOMPARE(readAll(file), p.saveString().toLatin1());
    Problem q(&g, "problem", false);
    if (withWd)
        q.setWD(dir.path());
    QVERIFY(q.autoload());
    QCOMPARE(q.saveString(), p.saveString());
    QDir::setCurrent(previous);
}

void TestProblemFiles::autosaveFailureReportedOnce()
{
    QTemporaryDir dir;
    writeAll(dir.filePath("plain"), "x");
    Graph g("graph", false);
    Problem p(&g, "problem", false);
    const QString wd = dir.filePath("plain");
    p.setWD(wd);
    QSignalSpy console(&p, &Problem::signal_console);
    p.autosave();
    p.autosave();
    QCOMPARE(console.count(), 1);
    QCOMPARE(console.at(0).at(3).value<QColor>(), QColor(Qt::red));
    QVERIFY(console.at(0).at(0).toString().contains(wd + "/.orvpb"));
    QCOMPARE(p.getWD(), wd);
    // A success ends the failure; the next failure is reported again.
    p.setWD(dir.path());
    p.autosave();
    p.setWD(wd);
    p.autosave();
    QCOMPARE(console.count(), 2);
}

void TestProblemFiles::autoload()
{
    QTemporaryDir dir;
    Graph g("graph", false);
    Problem p(&g, "problem", false);
    fill(p, "T");
    const QString before = p.saveString();
    p.setWD(dir.path());
    ErrCapture err;
    QVERIFY(!p.autoload());
    QCOMPARE(err.text(), QString("Cannot open file (autoload)\n"));
    QCOMPARE(p.saveString(), before);
}

QTEST_MAIN(TestProblemFiles)
#include "tst_problemfiles.moc"
