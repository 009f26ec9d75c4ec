#include "ErrCapture.h"
#include "ExplorerBoard.h"
#include "LabelledGraphs.h"
#include "ScriptedDialogs.h"
#include "conjectures/ConjectureSettings.h"
#include "explorer/Analyst.h"
#include "explorer/AnalystWidget.h"
#include "explorer/DataLoader.h"
#include "explorer/FilterWidget.h"
#include "calculus/invConstant.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <atomic>
#include <memory>

namespace {
// Both explorer sides around one board, graph and loader, as the shell wires them.
struct Explorer {
    ExplorerBoard board;
    DataLoader loader{&board.problem, &board.graph, nullptr};
    FilterWidget gFilter, vFilter;
    ConjectureSettings gSettings, vSettings;
    Analyst *gTable = new Analyst;
    Analyst *vTable = new Analyst;
    AnalystWidget g{&board.problem, &board.graph, gTable, &loader, &gFilter, &gSettings, false};
    AnalystWidget v{&board.problem, &board.graph, vTable, &loader, &vFilter, &vSettings, true};

    explicit Explorer(const QStringList &keys) : board(keys)
    {
        QObject::connect(gTable, &Analyst::signal_load_graph, &g, &AnalystWidget::slot_load_graph);
        QObject::connect(vTable, &Analyst::signal_load_graph, &v, &AnalystWidget::slot_load_graph);
    }

    // A graph-list load from the graph-values panel, to its end.
    bool load(const QString &path, const QString &type)
    {
        type == "g6" ? g.slot_set_type_g6() : g.slot_set_type_orv();
        ScriptedDialogs dialogs;
        dialogs.fileNames << path;
        QSignalSpy done(&v, &AnalystWidget::signal_data_loaded);
        g.slot_load_data();
        return done.wait(60000) && loader.wait(5000);
    }
};

QByteArray allLabelled(int n)
{
    QByteArray file;
    for (quint64 m = 0; m < (quint64(1) << (n * (n - 1) / 2)); ++m)
        file += LabelledGraphs::graph6(n, m) + '\n';
    return file;
}

QString summaryCell(Analyst *a, int row, int column)
{
    QTableWidgetItem *item = a->summaryTable()->item(row, column);
    return item ? item->text() : QString();
}

QVector<int> tags(Analyst *a)
{
    return a->getGraphsRef();
}
} // namespace

class TestAnalystWidget : public QObject
{
    Q_OBJECT

private slots:
    void allLabelledGraphsOnFour();
    void mixedVertexCounts_data();
    void mixedVertexCounts();
    void interactiveGraphUntouched();
    void malformedLinesSkipped();
    void refusedListKeepsTables();
    void valuesAreCached();
    void vertexRowsAndStepping();
    void filterPanelRejects();
    void deleteAndReplace();
    void clearing();
    void addGraphConsole();
    void loadDialogs();
    void optimiserInbox();
    void rebuildDuringLoad();
    void connectedFilter_data();
    void connectedFilter();
    void sizeAtMostThree();
};

void TestAnalystWidget::allLabelledGraphsOnFour()
{
    QTemporaryDir dir;
    Explorer e({"SIZE", "DEGREES:node"});
    ErrCapture err;
    QVERIFY(e.load(writeTempFile(dir, "four.g6", allLabelled(4)), "g6"));
    QCOMPARE(e.gTable->getHeader(), QStringList({"SIZE", "DEGREES[1]", "DEGREES[2]", "DEGREES[3]", "DEGREES[4]"}));
    QCOMPARE(e.gTable->nbRows(), 64);
    QCOMPARE(e.gTable->minimum(0), 0.0);
    QCOMPARE(e.gTable->maximum(0), 6.0);
    QCOMPARE(e.gTable->mean(0), 3.0);
    QCOMPARE(summaryCell(e.gTable, 2, 0), QString("3"));
    QCOMPARE(e.vTable->getHeader(), QStringList({"SIZE", "DEGREES"}));
    QCOMPARE(e.vTable->nbRows(), 256);
    QCOMPARE(e.vTable->mean(1), 1.5);
    QCOMPARE(summaryCell(e.vTable, 2, 1), QString("1.5"));
    QCOMPARE(e.gFilter.getVariables(), e.gTable->getHeader());
    QCOMPARE(e.vSettings.getVariables(), e.vTable->getHeader());
    // Row m is labelled graph m: its degrees, computed here from the mask.
    for (int m = 0; m < 64; ++m) {
        QCOMPARE(e.gTable->graphNo(m), m);
        for (int vtx = 0; vtx < 4; ++vtx) {
            const int degree = LabelledGraphs::degree(4, quint64(m), vtx);
            QCOMPARE(e.gTable->value(m, 1 + vtx), double(degree));
            QCOMPARE(e.vTable->value(4 * m + vtx, 1), double(degree));
        }
    }
}

void TestAnalystWidget::mixedVertexCounts_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("node value") << "node";
    QTest::newRow("vector") << "vector";
}

void TestAnalystWidget::mixedVertexCounts()
{
    QFETCH(QString, kind);
    Explorer e({"ORDER", "DEGREES:" + kind});
    // The interactive graph's own count does not decide the columns.
    e.board.graph.loadorv("3 111", true);
    const QString path6 = "6 " + QString(15, '1');   // K6
    QString star9 = "9 ";
    for (int i = 1; i < 9; ++i)
        star9 += "1" + QString(i - 1, '0');
    for (AnalystWidget *w : {&e.g, &e.v}) {
        w->addGraph(path6);
        w->addGraph(star9);
    }
    QStringList gNames{"ORDER"};
    for (int i = 1; i <= 9; ++i)
        gNames << "DEGREES[" + QString::number(i) + "]";
    QCOMPARE(e.gTable->getHeader(), gNames);
    QCOMPARE(e.gTable->nbRows(), 2);
    const QVector<double> k6{6, 5, 5, 5, 5, 5, 5, 1e12, 1e12, 1e12};
    const QVector<double> s9{9, 8, 1, 1, 1, 1, 1, 1, 1, 1};
    QCOMPARE(e.gTable->getLine(0), k6);
    QCOMPARE(e.gTable->getLine(1), s9);

    QCOMPARE(e.vTable->nbRows(), 15);
    QCOMPARE(tags(e.vTable), QVector<int>({0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
    if (kind == "node") {
        QCOMPARE(e.vTable->getHeader(), QStringList({"ORDER", "DEGREES"}));
        QCOMPARE(e.vTable->getLine(0), QVector<double>({6, 5}));
        QCOMPARE(e.vTable->getLine(6), QVector<double>({9, 8}));
        QCOMPARE(e.vTable->getLine(7), QVector<double>({9, 1}));
    } else {
        QCOMPARE(e.vTable->getHeader(), gNames);
        QCOMPARE(e.vTable->getLine(5), k6);
        QCOMPARE(e.vTable->getLine(14), s9);
    }
}

void TestAnalystWidget::interactiveGraphUntouched()
{
    QTemporaryDir dir;
    Explorer e({"WIENER", "DEGREES:node"});
    e.board.graph.loadorv("5 1011001110", true);
    const QString before = e.board.graph.graphData();
    const int id = e.board.graph.getID();
    QVERIFY(e.load(writeTempFile(dir, "four.g6", allLabelled(4)), "g6"));
    QCOMPARE(e.board.graph.graphData(), before);
    e.g.slot_update_table();
    e.v.slot_update_table();
    QCOMPARE(e.board.graph.graphData(), before);
    ScriptedDialogs dialogs;
    dialogs.answers << QMessageBox::Yes;
    e.gTable->pageTable()->setCurrentCell(3, 0);
    e.g.slot_delete();
    QCOMPARE(dialogs.kinds(), QStringList({"question"}));
    QCOMPARE(e.g.getGraphs().size(), 63);
    QCOMPARE(e.board.graph.graphData(), before);
    QCOMPARE(e.board.graph.getID(), id);

    // Loading a row's graph into the view is the one change asked for.
    e.g.slot_load_graph(5);
    QCOMPARE(e.board.graph.graphData(), e.g.getGraphs()[5]);
}

void TestAnalystWidget::malformedLinesSkipped()
{
    QTemporaryDir dir;
    QByteArray file;
    for (int i = 0; i < 100; ++i) {
        if (i % 10 == 3)
            file += i % 20 == 3 ? "4\t111000\n" : "C~~\n";
        else
            file += LabelledGraphs::graphText(4, quint64(i % 64)).toLatin1() + '\n';
    }
    Explorer e({"SIZE"});
    QSignalSpy console(&e.v, &AnalystWidget::signal_console);
    QSignalSpy gConsole(&e.g, &AnalystWidget::signal_console);
    ErrCapture err;
    QVERIFY(e.load(writeTempFile(dir, "list.dorv3", file), "orv"));
    QCOMPARE(e.gTable->nbRows(), 90);
    QCOMPARE(e.vTable->nbRows(), 360);
    QStringList lines;
    for (const QList<QVariant> &args : console) {
        lines << args.at(0).toString();
        QCOMPARE(args.at(2).toInt(), 0);
        QCOMPARE(args.at(3).value<QColor>(), QColor(Qt::green));
    }
    QCOMPARE(lines, QStringList({"0/90 graphs loaded.", "90 graphs loaded.", "10 lines skipped: not a graph."}));
    QCOMPARE(gConsole.size(), 0);
}

// A list the tables could not hold (here under a limit of 1000 bytes) is refused before any
// graph is read: the tables keep what they had, and the user is told the count and the limit.
// So is a list that grows between its count and its reading (nauty still writing it), which the
// same limit refuses when it is counted afresh.
void TestAnalystWidget::refusedListKeepsTables()
{
    QTemporaryDir dir;
    Explorer e({"SIZE"});
    ErrCapture err;
    QVERIFY(e.load(writeTempFile(dir, "four.g6", allLabelled(4)), "g6"));
    const QStringList graphs = e.g.getGraphs();
    QVector<QVector<double>> rows;
    for (int r = 0; r < e.gTable->nbRows(); ++r)
        rows << e.gTable->getLine(r);
    QCOMPARE(rows.size(), 64);
    QCOMPARE(e.vTable->nbRows(), 256);

    e.loader.setMemoryLimit(1000);
    QSignalSpy console(&e.v, &AnalystWidget::signal_console);
    QSignalSpy rebuilt(&e.g, &AnalystWidget::signal_data_loaded);
    ScriptedDialogs dialogs;
    dialogs.fileNames << writeTempFile(dir, "again.g6", allLabelled(4));
    e.g.slot_load_data();
    QTRY_COMPARE_WITH_TIMEOUT(dialogs.kinds(), QStringList({"open", "warning"}), 20000);
    QVERIFY(e.loader.wait(5000));
    const QString why = "Not loaded: the list holds 64 graphs (256 vertex rows); the tables would need about "
                        "20 kB, more than the 1000 bytes of memory available.";
    QCOMPARE(dialogs.calls[1].text, why);
    QTRY_COMPARE(console.size(), 1);
    QCOMPARE(console[0][0].toString(), why);
    QCOMPARE(console[0][3].value<QColor>(), QColor(Qt::red));
    auto unchanged = [&] {
        QCOMPARE(rebuilt.size(), 0);
        QCOMPARE(e.g.getGraphs(), graphs);
        QCOMPARE(e.gTable->nbRows(), 64);
        for (int r = 0; r < 64; ++r)
            QCOMPARE(e.gTable->getLine(r), rows[r]);
        QCOMPARE(e.vTable->nbRows(), 256);
    };
    unchanged();
    if (QTest::currentTestFailed())
        return;

    const QString path = writeTempFile(dir, "growing.g6", QByteArray("A_\n").repeated(1000));
    e.loader.setMemoryLimit(1000000);
    // The first report after the count: the list is then read again. Set in the loader's thread
    // and read after its wait, which orders nothing for ThreadSanitizer: hence atomic.
    std::atomic<bool> grown{false};
    const QMetaObject::Connection growing =
        QObject::connect(&e.loader, &DataLoader::signal_progress, &e.loader, [&](int, qint64 value, qint64 max) {
            QFile f(path);
            if (!grown && value == 0 && max == 100 && f.open(QIODevice::Append))
                grown = f.write(QByteArray("A_\n").repeated(99000)) == 3 * 99000;
        }, Qt::DirectConnection);
    dialogs.fileNames << path << path;
    e.g.slot_load_data();
    QTRY_COMPARE_WITH_TIMEOUT(dialogs.kinds().size(), 4, 60000);
    QVERIFY(e.loader.wait(5000));
    // The last load below may still report once this function has returned and its locals are gone.
    QObject::disconnect(growing);
    QVERIFY(grown);
    QCOMPARE(dialogs.calls[3].text, "Not loaded: " + path + " changed while it was read (it had 1001 lines "
                                    "when counted). Load it again once it is complete.");
    QCOMPARE(e.loader.getLoaded().texts.size(), 0);
    unchanged();
    e.g.slot_load_data();
    QTRY_COMPARE_WITH_TIMEOUT(dialogs.kinds().size(), 6, 60000);
    QVERIFY(dialogs.calls[5].text.startsWith("Not loaded: the list holds 100000 graphs"));
}

void TestAnalystWidget::valuesAreCached()
{
    QTemporaryDir dir;
    Explorer e({"SIZE", "WIENER"});
    QVERIFY(e.load(writeTempFile(dir, "four.g6", allLabelled(4)), "g6"));
    // The loader's values are taken as they are.
    QCOMPARE(e.g.evaluations(), 0);
    QCOMPARE(e.v.evaluations(), 0);
    e.g.addGraph("3 111");
    QCOMPARE(e.g.evaluations(), 1);
    e.g.slot_update_table();
    QCOMPARE(e.g.evaluations(), 1);
    // Moving an item changes no value; a new reported item does.
    e.board.problem.calculationList()[0]->setPos(300, 40);
    e.g.slot_update_table();
    QCOMPARE(e.g.evaluations(), 1);
    e.board.add("ORDER");
    e.g.slot_update_table();
    QCOMPARE(e.g.evaluations(), 1 + 65);
    QCOMPARE(e.gTable->getHeader(), QStringList({"ORDER", "SIZE", "WIENER"}));
    QCOMPARE(e.gTable->getLine(64), QVector<double>({3, 3, 3}));
    QVERIFY(e.load(writeTempFile(dir, "two.g6", "A_\nA?\n"), "g6"));
    QCOMPARE(e.g.evaluations(), 66);
    // The board changes: the stored graphs are evaluated again, the freshly loaded ones not.
    e.board.add("RADIUS");
    QVERIFY(e.load(writeTempFile(dir, "two.g6", "A_\nA?\n"), "g6"));
    QCOMPARE(e.g.evaluations(), 66 + 67);
    // A load evaluated on a board that changed before it ended is evaluated again.
    QVERIFY(e.loader.setFilename(writeTempFile(dir, "two.g6", "A_\nA?\n")));
    QVERIFY(e.loader.prepareLoad());
    e.board.add("DIAMETER");
    e.loader.run();
    QCOMPARE(e.g.evaluations(), 66 + 67 + 71);
    QCOMPARE(e.gTable->getLine(69), QVector<double>({1, 1, 2, 1, 1}));
}

void TestAnalystWidget::vertexRowsAndStepping()
{
    Explorer e({"DEGREES:node"});
    e.v.addGraph("3 101");
    e.v.addGraph("2 1");
    QCOMPARE(tags(e.vTable), QVector<int>({0, 0, 0, 1, 1}));
    QCOMPARE(e.vTable->getLine(1), QVector<double>({2}));
    QSignalSpy place(&e.v, &AnalystWidget::signal_place_graph);
    e.v.slot_load_graph(0);
    QCOMPARE(e.v.getCurrentRow(), 2);
    QCOMPARE(e.board.graph.graphData(), QString("3 101"));
    const int steps[] = {1, 0, 1};
    const int rows[] = {4, 2, 4};
    for (int k = 0; k < 3; ++k) {
        e.v.slot_next_graph();
        QCOMPARE(e.board.graph.graphData(), e.v.getGraphs()[steps[k]]);
        QCOMPARE(e.v.getCurrentRow(), rows[k]);
    }
    QCOMPARE(place.size(), 4);
    // Out of range: nothing happens.
    e.v.slot_load_graph(-1);
    e.v.slot_load_graph(2);
    QCOMPARE(place.size(), 4);
    QCOMPARE(e.board.graph.graphData(), QString("2 1"));
}

void TestAnalystWidget::filterPanelRejects()
{
    Explorer e({"SIZE", "DEGREES:node"});
    e.vFilter.setVariables({"SIZE", "DEGREES"});
    QTest::mouseClick(e.vFilter.useBox(0), Qt::LeftButton);
    e.vFilter.columnList(0)->setCurrentIndex(1);
    e.vFilter.operatorList(0)->setCurrentIndex(2);
    e.vFilter.valueBox(0)->setValue(1);
    // Graph 1 has no vertex of degree 1 or more: no row, but graph 2 keeps its number.
    for (const QString &t : QStringList{"3 110", "3 000", "2 1"})
        e.v.addGraph(t);
    QCOMPARE(tags(e.vTable), QVector<int>({0, 0, 0, 2, 2}));
    QVERIFY(e.vFilter.useBox(0)->isChecked());
    e.vFilter.rejectAllBox()->setChecked(true);
    e.v.slot_update_table();
    QCOMPARE(e.vTable->nbRows(), 0);
    QCOMPARE(e.v.getGraphs().size(), 3);
}

void TestAnalystWidget::deleteAndReplace()
{
    Explorer e({"SIZE", "CONNECTED"});
    for (const QString &t : QStringList{"3 110", "3 100", "2 1"})
        e.g.addGraph(t);
    // The violating graph has no row but keeps its number.
    QCOMPARE(tags(e.gTable), QVector<int>({0, 2}));
    QVERIFY(e.g.deleteGraph(1));
    QCOMPARE(e.g.getGraphs(), QStringList({"3 110", "3 100"}));
    QCOMPARE(tags(e.gTable), QVector<int>({0}));
    QVERIFY(!e.g.deleteGraph(1));
    QVERIFY(!e.g.deleteGraph(-1));
    e.g.slot_set_filter_mode(false);
    e.g.slot_update_table();
    QCOMPARE(tags(e.gTable), QVector<int>({0, 1}));
    QVERIFY(e.g.replaceGraph("3 111", 1));
    QCOMPARE(e.gTable->getLine(1), QVector<double>({3}));
    QVERIFY(!e.g.replaceGraph("2 0", 99));
    QCOMPARE(e.g.getGraphs(), QStringList({"3 110", "3 111", "2 0"}));

    // "Delete" with no current cell, or on an empty row, asks nothing.
    ScriptedDialogs dialogs;
    e.gTable->pageTable()->setCurrentCell(-1, -1);
    e.g.slot_delete();
    e.gTable->pageTable()->setCurrentCell(10, 0);
    e.g.slot_delete();
    QVERIFY(dialogs.calls.isEmpty());
    e.gTable->pageTable()->setCurrentCell(0, 0);
    dialogs.answers << QMessageBox::No;
    e.g.slot_delete();
    QCOMPARE(dialogs.calls.size(), 1);
    QCOMPARE(dialogs.calls[0].title, QString("Question"));
    QCOMPARE(dialogs.calls[0].text, QString("Do you want to delete current graph in Analyst?"));
    QCOMPARE(e.g.getGraphs().size(), 3);
}

void TestAnalystWidget::clearing()
{
    Explorer e({"SIZE", "DEGREES:node"});
    e.board.graph.loadorv("2 1", true);
    e.g.addGraph("4 111111");
    const QStringList filterNames = e.gFilter.getVariables();
    QSignalSpy loaded(&e.g, &AnalystWidget::signal_data_loaded);
    QSignalSpy cleared(&e.g, &AnalystWidget::signal_aw_cleared);
    e.g.slot_clear_only();
    QCOMPARE(e.g.getGraphs().size(), 0);
    QCOMPARE(e.gTable->nbRows(), 0);
    // With nothing stored, the columns follow the interactive graph.
    QCOMPARE(e.gTable->getHeader(), QStringList({"SIZE", "DEGREES[1]", "DEGREES[2]"}));
    QCOMPARE(e.gFilter.getVariables(), filterNames);
    QCOMPARE(loaded.size() + cleared.size(), 0);
    e.g.addGraph("4 111111");
    loaded.clear();
    QList<QString> order;
    connect(&e.g, &AnalystWidget::signal_aw_cleared, this, [&order] { order << "cleared"; });
    connect(&e.g, &AnalystWidget::signal_data_loaded, this, [&order] { order << "loaded"; });
    e.g.slot_clear();
    QCOMPARE(order, QList<QString>({"cleared", "loaded"}));
    QCOMPARE(e.gTable->nbRows(), 0);
}

void TestAnalystWidget::addGraphConsole()
{
    Explorer e({"SIZE"});
    e.gFilter.rejectAllBox()->setChecked(true);
    for (int i = 0; i < 4; ++i)
        e.g.addGraph("2 1");
    QSignalSpy console(&e.g, &AnalystWidget::signal_console);
    e.g.addGraph("2 0");
    QCOMPARE(console.size(), 1);
    QCOMPARE(console[0].at(0).toString(), QString("5 graphs in analyst"));
    QCOMPARE(console[0].at(1).toBool(), false);
    QCOMPARE(console[0].at(2).toInt(), 3);
    QCOMPARE(console[0].at(3).value<QColor>(), QColor(Qt::black));
    QCOMPARE(e.gTable->nbRows(), 0);
}

void TestAnalystWidget::loadDialogs()
{
    Explorer e({"SIZE"});
    e.g.setWD("/tmp/start");
    {
        // Cancelled: no change, no signal, no line.
        ScriptedDialogs dialogs;
        QSignalSpy loaded(&e.g, &AnalystWidget::signal_data_loaded);
        QSignalSpy console(&e.v, &AnalystWidget::signal_console);
        e.g.slot_load_data();
        QCOMPARE(dialogs.kinds(), QStringList({"open"}));
        QCOMPARE(dialogs.calls[0].title, QString("Choose data file to load"));
        QCOMPARE(dialogs.calls[0].text, QString("*.g6"));
        QCOMPARE(dialogs.calls[0].dir, QString("/tmp/start"));
        QVERIFY(!e.loader.isRunning());
        QCoreApplication::processEvents();
        QCOMPARE(loaded.size() + console.size(), 0);
    }
    {
        // Unreadable: a warning and a red console line that say which file.
        ScriptedDialogs dialogs;
        QSignalSpy console(&e.g, &AnalystWidget::signal_console);
        e.g.slot_set_type_orv();
        dialogs.fileNames << "/no/such/list.dorv3";
        e.g.slot_load_data();
        QCOMPARE(dialogs.kinds(), QStringList({"open", "warning"}));
        QCOMPARE(dialogs.calls[0].text, QString("*.dorv3"));
        QVERIFY(dialogs.calls[1].text.contains("/no/such/list.dorv3"));
        QCOMPARE(console.size(), 1);
        QCOMPARE(console[0][0].toString(), dialogs.calls[1].text);
        QCOMPARE(console[0][3].value<QColor>(), QColor(Qt::red));
        QVERIFY(!e.loader.isRunning());
    }
    QCOMPARE(e.g.getGraphs().size(), 0);
}

void TestAnalystWidget::optimiserInbox()
{
    QTemporaryDir dir;
    Explorer e({"SIZE"});
    e.loader.clear();
    e.loader.addGraph("3 111");
    e.loader.addGraph("2 0");
    // A file load meanwhile leaves the run's results waiting.
    QVERIFY(e.load(writeTempFile(dir, "one.g6", "A_\n"), "g6"));
    QCOMPARE(e.g.getGraphs(), QStringList({"2 1"}));
    QCOMPARE(e.loader.size(), 2);
    e.g.slot_data_loaded();
    e.v.slot_data_loaded();
    QCOMPARE(e.g.getGraphs(), QStringList({"2 1", "3 111", "2 0"}));
    QCOMPARE(e.vTable->nbRows(), 2 + 3 + 2);
    QCOMPARE(e.loader.size(), 2);
}

void TestAnalystWidget::connectedFilter_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("rows");
    QTest::newRow("4 vertices") << 4 << 38;
    QTest::newRow("5 vertices") << 5 << 728;
}

void TestAnalystWidget::connectedFilter()
{
    QFETCH(int, n);
    QFETCH(int, rows);
    QTemporaryDir dir;
    Explorer e({"SIZE", "CONNECTED"});
    QVERIFY(e.load(writeTempFile(dir, "all.g6", allLabelled(n)), "g6"));
    QCOMPARE(e.gTable->nbRows(), rows);
    QCOMPARE(e.vTable->nbRows(), rows * n);
    // The rows are exactly the connected labelled graphs, in file order.
    QStringList connected;
    for (quint64 m = 0; m < (quint64(1) << (n * (n - 1) / 2)); ++m)
        if (LabelledGraphs::connected(n, m))
            connected << LabelledGraphs::graphText(n, m);
    QCOMPARE(e.g.getGraphs(), connected);
    QCOMPARE(e.gTable->minimum(0), double(n - 1));
}

void TestAnalystWidget::sizeAtMostThree()
{
    QTemporaryDir dir;
    Explorer e({"SIZE"});
    Calculus *size = e.board.problem.calculationList()[0];
    invConstant *three = static_cast<invConstant *>(BuildCalculus().makeConstant(true));
    three->loadData(1, 1, {3});
    e.board.problem.addOperatorItem(three);
    Calculus *le = e.board.add("<=", false);
    e.board.problem.link1(size, le);
    e.board.problem.link2(three, le);
    e.board.problem.compute(true);
    QVERIFY(e.load(writeTempFile(dir, "five.g6", allLabelled(5)), "g6"));
    // 1 + 10 + 45 + 120 labelled graphs with at most three of the ten pairs.
    QCOMPARE(e.gTable->nbRows(), 176);
    QCOMPARE(e.gTable->maximum(0), 3.0);
    // Filter mode off: every graph gets its row, at the next rebuild.
    e.g.slot_set_filter_mode(false);
    e.g.slot_update_table();
    QCOMPARE(e.gTable->nbRows(), 176);
    QCOMPARE(e.g.evaluations(), 0);
    QVERIFY(!e.loader.getFilter());
    QVERIFY(e.load(writeTempFile(dir, "five.g6", allLabelled(5)), "g6"));
    QCOMPARE(e.gTable->nbRows(), 176 + 1024);
}

void TestAnalystWidget::rebuildDuringLoad()
{
    // The panels evaluate on their own copy of the board while the loader thread evaluates on
    // its own: neither waits for the other, and both results are whole.
    QTemporaryDir dir;
    QByteArray file;
    for (int r = 0; r < 20; ++r)
        file += allLabelled(4);
    Explorer e({"WIENER", "ENERGY", "DEGREES:node"});
    ScriptedDialogs dialogs;
    dialogs.fileNames << writeTempFile(dir, "many.g6", file);
    e.g.slot_load_data();
    int added = 0;
    while ((e.loader.isRunning() && added < 50) || added == 0) {
        e.g.addGraph("4 111111");
        ++added;
    }
    QTRY_COMPARE_WITH_TIMEOUT(e.g.getGraphs().size(), added + 20 * 64, 60000);
    QCOMPARE(e.gTable->nbRows(), added + 20 * 64);
    // K4 first, as added meanwhile: Wiener index 6, energy 3 + 1 + 1 + 1, degrees 3.
    const QVector<double> k4({6, 6, 3, 3, 3, 3});
    for (int r = 0; r < added; ++r) {
        const QVector<double> line = e.gTable->getLine(r);
        QCOMPARE(line.size(), k4.size());
        for (int k = 0; k < k4.size(); ++k)
            QCOMPARE(line[k], k4[k]); // to the last bits: the energy is a sum of eigenvalues
    }
    // Then the loaded graphs, each with the degrees of its mask.
    for (int r = added; r < e.gTable->nbRows(); ++r) {
        const quint64 m = quint64((r - added) % 64);
        for (int vtx = 0; vtx < 4; ++vtx)
            QCOMPARE(e.gTable->value(r, 2 + vtx), double(LabelledGraphs::degree(4, m, vtx)));
    }
}

QTEST_MAIN(TestAnalystWidget)
#include "tst_analystwidget.moc"
