#include "ExplorerSides.h"
#include "ScriptedDialogs.h"
#include "app/ProgressBar.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <cerrno>
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

// Stores the texts in both panels at once, as a graph list that the loader read.
void store(ExplorerSides &e, const QVector<QString> &texts)
{
    e.loader.clear();
    e.loader.addGraphs(texts);
    e.g->slot_data_loaded();
    e.v->slot_data_loaded();
}

// Waits, in the event loop, for the panel's PDF export to end.
bool exportEnds(AnalystWidget *panel)
{
    return QTest::qWaitFor([panel] { return !panel->pdfExportRunning(); }, 300000);
}

// The bounding boxes of the yellow regions of a picture (the vertices of a drawing: yellow to
// dark yellow, under black edges), one per 4-connected region.
QVector<QRect> yellowDiscs(const QImage &image)
{
    const auto yellow = [&image](int x, int y) {
        const QColor c = image.pixelColor(x, y);
        return c.red() > 90 && c.green() > 90 && c.blue() < 80 && qAbs(c.red() - c.green()) < 40;
    };
    QVector<QRect> discs;
    QVector<bool> seen(image.width() * image.height(), false);
    for (int y0 = 0; y0 < image.height(); ++y0)
        for (int x0 = 0; x0 < image.width(); ++x0) {
            if (seen[y0 * image.width() + x0] || !yellow(x0, y0))
                continue;
            QRect box(x0, y0, 1, 1);
            QVector<QPoint> todo{{x0, y0}};
            seen[y0 * image.width() + x0] = true;
            while (!todo.isEmpty()) {
                const QPoint p = todo.takeLast();
                box |= QRect(p, QSize(1, 1));
                for (const QPoint &q : {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1), p - QPoint(0, 1)}) {
                    if (q.x() < 0 || q.y() < 0 || q.x() >= image.width() || q.y() >= image.height())
                        continue;
                    if (!seen[q.y() * image.width() + q.x()] && yellow(q.x(), q.y())) {
                        seen[q.y() * image.width() + q.x()] = true;
                        todo.append(q);
                    }
                }
            }
            discs.append(box);
        }
    return discs;
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
    void pdfProgressAndCancel_data();
    void pdfProgressAndCancel();
    void pdfAsksBeforeThousands_data();
    void pdfAsksBeforeThousands();
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
    // The stored graph drawn into each file.
    QTest::addColumn<QVector<int>>("drawn");
    QTest::newRow("all, two dots") << Command(&AnalystWidget::slot_save_graphs_pdf) << "out.old.pdf"
                                   << QVector<int>{}
                                   << QStringList{"out1.pdf", "out2.pdf", "out3.pdf", "out4.pdf", "out5.pdf",
                                                  "out6.pdf"}
                                   << QVector<int>{0, 1, 2, 3, 4, 5};
    QTest::newRow("used, 4 and 1 twice") << Command(&AnalystWidget::slot_save_used_graphs_pdf) << "run.pdf"
                                         << QVector<int>{4, 1, 4, 1} << QStringList{"run1.pdf", "run2.pdf"}
                                         << QVector<int>{1, 4};
    QTest::newRow("used, no rows") << Command(&AnalystWidget::slot_save_used_graphs_pdf) << "none.pdf"
                                   << QVector<int>{} << QStringList{} << QVector<int>{};
}

void TestExports::pdfNames()
{
    QFETCH(Command, command);
    QFETCH(QString, chosen);
    QFETCH(QVector<int>, rows);
    QFETCH(QStringList, files);
    QFETCH(QVector<int>, drawn);
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
        QVERIFY(exportEnds(e.g));
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
        render.start(pdftoppm, {"-png", "-r", "50", "-singlefile", dir.filePath(f), dir.filePath("page")});
        QVERIFY(render.waitForFinished(30000));
        QCOMPARE(render.exitCode(), 0);
        // Every vertex is drawn whole: one round yellow disc per vertex once laid out (the two
        // vertices of a graph that is not laid out lie where loading put them, on each other).
        const QVector<QRect> discs = yellowDiscs(QImage(dir.filePath("page.png")));
        const int n = Texts[drawn[files.indexOf(f)]].section(' ', 0, 0).toInt();
        QCOMPARE(discs.size(), n > 2 ? n : 1);
        for (const QRect &d : discs)
            QVERIFY2(qAbs(d.width() - d.height()) <= 1 && d.width() >= 8, qPrintable(f));
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
    QSignalSpy console(e.g, &AnalystWidget::signal_console);
    setrlimit(RLIMIT_FSIZE, &small);
    e.g->slot_save_graphs();
    e.g->slot_save_data();
    setrlimit(RLIMIT_FSIZE, &before);
    // Each failure names the file once, in its box and in a red console line, with the reason.
    const QString tooLarge = qt_error_string(EFBIG);
    QCOMPARE(dialogs.kinds(), QStringList({"save", "warning", "save", "warning"}));
    QCOMPARE(dialogs.calls[1].title, QString("Save failed"));
    QCOMPARE(dialogs.calls[1].text, "Failed to save graphs\n" + list + "\n" + tooLarge);
    QCOMPARE(dialogs.calls[3].title, QString("Warning"));
    QCOMPARE(dialogs.calls[3].text, "Failed to save data.\n" + data + "\n" + tooLarge);
    QStringList lines;
    for (const QList<QVariant> &args : console) {
        lines << args.at(0).toString();
        QCOMPARE(args.at(3).value<QColor>(), QColor(Qt::red));
    }
    QCOMPARE(lines, QStringList({"Failed to save the graph list " + list + ": " + tooLarge,
                                 "Failed to save the value table " + data + ": " + tooLarge}));
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

void TestExports::pdfProgressAndCancel_data()
{
    QTest::addColumn<bool>("vertexSide");
    QTest::addColumn<Command>("command");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("cancelAt");
    QTest::newRow("graph values, all, cancelled part-way")
        << false << Command(&AnalystWidget::slot_save_graphs_pdf) << 300 << 20;
    QTest::newRow("vertex values, used, to the end")
        << true << Command(&AnalystWidget::slot_save_used_graphs_pdf) << 40 << -1;
}

void TestExports::pdfProgressAndCancel()
{
    QFETCH(bool, vertexSide);
    QFETCH(Command, command);
    QFETCH(int, count);
    QFETCH(int, cancelAt);
    QTemporaryDir dir;
    ExplorerSides e({"ORDER"});
    AnalystWidget *panel = vertexSide ? e.v : e.g;
    QVector<QString> texts;
    for (int k = 0; k < count; ++k)
        texts << Texts[k % Texts.size()];
    store(e, texts);
    ProgressBar *window = panel->pdfProgress();
    QPushButton *cancel = window->findChild<QPushButton *>();
    QVERIFY(cancel);

    // A timer of the event loop, as any other widget would have one: it must fire while the
    // export runs, and may press "Cancel" on the way.
    QVector<int> seen;
    bool shown = true, reshown = false;
    QTimer tick;
    tick.setInterval(0);
    connect(&tick, &QTimer::timeout, [&] {
        if (!panel->pdfExportRunning())
            return;
        shown = shown && window->isVisible();
        seen << window->bar(0)->value();
        if (cancelAt >= 0 && seen.size() == 1) {
            // Closed by its frame, the window with its Cancel comes back when another export
            // is asked for.
            window->close();
            (panel->*command)();
            reshown = window->isVisible();
        }
        if (cancelAt >= 0 && seen.last() >= cancelAt)
            cancel->click();
    });
    QSignalSpy console(panel, &AnalystWidget::signal_console);
    ScriptedDialogs dialogs;
    dialogs.fileNames << dir.filePath("c.pdf");
    tick.start();
    (panel->*command)();
    QVERIFY(panel->pdfExportRunning());
    QCOMPARE(window->bar(0)->maximum(), count);
    QCOMPARE(window->bar(0)->text(), QString("0 of %1 drawings").arg(count));
    QVERIFY(exportEnds(panel));
    tick.stop();
    const QStringList asked = cancelAt < 0 ? QStringList{"save"} : QStringList{"save", "warning"};
    QCOMPARE(dialogs.kinds(), asked);
    QCOMPARE(reshown, cancelAt >= 0);
    QVERIFY(shown);
    QVERIFY(!window->isVisible());

    // The timer fired between drawings, and saw the bar only grow.
    QVERIFY(std::any_of(seen.begin(), seen.end(), [&](int v) { return v > 0 && v < count; }));
    QVERIFY(std::is_sorted(seen.begin(), seen.end()));

    // What was written is a prefix of the numbering, every file whole.
    const QStringList files = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    const int written = files.size();
    if (cancelAt < 0) {
        QCOMPARE(written, count);
    } else {
        // Stopped right after the drawing under way when "Cancel" was pressed.
        QVERIFY2(written >= cancelAt && written < count, qPrintable(QString::number(written)));
        QCOMPARE(written, seen.last());
    }
    for (int k = 1; k <= written; ++k) {
        const QByteArray bytes = contents(dir.filePath(QString("c%1.pdf").arg(k)));
        QVERIFY2(bytes.startsWith("%PDF-") && bytes.endsWith("%%EOF\n"), qPrintable(QString::number(k)));
    }
    QCOMPARE(console.count(), 1);
    QCOMPARE(console[0][0].toString(), QString("PDF export %1: %2 of %3 drawings written in %4")
                                           .arg(cancelAt < 0 ? "done" : "cancelled")
                                           .arg(written)
                                           .arg(count)
                                           .arg(dir.path()));
    QCOMPARE(console[0][2].toInt(), 0);
}

void TestExports::pdfAsksBeforeThousands_data()
{
    QTest::addColumn<bool>("goOn");
    QTest::newRow("cancelled") << false;
    QTest::newRow("go on") << true;
}

void TestExports::pdfAsksBeforeThousands()
{
    QFETCH(bool, goOn);
    QTemporaryDir dir;
    ExplorerSides e({"ORDER"});
    const int count = AnalystWidget::AskAboveFiles + 1;
    store(e, QVector<QString>(count, "3 110"));
    ScriptedDialogs dialogs;
    dialogs.fileNames << dir.filePath("many.pdf") << dir.filePath("few.pdf");
    dialogs.answers << (goOn ? QMessageBox::Ok : QMessageBox::Cancel);
    e.g->slot_save_graphs_pdf();
    QCOMPARE(dialogs.kinds(), (QStringList{"save", "question"}));
    QCOMPARE(dialogs.calls[1].text,
             QString("%1 PDF files, one per graph, will be written in %2.\nGo on?").arg(count).arg(dir.path()));
    QCOMPARE(e.g->pdfExportRunning(), goOn);
    e.g->pdfProgress()->slot_cancel();
    QVERIFY(!e.g->pdfExportRunning());
    QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    // As many as the bound: no question.
    e.g->slot_clear_only();
    store(e, QVector<QString>(AnalystWidget::AskAboveFiles, "3 110"));
    e.g->slot_save_graphs_pdf();
    QCOMPARE(dialogs.kinds(), (QStringList{"save", "question", "save"}));
    e.g->pdfProgress()->slot_cancel();
}

QTEST_MAIN(TestExports)
#include "tst_exports.moc"
