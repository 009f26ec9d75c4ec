#include "ExplorerSides.h"
#include "ScriptedDialogs.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>

namespace {
// Six graphs of 2 to 6 vertices, stored graph k is Texts[k].
const QStringList Texts = {"4 110011", "2 1", "5 1100110011", "3 111", "6 101010101010101", "4 111111"};

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Shows only the given stored graphs in the table, one row each, in the given order.
void showRows(Analyst *table, const QVector<int> &graphs)
{
    const QStringList header = table->getHeader();
    table->clear();
    table->setHeader(header);
    for (int g : graphs)
        table->push_back(QVector<double>(header.size(), 1.0), g);
    table->buildTable();
}

using Command = void (AnalystWidget::*)();
} // namespace
Q_DECLARE_METATYPE(Command)

class TestExports : public QObject
{
    Q_OBJECT

private slots:
    void graphListRoundTrip_data();
    void graphListRoundTrip();
    void pdfNames_data();
    void pdfNames();
    void cancelledIsQuiet_data();
    void cancelledIsQuiet();
    void failedWriteKeepsOldFile();
    void valueTable();
};

void TestExports::graphListRoundTrip_data()
{
    QTest::addColumn<Command>("command");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QVector<int>>("rows");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("all graphs") << Command(&AnalystWidget::slot_save_graphs) << "Save results as" << QVector<int>{}
                                << Texts;
    QTest::newRow("graphs 4 and 1 twice") << Command(&AnalystWidget::slot_save_used_graphs) << "Save graphs as"
                                          << QVector<int>{4, 1, 4, 1} << QStringList{Texts[1], Texts[4]};
    QTest::newRow("out of range ignored") << Command(&AnalystWidget::slot_save_used_graphs) << "Save graphs as"
                                          << QVector<int>{-1, 9, 2} << QStringList{Texts[2]};
    QTest::newRow("no rows") << Command(&AnalystWidget::slot_save_used_graphs) << "Save graphs as"
                             << QVector<int>{} << QStringList{};
}

void TestExports::graphListRoundTrip()
{
    QFETCH(Command, command);
    QFETCH(QString, caption);
    QFETCH(QVector<int>, rows);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    ExplorerSides e({"ORDER"});
    e.g->setWD(dir.path());
    for (const QString &t : Texts)
        e.add(t);
    if (command == Command(&AnalystWidget::slot_save_used_graphs))
        showRows(e.gTable, rows);
    const QString path = dir.filePath("list.dorv3");
    {
        ScriptedDialogs dialogs;
        dialogs.fileNames << path;
        (e.g->*command)();
        QCOMPARE(dialogs.kinds(), QStringList{"save"});
        QCOMPARE(dialogs.calls[0].title, caption);
        QCOMPARE(dialogs.calls[0].text, QString("*.dorv3"));
        QCOMPARE(dialogs.calls[0].dir, dir.path());
    }
    QByteArray bytes;
    for (const QString &t : expected)
        bytes += t.toLatin1() + '\n';
    QCOMPARE(contents(path), bytes);
    // Read back by the loader, the list gives the same graph texts.
    ExplorerSides back({"ORDER"});
    back.g->slot_set_type_orv();
    back.g->slot_set_filter_mode(false);
    back.v->slot_set_filter_mode(false);
    ScriptedDialogs dialogs;
    dialogs.fileNames << path;
    QSignalSpy done(back.v, &AnalystWidget::signal_data_loaded);
    back.g->slot_load_data();
    QVERIFY(done.wait(30000));
    QCOMPARE(back.g->getGraphs(), expected);
}

void TestExports::pdfNames_data()
{
    QTest::addColumn<Command>("command");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QVector<int>>("rows");
    QTest::addColumn<QStringList>("files");
    QTest::newRow("all, two dots") << Command(&AnalystWidget::slot_save_graphs_pdf) << "out.old.pdf"
                                   << QVector<int>{}
                                   << QStringList{"out1.pdf", "out2.pdf", "out3.pdf", "out4.pdf", "out5.pdf",
                                                  "out6.pdf"};
    QTest::newRow("used, 4 and 1 twice") << Command(&AnalystWidget::slot_save_used_graphs_pdf) << "run.pdf"
                                         << QVector<int>{4, 1, 4, 1} << QStringList{"run1.pdf", "run2.pdf"};
    QTest::newRow("used, no rows") << Command(&AnalystWidget::slot_save_used_graphs_pdf) << "none.pdf"
                                   << QVector<int>{} << QStringList{};
}

void TestExports::pdfNames()
{
    QFETCH(Command, command);
    QFETCH(QString, chosen);
    QFETCH(QVector<int>, rows);
    QFETCH(QStringList, files);
    QTemporaryDir dir;
    ExplorerSides e({"ORDER"});
    for (const QString &t : Texts)
        e.add(t);
    if (command == Command(&AnalystWidget::slot_save_used_graphs_pdf))
        showRows(e.gTable, rows);
    e.board.graph.loadorv("3 101", true);
    QSignalSpy changed(&e.board.graph, &Graph::signal_best_graph_changed);
    {
        ScriptedDialogs dialogs;
        dialogs.fileNames << dir.filePath(chosen);
        (e.g->*command)();
        QCOMPARE(dialogs.kinds(), QStringList{"save"});
        QCOMPARE(dialogs.calls[0].title, QString("Save  graphs as (creating a folder is suggested)"));
        QCOMPARE(dialogs.calls[0].text, QString("*.pdf"));
    }
    QStringList written = QDir(dir.path()).entryList(QDir::Files, QDir::Name);
    QCOMPARE(written, files);
    const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
    for (const QString &f : files) {
        QCOMPARE(contents(dir.filePath(f)).left(4), QByteArray("%PDF"));
        if (pdftoppm.isEmpty())
            continue;
        QProcess render;
        render.start(pdftoppm, {"-png", "-r", "20", "-singlefile", dir.filePath(f), dir.filePath("page")});
        QVERIFY(render.waitForFinished(30000));
        QCOMPARE(render.exitCode(), 0);
        QVERIFY(QFileInfo(dir.filePath("page.png")).size() > 0);
        QFile::remove(dir.filePath("page.png"));
    }
    // Drawn apart: the graph being edited is as it was.
    QCOMPARE(e.board.graph.graphData(), QString("3 101"));
    QCOMPARE(changed.count(), 0);
}

void TestExports::cancelledIsQuiet_data()
{
    QTest::addColumn<Command>("command");
    QTest::newRow("value table") << Command(&AnalystWidget::slot_save_data);
    QTest::newRow("all graphs") << Command(&AnalystWidget::slot_save_graphs);
    QTest::newRow("used graphs") << Command(&AnalystWidget::slot_save_used_graphs);
    QTest::newRow("all pdf") << Command(&AnalystWidget::slot_save_graphs_pdf);
    QTest::newRow("used pdf") << Command(&AnalystWidget::slot_save_used_graphs_pdf);
}

void TestExports::cancelledIsQuiet()
{
    QFETCH(Command, command);
    QTemporaryDir dir;
    ExplorerSides e({"ORDER"});
    e.g->setWD(dir.path());
    e.add(Texts[0]);
    ScriptedDialogs dialogs;
    (e.g->*command)();
    QCOMPARE(dialogs.kinds(), QStringList{"save"});
    QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

void TestExports::failedWriteKeepsOldFile()
{
    QTemporaryDir dir;
    ExplorerSides e({"ORDER"});
    for (int k = 0; k < 40; ++k)
        e.g->addGraph("6 101010101010101");
    const QString list = dir.filePath("old.dorv3");
    const QString data = dir.filePath("old.txt");
    for (const QString &p : {list, data}) {
        QFile f(p);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("old\n");
    }
    struct rlimit before;
    getrlimit(RLIMIT_FSIZE, &before);
    struct rlimit small = before;
    small.rlim_cur = 64;
    signal(SIGXFSZ, SIG_IGN);
    ScriptedDialogs dialogs;
    dialogs.fileNames << list << data;
    setrlimit(RLIMIT_FSIZE, &small);
    e.g->slot_save_graphs();
    e.g->slot_save_data();
    setrlimit(RLIMIT_FSIZE, &before);
    QCOMPARE(dialogs.kinds(), QStringList({"save", "warning", "save", "warning"}));
    QCOMPARE(dialogs.calls[1].title, QString("Save failed"));
    QVERIFY(dialogs.calls[1].text.startsWith("Failed to save graphs"));
    QCOMPARE(dialogs.calls[3].title, QString("Warning"));
    QVERIFY(dialogs.calls[3].text.startsWith("Failed to save data."));
    QCOMPARE(contents(list), QByteArray("old\n"));
    QCOMPARE(contents(data), QByteArray("old\n"));
}

void TestExports::valueTable()
{
    QTemporaryDir dir;
    ExplorerSides e({"ORDER"});
    e.v->setWD(dir.path());
    e.add(Texts[3]);
    ScriptedDialogs dialogs;
    dialogs.fileNames << dir.filePath("v.txt");
    e.v->slot_save_data();
    QCOMPARE(dialogs.kinds(), QStringList{"save"});
    QCOMPARE(dialogs.calls[0].title, QString("Save results as"));
    QCOMPARE(dialogs.calls[0].text, QString("*.txt"));
    // One row per vertex of the triangle.
    QCOMPARE(contents(dir.filePath("v.txt")).count("\n3"), 3);
}

QTEST_MAIN(TestExports)
#include "tst_exports.moc"
