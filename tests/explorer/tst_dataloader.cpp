#include "ErrCapture.h"
#include "ExplorerBoard.h"
#include "LabelledGraphs.h"
#include "ReadFailure.h"
#include "app/ProgressBar.h"
#include "explorer/DataLoader.h"

#include <QFile>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {
using Board = ExplorerBoard;

// Counts the loader thread's completions in this thread, through a queued connection (a
// signal spy would record them in the loader thread).
struct Completions : QObject {
    int count = 0;
    explicit Completions(DataLoader *loader)
    {
        connect(loader, &DataLoader::signal_load_complete, this, [this] { ++count; });
    }
};

QByteArray repeated(const QByteArray &line, int count)
{
    QByteArray file;
    for (int i = 0; i < count; ++i)
        file += line;
    return file;
}

// Loads in the calling thread, so every signal arrives in order and at once.
DataLoader::Loaded loadHere(DataLoader &loader, const QString &path, const QString &type)
{
    loader.setDataType(type);
    if (!loader.setFilename(path) || !loader.prepareLoad())
        return {};
    loader.run();
    return loader.getLoaded();
}

// A pipe that takes the name of a list right after the next stat() of that name: what the
// check before an open then sees is not what the open finds.
char swapName[4096], swapPipe[4096];
std::atomic<bool> swapArmed{false};
} // namespace

extern "C" int __real_stat(const char *path, struct stat *info);

// The linker's stand-in for stat() in this program's own code and the application's.
extern "C" int __wrap_stat(const char *path, struct stat *info)
{
    const int result = __real_stat(path, info);
    if (swapArmed.load() && std::strcmp(path, swapName) == 0 && swapArmed.exchange(false))
        std::rename(swapPipe, swapName);
    return result;
}

class TestDataLoader : public QObject
{
    Q_OBJECT

private slots:
    void lines_data();
    void lines();
    void allLabelledGraphsOnFour();
    void progressOf112Graphs();
    void cancelDuringFirstLine();
    void consoleEveryTenThousand();
    void unreadableFile();
    void readFailsPartWay();
    void pipeLeftUnread();
    void pipeSwappedInAfterCheck();
    void threadedLoadKeepsInboxAndBoard();
    void cancelRightAfterStart();
};

// The rules a line of a list is read by, one row each: the line ends, graph texts with too few or
// too many pair characters (read in canonical form), graph6 with nauty's header, blanks and tabs
// closing a line, truncated and over-long graph6 lines (refused and counted), a NUL byte.
void TestDataLoader::lines_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<qint64>("lines");
    QTest::addColumn<QStringList>("accepted");
    QTest::addColumn<qint64>("skipped");
    QTest::addColumn<QString>("cut");
    const QStringList three{"2 1", "3 101", "4 111000"};
    auto row = [](const char *name, const char *type, const QByteArray &file, qint64 lines,
                  const QStringList &accepted, qint64 skipped, const QString &cut = QString()) {
        QTest::newRow(name) << QString(type) << file << lines << accepted << skipped << cut;
    };
    row("three texts", "orv", "2 1\n3 101\n4 111000\n", 4, three, 0);
    row("empty file", "orv", "", 1, {}, 0);
    row("crlf", "orv", "2 1\r\n3 101\r\n4 111000", 3, three, 0);
    row("lfcr", "orv", "2 1\n\r3 101\n\r4 111000", 3, three, 0);
    row("cr", "orv", "2 1\r3 101\r4 111000", 3, three, 0);
    row("cr lf cr is one end", "orv", "2 1\r\n\r3 101", 2, {"2 1", "3 101"}, 0);
    row("cr cr lf is two", "orv", "2 1\r\r\n3 101", 3, {"2 1", "3 101"}, 0);
    // The one line end that straddles the first two pieces the file is read in.
    row("crlf across pieces", "g6", "\n" + repeated("\r\n", 524287) + "\r\nA_", 524290, {"2 1"}, 0);
    row("blank line", "orv", "2 1\n\n3 101", 3, {"2 1", "3 101"}, 0);
    row("no pairs", "orv", "0 \n1 ", 2, {"0 ", "1 "}, 0);
    row("32 vertices", "orv", "32 " + QByteArray(496, '1'), 1, {"32 " + QString(496, '1')}, 0);
    row("too few pairs", "orv", "4 11\n2 1\n3 ", 3, {"4 110000", "2 1", "3 000"}, 0);
    row("text after pairs", "orv", "3 111 extra\n3 111x\n3 1 1", 3, {"3 111", "3 111", "3 100"}, 0);
    row("blanks and tabs closing", "orv", "2 1 \t\n3 101\t\n1 \n4 11\t\t", 4, {"2 1", "3 101", "1 ", "4 110000"}, 0);
    row("blanks only", "orv", " \t\n2 1", 2, {"2 1"}, 0);
    row("not a count", "orv", "x 1\n 1\n3111\n-2 1\n33 1\n3\t111\n4294967299 111\n3000000000 1", 8, {}, 8);
    row("pair not 0 or 1", "orv", "3 121\n3 1\t1", 2, {}, 2);
    row("up to the NUL", "orv", QByteArray("2 1\n3 101\0" "4 111111", 18), 2, {"2 1", "3 101"}, 0,
        "The list ends at a NUL byte (byte 9): 9 bytes left unread.");
    row("A_ and C~", "g6", "A_\nC~\n", 3, {"2 1", "4 111111"}, 0);
    row("nauty's header", "g6", ">>graph6<<A_\nC~", 2, {"2 1", "4 111111"}, 0);
    row("header on its own line", "g6", ">>graph6<<\nA_", 2, {"2 1"}, 0);
    row("header elsewhere", "g6", "A_\n>>graph6<<C~", 2, {"2 1"}, 1);
    row("g6 blanks and tabs closing", "g6", "A_ \nC~\t \n", 3, {"2 1", "4 111111"}, 0);
    row("g6 counts out of range", "g6", "@\n_" + QByteArray(83, '?') + "\n~?@~", 3, {}, 3);
    row("g6 truncated or over-long", "g6", "C~~\nC\nD?\nA_\nA_ _", 5, {"2 1"}, 4);
    row("g6 over-long past what is kept", "g6", "A_" + QByteArray(2000, ' ') + "x", 1, {}, 1);
    row("leading blanks, few or past what is kept", "g6", " A_\n" + QByteArray(2000, ' ') + "A_\nA_", 3, {"2 1"}, 2);
    row("g6 character", "g6", "C \nC\x7f", 2, {}, 2);
    row("g6 read as text", "orv", "A_\nC~", 2, {}, 2);
}

void TestDataLoader::lines()
{
    QFETCH(QString, type);
    QFETCH(QByteArray, file);
    QFETCH(qint64, lines);
    QFETCH(QStringList, accepted);
    QFETCH(qint64, skipped);
    QFETCH(QString, cut);
    QTemporaryDir dir;
    Board board;
    DataLoader loader(&board.problem, &board.graph, nullptr);
    QSignalSpy console(&loader, &DataLoader::signal_console);
    QSignalSpy complete(&loader, &DataLoader::signal_load_complete);
    ErrCapture err;
    const DataLoader::Loaded loaded = loadHere(loader, writeTempFile(dir, "list", file), type);
    QVERIFY(err.text().startsWith(QString::number(accepted.size()) + " graphs to read\n"));
    QCOMPARE(loaded.lines, lines);
    QCOMPARE(QStringList(loaded.texts.toList()), accepted);
    QCOMPARE(loaded.skipped, skipped);
    QCOMPARE(complete.size(), 1);
    QStringList after;
    for (int k = 1; k < console.size(); ++k)
        if (!console.at(k).at(0).toString().contains("/"))
            after << console.at(k).at(0).toString();
    QStringList expected{QString::number(accepted.size()) + " graphs loaded."};
    if (skipped > 0)
        expected << QString::number(skipped) + (skipped == 1 ? " line" : " lines") + " skipped: not a graph.";
    if (!cut.isEmpty())
        expected << cut;
    QCOMPARE(after, expected);
    // Report values come with each accepted graph: here its edge count.
    for (int k = 0; k < accepted.size(); ++k)
        QCOMPARE(loaded.values[k], QVector<double>{double(accepted[k].section(' ', 1).count('1'))});
}

void TestDataLoader::allLabelledGraphsOnFour()
{
    QTemporaryDir dir;
    QByteArray file;
    QStringList expected;
    for (quint64 m = 0; m < 64; ++m) {
        file += LabelledGraphs::graph6(4, m) + '\n';
        expected << LabelledGraphs::graphText(4, m);
    }
    Board board;
    DataLoader loader(&board.problem, &board.graph, nullptr);
    ErrCapture err;
    const DataLoader::Loaded loaded = loadHere(loader, writeTempFile(dir, "four.g6", file), "g6");
    QCOMPARE(QStringList(loaded.texts.toList()), expected);
    for (int m = 0; m < 64; ++m)
        QCOMPARE(loaded.values[m].value(0), double(LabelledGraphs::edgeCount(4, quint64(m))));
}

// Progress counts graphs: the empty piece after the list's last line end is none.
void TestDataLoader::progressOf112Graphs()
{
    QTemporaryDir dir;
    const QByteArray file = repeated("A_\n", 111) + "A?\n";
    Board board;
    ProgressBar window;
    DataLoader loader(&board.problem, &board.graph, &window);
    QCOMPARE(window.nbBars(), 1);
    QSignalSpy progress(&loader, &DataLoader::signal_progress);
    QSignalSpy console(&loader, &DataLoader::signal_console);
    ErrCapture err;
    loadHere(loader, writeTempFile(dir, "list.g6", file), "g6");
    QList<QList<qint64>> seen;
    for (const QList<QVariant> &args : progress)
        seen.append({args.at(0).toLongLong(), args.at(1).toLongLong(), args.at(2).toLongLong()});
    const QList<QList<qint64>> expected{{0, 0, 100}, {0, 0, 112}, {0, 100, 112}, {0, 0, 100}};
    QCOMPARE(seen, expected);
    QCOMPARE(console.size(), 2);
    QCOMPARE(console.at(0).at(0).toString(), QString("0/112 graphs loaded."));
    QCOMPARE(console.at(1).at(0).toString(), QString("112 graphs loaded."));
    QCOMPARE(err.text(), QString("112 graphs to read\n0\n"));
    // In the same thread the window takes the reports at once: the last one is (0, 100).
    QCOMPARE(window.bar(0)->maximum(), 100);
    QCOMPARE(window.bar(0)->value(), 0);
}

void TestDataLoader::cancelDuringFirstLine()
{
    for (const bool accepted : {true, false}) {
        QTemporaryDir dir;
        Board board;
        DataLoader loader(&board.problem, &board.graph, nullptr);
        QSignalSpy console(&loader, &DataLoader::signal_console);
        QSignalSpy complete(&loader, &DataLoader::signal_load_complete);
        // The report before line 0 is the first one with the graph count as its maximum.
        const qint64 graphs = accepted ? 3 : 2;
        connect(&loader, &DataLoader::signal_progress, &loader, [&loader, graphs](int, qint64 value, qint64 max) {
            if (value == 0 && max == graphs)
                loader.slot_cancel();
        });
        ErrCapture err;
        const DataLoader::Loaded loaded =
            loadHere(loader, writeTempFile(dir, "l.dorv3", accepted ? "2 1\n3 111\n4 000000" : "\n3 111\n4 000000"), "orv");
        QVERIFY(loaded.cancelled);
        QCOMPARE(loaded.texts.size(), accepted ? 1 : 0);
        QVERIFY(err.text().contains("\nCancelled\n"));
        QCOMPARE(console.last().at(0).toString(), QString(accepted ? "1 graphs loaded." : "0 graphs loaded."));
        QCOMPARE(complete.size(), 1);
    }
}

void TestDataLoader::consoleEveryTenThousand()
{
    QTemporaryDir dir;
    const QByteArray file = repeated("A_\n", 25000);
    Board board;
    DataLoader loader(&board.problem, &board.graph, nullptr);
    QSignalSpy console(&loader, &DataLoader::signal_console);
    ErrCapture err;
    loadHere(loader, writeTempFile(dir, "many.g6", file), "g6");
    QStringList lines;
    for (const QList<QVariant> &args : console)
        lines << args.at(0).toString();
    QCOMPARE(lines, QStringList({"0/25000 graphs loaded.", "10000/25000 graphs loaded.",
                                 "20000/25000 graphs loaded.", "25000 graphs loaded."}));
}

void TestDataLoader::unreadableFile()
{
    Board board;
    DataLoader loader(&board.problem, &board.graph, nullptr);
    QSignalSpy complete(&loader, &DataLoader::signal_load_complete);
    QSignalSpy progress(&loader, &DataLoader::signal_progress);
    QVERIFY(!loader.setFilename(""));
    QVERIFY(!loader.setFilename("/no/such/folder/list.g6"));
    QVERIFY(!loader.errorString().isEmpty());
    QVERIFY(!loader.startLoad());
    QVERIFY(loader.prepareLoad());
    loader.run();
    QCOMPARE(complete.size(), 0);
    QCOMPARE(progress.size(), 0);
}

// A read that fails, when the list is counted or when it is loaded, is no end of the list: the
// list is refused whole, with the file and the system's reason, and nothing of it is loaded. The
// failure strikes once: a pass that took it for the end would leave the other pass to read the
// whole list, and the list would be refused for another reason, or loaded.
void TestDataLoader::readFailsPartWay()
{
    QTemporaryDir dir;
    const QByteArray file = repeated("A_\n", 100000);
    const QString path = writeTempFile(dir, "list.g6", file);
    for (const qint64 after : {qint64(150000), qint64(file.size()) + 150000}) {
        Board board;
        DataLoader loader(&board.problem, &board.graph, nullptr);
        QSignalSpy console(&loader, &DataLoader::signal_console);
        QSignalSpy complete(&loader, &DataLoader::signal_load_complete);
        ErrCapture err;
        ReadFailure failing(path, after);
        const DataLoader::Loaded loaded = loadHere(loader, path, "g6");
        QVERIFY(failing.failures() > 0);
        const QString why = "Not loaded: " + path + " could not be read to its end: Input/output error.";
        QCOMPARE(loaded.refused, why);
        QCOMPARE(loaded.texts.size(), 0);
        QVERIFY(err.text().endsWith(why + "\n"));
        for (const QList<QVariant> &args : console)
            QVERIFY2(!args.at(0).toString().endsWith(" graphs loaded.") || args.at(0).toString().contains('/'),
                     qPrintable(args.at(0).toString()));
        QCOMPARE(complete.size(), 1);
    }
}

// A pipe can be read only once, and a list is read twice: it is refused before a byte of it is
// read, and its writer is not woken.
void TestDataLoader::pipeLeftUnread()
{
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.filePath("list.g6"));
    QCOMPARE(mkfifo(path.constData(), 0600), 0);
    const QByteArray list = repeated("A_\n", 100);
    // The writer waits in its open until a reader comes: the loader, or this test afterwards,
    // so nothing here can wait for ever.
    std::thread writer([&] {
        const int fd = ::open(path.constData(), O_WRONLY);
        if (fd >= 0) {
            if (::write(fd, list.constData(), size_t(list.size())) != list.size())
                qWarning("short write");
            ::close(fd);
        }
    });
    Board board;
    DataLoader loader(&board.problem, &board.graph, nullptr);
    QSignalSpy complete(&loader, &DataLoader::signal_load_complete);
    ErrCapture err;
    const bool opened = loader.setFilename(QFile::decodeName(path));
    if (opened && loader.prepareLoad())
        loader.run();
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK);
    writer.join();
    QByteArray left(4096, '\0');
    const ssize_t got = fd >= 0 ? ::read(fd, left.data(), size_t(left.size())) : -1;
    left.resize(int(qMax<ssize_t>(got, 0)));
    if (fd >= 0)
        ::close(fd);
    QVERIFY(!opened);
    QCOMPARE(loader.errorString(), QString("it is a pipe, which can be read only once, and a list is read twice "
                                           "(counted, then loaded): save it to a file first."));
    QCOMPARE(left, list);
    QCOMPARE(complete.size(), 0);
}

// A pipe given the list's name between the check of the name and its open is refused as one,
// and the open does not wait for a writer that never comes. Should it wait all the same, a
// writer comes from here after 30 s (a few system calls' work, however loaded the machine) and
// lets it go.
void TestDataLoader::pipeSwappedInAfterCheck()
{
    QTemporaryDir dir;
    const QString list = writeTempFile(dir, "list.g6", "A_\n");
    std::strcpy(swapName, QFile::encodeName(list).constData());
    std::strcpy(swapPipe, QFile::encodeName(dir.filePath("pipe")).constData());
    QCOMPARE(mkfifo(swapPipe, 0600), 0);
    std::mutex m;
    std::condition_variable returned;
    bool done = false, hung = false;
    std::thread watcher([&] {
        std::unique_lock<std::mutex> lock(m);
        while (!returned.wait_for(lock, std::chrono::seconds(30), [&] { return done; })) {
            hung = true;
            const int fd = ::open(swapName, O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
        }
    });
    Board board;
    DataLoader loader(&board.problem, &board.graph, nullptr);
    swapArmed = true;
    const bool accepted = loader.setFilename(list);
    {
        std::lock_guard<std::mutex> lock(m);
        done = true;
    }
    returned.notify_one();
    watcher.join();
    // The swap took place: the check saw the list.
    QVERIFY(!swapArmed);
    QVERIFY(!hung);
    QVERIFY(!accepted);
    QCOMPARE(loader.errorString(), QString("it is a pipe, which can be read only once, and a list is read twice "
                                           "(counted, then loaded): save it to a file first."));
}

namespace {
// Stands for the optimiser's manager handing its results over while a load runs.
class HandOver : public QThread
{
public:
    explicit HandOver(DataLoader *l) : loader(l) {}
    void run() override
    {
        loader->clear();
        for (int i = 0; i < 500; ++i) {
            loader->addGraph("3 11" + QString::number(i % 2));
            if (loader->size() != i + 1)
                failures.fetchAndAddRelaxed(1);
            loader->getGraphs();
        }
    }
    DataLoader *loader;
    QAtomicInt failures;
};
} // namespace

void TestDataLoader::threadedLoadKeepsInboxAndBoard()
{
    QTemporaryDir dir;
    QByteArray file;
    for (int r = 0; r < 30; ++r)
        for (quint64 m = 0; m < 64; ++m)
            file += LabelledGraphs::graph6(4, m) + '\n';
    Board board({"SIZE", "WIENER"});
    board.graph.loadorv("5 1010110011", true);
    const QString before = board.graph.graphData();
    const int id = board.graph.getID();
    ProgressBar window;
    DataLoader loader(&board.problem, &board.graph, &window);
    Completions complete(&loader);
    loader.addGraph("2 1");
    QVERIFY(loader.setFilename(writeTempFile(dir, "many.g6", file)));
    ErrCapture err;
    QVERIFY(loader.startLoad());
    QVERIFY(window.isVisible());
    // A second load while one runs is refused, and so is a new file for it.
    QVERIFY(!loader.startLoad());
    QVERIFY(!loader.setFilename(dir.filePath("many.g6")));
    HandOver hand(&loader);
    hand.start();
    QVERIFY(hand.wait(20000));
    QTRY_COMPARE_WITH_TIMEOUT(complete.count, 1, 60000);
    QVERIFY(loader.wait(5000));
    QCOMPARE(hand.failures.loadRelaxed(), 0);
    QCOMPARE(loader.size(), 500);
    QCOMPARE(loader.getGraphs().first(), QString("3 110"));
    QCOMPARE(loader.getLoaded().texts.size(), 30 * 64);
    QTRY_VERIFY(!window.isVisible());
    QCOMPARE(board.graph.graphData(), before);
    QCOMPARE(board.graph.getID(), id);
}

void TestDataLoader::cancelRightAfterStart()
{
    QTemporaryDir dir;
    const QByteArray file = repeated("A_\n", 50000);
    Board board;
    DataLoader loader(&board.problem, &board.graph, nullptr);
    Completions complete(&loader);
    QVERIFY(loader.setFilename(writeTempFile(dir, "many.g6", file)));
    ErrCapture err;
    QVERIFY(loader.startLoad());
    loader.slot_cancel();
    QTRY_COMPARE_WITH_TIMEOUT(complete.count, 1, 20000);
    QVERIFY(loader.wait(5000));
    // However soon the cancel comes, the load stops early.
    QVERIFY(loader.getLoaded().cancelled);
    QVERIFY(loader.getLoaded().texts.size() < 50000);
}

QTEST_MAIN(TestDataLoader)
#include "tst_dataloader.moc"
