#include "ScriptedDialogs.h"
#include "app/ProgressBar.h"
#include "conjectures/ColumnChoice.h"
#include "conjectures/ConjectureSettings.h"
#include "conjectures/ConjectureWidget.h"
#include "conjectures/ConjecturesDisplay.h"
#include "conjectures/SimpleDisplay.h"
#include "Await.h"
#include "BoundReader.h"
#include "ConjectureEngineProbe.h"
#include "ExplorerBoard.h"
#include "LabelledGraphs.h"
#include "conjectures/Conjecture.h"
#include "explorer/Analyst.h"
#include "explorer/AnalystWidget.h"
#include "explorer/DataLoader.h"
#include "explorer/FilterWidget.h"

#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QtTest>
#include <cmath>
#include <memory>
#include <numeric>
#include <random>

using Rows = QVector<QVector<double>>;
using Weights = QVector<double>;

namespace {

// The five points of the bound-text examples, each from its own graph; their hull is the
// rectangle [1, 3] x [0, 1] with (2, 0) on its lower side.
const Rows fiveRows = {{1, 0}, {1, 1}, {2, 0}, {3, 0}, {3, 1}};
const QStringList fourBounds = {"1 y >= 0", "1 x <= 3", "1 x >= 1", "1 y <= 1"};

// One explorer stack as the shell builds it.
struct Stack {
    Analyst table;
    ConjectureSettings settings;
    ConjecturesDisplay display;
    std::unique_ptr<ConjectureWidget> panel;

    Stack(const QStringList &names, const Rows &rows, int limitMs = 1000)
    {
        table.setHeader(names);
        for (int r = 0; r < rows.size(); ++r)
            table.push_back(rows[r], r);
        table.buildTable();
        settings.setVariables(names);
        panel.reset(new ConjectureWidget(&table, &settings, &display));
        panel->setTimeLimit(limitMs);
    }
    QPushButton *button(const QString &caption) const
    {
        for (QPushButton *b : panel->findChildren<QPushButton *>())
            if (b->text() == caption)
                return b;
        return nullptr;
    }
    void click(const QString &caption) { QTest::mouseClick(button(caption), Qt::LeftButton); }
    bool idle() const
    {
        return !panel->isSearching() && button("Search")->isEnabled() && !button("Cancel")->isEnabled();
    }
    QStringList listed() const { return panel->getConjectures().split('\n', Qt::SkipEmptyParts); }
    // A search on one engine, with records reported to the panel as an engine reports them.
    bool searchReporting(const QVector<Conjecture *> &records)
    {
        panel->findChild<QSpinBox *>()->setValue(1);
        click("Search");
        bool reported = panel->isSearching();
        for (Conjecture *c : records)
            reported = reported && QMetaObject::invokeMethod(panel.get(), "slot_add_conjecture",
                                                             Qt::DirectConnection, Q_ARG(Conjecture *, c));
        return reported;
    }
};

// The display's entries: text, touching count and the graphs a click steps through.
QVector<ListedEntry> entries(const Stack &s)
{
    QVector<ListedEntry> listed;
    for (int i = 0; i < s.display.nbRows(); ++i) {
        const SimpleDisplay *row = s.display.row(i);
        listed.append({row->getFormula(), row->getTouching(), row->getGraphs()});
    }
    return listed;
}

QSet<QString> setOf(const QStringList &list)
{
    return QSet<QString>(list.begin(), list.end());
}

// A search here lists its first texts and ends within a few seconds, also under the
// sanitizers: its waits are some seconds long, so that one whose engines list nothing fails in
// every function that waits, each with its own message, within the test's time (Await.h).

// The engines' texts on the console so far, without their statistics, in order.
QStringList reported(const QSignalSpy &console)
{
    QStringList texts;
    for (const QList<QVariant> &args : console)
        if (args.at(2).toInt() == 1)
            texts << args.at(0).toString().section(" [", 0, 0);
    return texts;
}

// The panel's own lines: the column choice and the end of the search.
QStringList said(const QSignalSpy &console)
{
    QStringList lines;
    for (const QList<QVariant> &args : console)
        if (args.at(2).toInt() == 0)
            lines << args.at(0).toString();
    return lines;
}

// Every console line so far, for the message of a wait that failed.
QString seen(const QSignalSpy &console)
{
    QStringList lines;
    for (const QList<QVariant> &args : console)
        lines << args.at(0).toString();
    return lines.join(" | ");
}

ProgressBar *progressWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *p = qobject_cast<ProgressBar *>(w))
            if (p->name() == "Searching Conjectures...")
                return p;
    return nullptr;
}

// connected7.txt (tests/conjectures/gen_connected7.py): every connected graph on 7 vertices
// in graph6 with its values from networkx and numpy.
struct Connected7 {
    QStringList names;
    QStringList graphs;
    Rows rows;

    bool read()
    {
        QFile f(QFINDTESTDATA("connected7.txt"));
        if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
            return false;
        names = QString::fromLatin1(f.readLine()).trimmed().split('\t').mid(1);
        while (!f.atEnd()) {
            const QStringList fields = QString::fromLatin1(f.readLine()).trimmed().split('\t');
            if (fields.size() != names.size() + 1)
                return false;
            graphs << fields[0];
            QVector<double> row;
            for (int c = 1; c < fields.size(); ++c)
                row << fields[c].toDouble();
            rows << row;
        }
        return true;
    }
    QVector<double> values(int r, const QStringList &columns) const
    {
        QVector<double> v;
        for (const QString &c : columns)
            v << rows[r][names.indexOf(c)];
        return v;
    }
};

}  // namespace

// A = B on the 31 rows where A has a value; 3 B + Y is at most 30 there and 57 on the 3 rows
// without A.
Rows gapRows()
{
    Rows rows;
    for (int k = 0; k < 31; ++k) {
        const double b = 1 + k % 10;
        rows << QVector<double>{b, b, 30 - 3 * b - 2 * (k / 10)};
    }
    for (int k = 0; k < 3; ++k)
        rows << QVector<double>{1e12, 10, 27};
    return rows;
}

class TestConjectureWidget : public QObject
{
    Q_OBJECT

private slots:
    void jobs_data();
    void jobs();
    void engines_data();
    void engines();
    void refused_data();
    void refused();
    void fiveRowTable();
    void interrupted_data();
    void interrupted();
    void destroyedMidSearch();
    void windowsToggle();
    void listedBoundsHold_data();
    void listedBoundsHold();
    void oneEntryPerBound();
    void tiltedCopiesListedOnce();
    void plantedCopies_data();
    void plantedCopies();
    void rowsWithoutValue();
    void columnChoiceIgnoresOrder();
    void fewerGapsLeaveLater();
    void columnChoiceInThirtySteps();
    void connectedGraphsOnSeven_data();
    void connectedGraphsOnSeven();
};

void TestConjectureWidget::jobs_data()
{
    QTest::addColumn<QVector<int>>("choices");
    QTest::addColumn<QVector<Weights>>("expected");
    QTest::newRow("both, upper, both")
        << QVector<int>{0, 1, 0}
        << QVector<Weights>{{-1, 1, -1}, {1, 1, -1}, {-1, 1, 1}, {1, 1, 1}};
    QTest::newRow("both, both") << QVector<int>{0, 0}
                                << QVector<Weights>{{-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
    QTest::newRow("upper, lower, upper") << QVector<int>{1, -1, 1} << QVector<Weights>{{1, -1, 1}};
}

void TestConjectureWidget::jobs()
{
    QFETCH(QVector<int>, choices);
    QFETCH(QVector<Weights>, expected);
    for (int j = 0; j < expected.size(); ++j)
        QCOMPARE(ConjectureWidget::jobWeights(choices, j), expected[j]);
}

void TestConjectureWidget::engines_data()
{
    QTest::addColumn<int>("threads");
    QTest::addColumn<int>("upperColumns");  // leading columns set to "Upper"
    QTest::addColumn<int>("engines");
    QTest::addColumn<bool>("stale");  // settings made for other columns: every column on "Both"
    QTest::newRow("four threads, four jobs") << 4 << 0 << 4 << false;
    QTest::newRow("one thread runs all jobs") << 1 << 0 << 1 << false;
    QTest::newRow("one job, one engine") << 4 << 2 << 1 << false;
    QTest::newRow("stale settings") << 4 << 0 << 4 << true;
}

// Engines started, bars shown, every engine run, and only the rectangle's sides listed, each
// once. The first jobs run until every engine has reported a side (a loaded machine may give a
// job of limited time no time at all); the jobs after them get half a second.
void TestConjectureWidget::engines()
{
    QFETCH(int, threads);
    QFETCH(int, upperColumns);
    QFETCH(int, engines);
    QFETCH(bool, stale);
    const int day = 24 * 3600 * 1000;
    Stack s({"x", "y"}, fiveRows, day);
    if (stale)
        s.settings.setVariables({"z"});
    s.panel->findChild<QSpinBox *>()->setValue(threads);
    const QList<QRadioButton *> radios = s.settings.findChildren<QRadioButton *>();
    for (int c = 0; c < upperColumns; ++c)
        radios[3 * c + 2]->click();
    QSignalSpy console(s.panel.get(), &ConjectureWidget::signal_console);
    s.click("Search");
    QCOMPARE(s.panel->nbEngines(), engines);
    QVERIFY(!s.button("Search")->isEnabled());
    QVERIFY(progressWindow() != nullptr);
    QCOMPARE(progressWindow()->nbBars(), engines);
    QVERIFY(progressWindow()->isVisible());
    auto reporting = [&console] {
        QSet<QString> ids;
        for (const QList<QVariant> &args : console)
            if (args.at(2).toInt() == 1)
                ids << args.at(0).toString().section('<', -1);
        return ids.size();
    };
    ORV_AWAIT(reporting() == engines, 15000, seen(console));
    s.panel->setTimeLimit(500);
    ORV_AWAIT(s.idle(), 20000, seen(console));
    QVERIFY(!progressWindow()->isVisible());
    // Each engine reported its job's limit on its own bar.
    for (int e = 0; e < engines; ++e) {
        const int limit = progressWindow()->bar(e)->maximum();
        QVERIFY2(limit == 500 || limit == day, qPrintable(QString::number(limit)));
    }
    // The columns and rows searched, the engines' lines, then the end of the search with the
    // count of relations listed.
    QCOMPARE(console.takeFirst().at(0).toString(),
             QString("The conjecture search uses all 5 rows and the columns x, y."));
    const QList<QVariant> end = console.takeLast();
    const int jobs = upperColumns == 0 ? 4 : 1;
    const QStringList listed = s.listed();
    QVERIFY(!listed.isEmpty());
    QCOMPARE(end.at(0).toString(), QString("Conjecture search done: %1 of 0.5 s each: %2 relation%3 found.")
                                       .arg(jobs == 1 ? "1 job" : "4 jobs")
                                       .arg(listed.size())
                                       .arg(listed.size() == 1 ? "" : "s"));
    QCOMPARE(end.at(2).toInt(), 0);
    for (const QList<QVariant> &args : console) {
        QCOMPARE(args.at(2).toInt(), 1);
        QCOMPARE(args.at(3).value<QColor>(), QColor(Qt::blue));
        bool ok = false;
        const int id = args.at(0).toString().section('<', -1).chopped(1).toInt(&ok);
        QVERIFY2(ok && id >= 0 && id < engines, qPrintable(args.at(0).toString()));
    }
    QCOMPARE(setOf(listed).size(), listed.size());
    for (const QString &f : listed)
        QVERIFY2(fourBounds.contains(f), qPrintable(f));
}

void TestConjectureWidget::refused_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("lines");  // on the console, the last one red
    const QString few = "Not enough variables for conjectures. Be sure to select variables from the White Board.";
    QTest::newRow("one column") << 1 << few << QStringList{"Conjecture search refused. " + few};
    // 15 columns, c13 and c14 with one value: 13 searched, all on "Both".
    const QString many = "Too many jobs for a conjecture search: 13 columns on \"Both\" give 2^13 jobs, and at most "
                         "4096 are allowed. In \"Settings\", set some columns to \"Lower\" or \"Upper\" (at most "
                         "12 columns on \"Both\").";
    QTest::newRow("13 columns on both")
        << 15 << many
        << QStringList{"c13 is 7 on every row: it takes no part in the conjecture search.",
                       "c14 is 7 on every row: it takes no part in the conjecture search.",
                       "Conjecture search refused. " + many};
}

// A refused search says why in a box and on the console, and says nothing of a search to come.
void TestConjectureWidget::refused()
{
    QFETCH(int, columns);
    QFETCH(QString, message);
    QFETCH(QStringList, lines);
    QStringList names;
    Rows rows(6);
    for (int c = 0; c < columns; ++c) {
        names << "c" + QString::number(c);
        for (int r = 0; r < rows.size(); ++r)
            rows[r] << (c < 13 ? (r * (c + 2)) % 7 + r : 7);
    }
    Stack s(names, rows);
    ScriptedDialogs dialogs;
    QSignalSpy console(s.panel.get(), &ConjectureWidget::signal_console);
    s.click("Search");
    QCOMPARE(dialogs.kinds(), QStringList{"warning"});
    QCOMPARE(dialogs.calls[0].title, QString("Conjecture engine"));
    QCOMPARE(dialogs.calls[0].text, message);
    QCOMPARE(said(console), lines);
    QCOMPARE(console.last().at(3).value<QColor>(), QColor(Qt::red));
    QVERIFY(s.idle());
    QCOMPARE(s.panel->nbEngines(), 0);
}

// Both columns on "Both": four jobs each find the rectangle's sides; each is listed once,
// the side with three graphs on it first, and a click opens its graphs through the table.
void TestConjectureWidget::fiveRowTable()
{
    // Jobs that only Cancel ends, once every side has been reported and some by more than one
    // job: a loaded machine may give a job of limited time no time at all.
    Stack s({"x", "y"}, fiveRows, 24 * 3600 * 1000);
    QSignalSpy opened(&s.table, &Analyst::signal_load_graph);
    QSignalSpy console(s.panel.get(), &ConjectureWidget::signal_console);
    s.click("Search");
    ORV_AWAIT(reported(console).size() > 4 && setOf(reported(console)).contains(setOf(fourBounds)), 15000,
              seen(console));
    s.click("Cancel");
    ORV_AWAIT(s.idle(), 15000, seen(console));
    const QStringList listed = s.listed();
    QCOMPARE(listed.size(), 4);
    QCOMPARE(listed[0], QString("1 y >= 0"));
    QCOMPARE(listed[1], QString("1 y <= 1"));
    QCOMPARE(setOf(listed), setOf(fourBounds));
    QVERIFY(reported(console).size() > 4);  // the same sides were reported by several jobs
    QVERIFY(!s.display.isVisible());

    auto *first = s.display.findChild<SimpleDisplay *>();
    QCOMPARE(first->getFormula(), QString("1 y >= 0"));
    QTest::mouseClick(first->findChild<QPushButton *>(), Qt::LeftButton);
    QCOMPARE(opened.size(), 1);
    // (1, 0), (2, 0) and (3, 0) are graphs 0, 2 and 3.
    const int graph = opened[0][0].toInt();
    QVERIFY(graph == 0 || graph == 2 || graph == 3);
}

void TestConjectureWidget::interrupted_data()
{
    QTest::addColumn<bool>("clearDatabase");
    QTest::newRow("cancel") << false;
    QTest::newRow("clear database") << true;
}

// Stopped once a relation is in: Cancel lists what was found, "Clear database" drops it.
void TestConjectureWidget::interrupted()
{
    QFETCH(bool, clearDatabase);
    Stack s({"x", "y"}, fiveRows, 120000);
    s.panel->findChild<QSpinBox *>()->setValue(2);
    QSignalSpy console(s.panel.get(), &ConjectureWidget::signal_console);
    s.click("Search");
    ORV_AWAIT(!reported(console).isEmpty(), 15000, seen(console));
    if (clearDatabase)
        s.panel->slot_clear_database();
    else
        s.click("Cancel");
    ORV_AWAIT(s.idle(), 15000, seen(console));
    const QStringList listed = s.listed();
    QCOMPARE(console.last().at(0).toString(),
             QString("Conjecture search cancelled (2 of 4 jobs started): %1 relation%2 found.")
                 .arg(listed.size())
                 .arg(listed.size() == 1 ? "" : "s"));
    if (clearDatabase) {
        QVERIFY(listed.isEmpty());
        QCOMPARE(s.display.nbRows(), 0);
    } else {
        QVERIFY(!listed.isEmpty());
        for (const QString &f : listed)
            QVERIFY2(fourBounds.contains(f), qPrintable(f));
        QCOMPARE(setOf(listed).size(), listed.size());
    }
}

// Deleting the panel (the application's exit) stops and waits for its engines.
void TestConjectureWidget::destroyedMidSearch()
{
    // A day's limit: a deletion that waited for it would never end.
    Stack s({"x", "y"}, fiveRows, 24 * 3600 * 1000);
    QSignalSpy console(s.panel.get(), &ConjectureWidget::signal_console);
    s.click("Search");
    ORV_AWAIT(!reported(console).isEmpty(), 15000, seen(console));
    s.panel.reset();
    QCoreApplication::processEvents();
}

void TestConjectureWidget::windowsToggle()
{
    Stack s({"x", "y"}, fiveRows);
    for (const QString caption : {"Settings", "Conjectures"}) {
        QWidget *window = caption == "Settings" ? static_cast<QWidget *>(&s.settings) : &s.display;
        QVERIFY(window->isHidden());
        s.click(caption);
        QVERIFY(window->isVisible());
        s.click(caption);
        QVERIFY(window->isHidden());
    }
}

void TestConjectureWidget::listedBoundsHold_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<QStringList>("notes");  // the console's lines on the columns and rows searched
    QTest::addColumn<QStringList>("expected");  // the listed texts, when known
    QTest::addColumn<QStringList>("awaited");  // texts listed among others

    Rows withConstant = fiveRows;
    for (auto &row : withConstant)
        row << 7;
    QTest::newRow("a constant column") << QStringList{"x", "y", "c"} << withConstant
                                       << QStringList{"c is 7 on every row: it takes no part in the conjecture search.",
                                                      "The conjecture search uses all 5 rows and the columns x, y."}
                                       << fourBounds << QStringList{};

    // A facet y <= x + 1e-7 z whose short form, y <= x, is false by 1e-4 on the third row.
    Rows flat{{0, 0, 0}, {1, 1, 0}, {0, 1e-4, 1000}};
    for (int k = 0; k < 21; ++k)
        flat << QVector<double>{double(k % 5 + 1), double(k % 5 + 1) - 0.5 - k % 3, 50.0 * k};
    QTest::newRow("short forms false") << QStringList{"x", "y", "z"} << flat
                                       << QStringList{"The conjecture search uses all 24 rows and the columns x, y, z."}
                                       << QStringList{} << QStringList{};

    // The graph values of the labelled graphs on 3 vertices and of 24 on 4, with the degree of
    // each vertex; a 3-vertex graph's fourth degree is padded with 1e12, as the explorer does.
    Rows mixed;
    for (int n : {3, 4}) {
        const int pairs = n * (n - 1) / 2;
        for (int mask = 0; mask < (1 << pairs) && mask < 24; ++mask) {
            QVector<double> degree(4, 0.0);
            int bit = 0, size = 0;
            for (int i = 1; i < n; ++i)
                for (int j = 0; j < i; ++j, ++bit)
                    if (mask >> bit & 1) {
                        ++degree[i];
                        ++degree[j];
                        ++size;
                    }
            if (n == 3)
                degree[3] = 1e12;
            mixed << (QVector<double>{double(n), double(size)} + degree);
        }
    }
    // Without the 3-vertex rows ORDER is 4 on every row searched: kept, "1 ORDER <= 4" would touch
    // every graph searched and so stand for the identity 2 SIZE = d1 + d2 + d3 + d4.
    QTest::newRow("mixed vertex counts")
        << QStringList{"ORDER", "SIZE", "d1", "d2", "d3", "d4"} << mixed
        << QStringList{"ORDER is 4 on every row searched (24 of 32 rows): it takes no part in the conjecture "
                       "search.",
                       "d4 is infinite or has no value (1e12) on 8 of 32 rows: these rows take no part in the "
                       "conjecture search.",
                       "The conjecture search uses 24 of 32 rows and the columns SIZE, d1, d2, d3, d4."}
        << QStringList{} << QStringList{};

    // The face through the tops is listed with A, which keeps it to A's rows: turned into B
    // alone, its text would be read on the rows without A too.
    QTest::newRow("a column with gaps in an identity")
        << QStringList{"A", "B", "Y"} << gapRows()
        << QStringList{"A is infinite or has no value (1e12) on 3 of 34 rows: these rows take no part in the "
                       "conjecture search.",
                       "The conjecture search uses 31 of 34 rows and the columns A, B, Y."}
        << QStringList{} << QStringList{"3 A+1 Y <= 30"};
}

// Every listed text, read back, holds on every row with values in its columns, is tight on a
// row searched and is listed once; columns with one value take no part, rows without a value
// take no part in the search, and the console names them once.
void TestConjectureWidget::listedBoundsHold()
{
    QFETCH(QStringList, names);
    QFETCH(Rows, rows);
    QFETCH(QStringList, notes);
    QFETCH(QStringList, expected);
    QFETCH(QStringList, awaited);

    // Jobs that only Cancel ends, once the expected texts (or some text) have been reported: a
    // loaded machine may give a job of limited time no time at all.
    Stack s(names, rows, 24 * 3600 * 1000);
    QSignalSpy console(s.panel.get(), &ConjectureWidget::signal_console);
    s.click("Search");
    ORV_AWAIT(setOf(reported(console)).contains(setOf(expected + awaited)) && !reported(console).isEmpty(), 15000,
              seen(console));
    s.click("Cancel");
    ORV_AWAIT(s.idle(), 15000, seen(console));
    const QStringList listed = s.listed();
    QVERIFY(!listed.isEmpty());
    QCOMPARE(setOf(listed).size(), listed.size());
    if (!expected.isEmpty())
        QCOMPARE(setOf(listed), setOf(expected));
    QVERIFY2(setOf(listed).contains(setOf(awaited)), qPrintable(listed.join(" | ")));
    for (const QString &f : listed) {
        const ReadBound b = readBound(f, names);
        QVERIFY2(b.ok, qPrintable(f));
        bool tightSearched = false;
        for (const QVector<double> &row : rows) {
            // A row without a value in a column of the text is not one the text speaks of.
            bool real = true;
            for (const QString &c : b.columns)
                real = real && row[names.indexOf(c)] != 1e12;
            if (!real)
                continue;
            QVERIFY2(excess(b, row) <= 1e-6, qPrintable(QString("%1 fails by %2").arg(f).arg(excess(b, row))));
            tightSearched = tightSearched || (!row.contains(1e12) && std::fabs(excess(b, row)) <= 1e-6);
        }
        QVERIFY2(tightSearched, qPrintable(f + " is tight on no row searched"));
    }

    const QStringList lines = said(console);
    QCOMPARE(lines.mid(0, notes.size()), notes);
    QCOMPARE(lines.size(), notes.size() + 1);
    const QString found = QString(": %1 relation%2 found.").arg(listed.size()).arg(listed.size() == 1 ? "" : "s");
    QVERIFY2(lines.last().endsWith(found), qPrintable(lines.last()));
}

// Copies of one bound as jobs report them, without the rows that would tell them apart: the same
// text with error sums in the thousands apart by more than 1e-6 is one entry, with the strongest
// copy's statistics; a copy tilted so that a graph fewer touches it is another relation.
void TestConjectureWidget::oneEntryPerBound()
{
    Stack s({"x", "y"}, fiveRows, 500);
    const double r = 1 / std::sqrt(2.0);
    const QVector<int> support{0, 1, 2};
    Conjecture tilted("1 x+40.0000001 <= 1.00000003 y", {r + 2.4e-8, -r}, -40 * r, 492, 1593.00001, support);
    Conjecture found("1 x+40 <= 1 y", {r, -r}, -40 * r, 493, 1593.00002, support);
    Conjecture again("1 x+40 <= 1 y", {r, -r - 1e-8}, -40 * r - 1e-8, 493, 1593.0001, support);
    QVERIFY(s.searchReporting({&tilted, &found, &again}));
    ORV_AWAIT(s.idle(), 15000, QString("%1 engines left").arg(s.panel->nbEngines()));
    const QStringList listed = s.listed();
    QCOMPARE(listed.count("1 x+40 <= 1 y"), 1);
    QCOMPARE(listed.count(tilted.getFormula()), 1);
    // Besides them, the sides of the rectangle that the engine found in its time, each once.
    QCOMPARE(setOf(listed).size(), listed.size());
    for (const QString &f : listed)
        QVERIFY2(f == "1 x+40 <= 1 y" || f == tilted.getFormula() || fourBounds.contains(f), qPrintable(f));
    // Listed first: more graphs touch it than any side of the rectangle.
    auto *row = s.display.findChild<SimpleDisplay *>();
    QCOMPARE(row->getFormula(), QString("1 x+40 <= 1 y"));
    QStringList labels;
    for (QLabel *l : row->findChildren<QLabel *>())
        labels << l->text();
    QVERIFY2(labels.contains("1593\t493"), qPrintable(labels.join(" | ")));
}

// Copies of one face written with other rounded coefficients: two that touch the same graphs
// (listed in another order) are one entry, the copy touching more graphs, then the one with fewer
// terms. Two within 1e-4 once normalised that touch other graphs, without rows to say they are
// one relation, are two.
void TestConjectureWidget::tiltedCopiesListedOnce()
{
    Stack s({"x", "y"}, fiveRows, 500);
    const double r = 1 / std::sqrt(2.0);
    Conjecture tiltedA("4.49299 x <= 1 y+40", {4.49299 * r, -r}, 40 * r, 7, 12.0, {0, 1, 2, 3, 4, 5, 6});
    Conjecture tiltedB("4.50579 x <= 1 y+40.0128", {4.50579 * r, -r}, 40.0128 * r, 7, 11.0, {6, 5, 4, 3, 2, 1, 0});
    Conjecture fewer("1 x <= 2 y", {r, -2 * r}, 0.0, 8, 5.0, {10, 11, 12, 13, 14, 15, 16, 17});
    Conjecture nearer("1 x+2e-05 <= 2.00002 y", {r, -2.00002 * r}, -2e-5 * r, 8, 5.0, {20, 21, 22, 23, 24, 25, 26, 27});
    QVERIFY(s.searchReporting({&tiltedA, &tiltedB, &nearer, &fewer}));
    ORV_AWAIT(s.idle(), 15000, QString("%1 engines left").arg(s.panel->nbEngines()));
    const QStringList listed = s.listed();
    // Listed first: more graphs touch them than any side of the rectangle. Then the sides that
    // the engine found in its time, each once.
    QCOMPARE(listed.mid(0, 3), (QStringList{"1 x+2e-05 <= 2.00002 y", "1 x <= 2 y", "4.49299 x <= 1 y+40"}));
    QCOMPARE(setOf(listed).size(), listed.size());
    for (const QString &f : listed.mid(3))
        QVERIFY2(fourBounds.contains(f), qPrintable(f));
}

// The engine's statement of the bound whose hyperplane has a given normal, as its search would
// make it on finding that hyperplane: on a table's rows as the panel gives them (a cell without a
// value as NaN), every column weighted +1.
class Planter : public ConjectureEngineProbe
{
public:
    Planter(const QStringList &names, const Rows &rows) : ConjectureEngineProbe(0)
    {
        setHeader(names);
        setWeights(Weights(names.size(), 1.0));
        for (int r = 0; r < rows.size(); ++r) {
            QVector<double> row = rows[r];
            for (double &v : row)
                v = ColumnChoice::missing(v) ? std::nan("") : v;
            addPoint(row, r);
        }
        prepare();
    }
    // The record announced, or none.
    std::unique_ptr<Conjecture> plant(Weights normal)
    {
        double length = 0.0;
        for (double v : normal)
            length += v * v;
        for (double &v : normal)
            v /= std::sqrt(length);
        coef = normal;
        const size_t before = records.size();
        store();
        return records.size() > before ? std::make_unique<Conjecture>(*records.back()) : nullptr;
    }
};

// SIZE and the degrees of the labelled graphs on 5 vertices (twice SIZE is the sum of the
// degrees), one row per graph.
Rows handshakeFive()
{
    Rows rows;
    for (int mask = 0; mask < 1024; ++mask) {
        QVector<double> row(6, 0.0);
        int bit = 0;
        for (int i = 1; i < 5; ++i)
            for (int j = 0; j < i; ++j, ++bit)
                if (mask >> bit & 1) {
                    ++row[0];
                    ++row[1 + i];
                    ++row[1 + j];
                }
        rows << row;
    }
    return rows;
}

// ORDER, SIZE, the number of vertices of each degree 1 to 4 and the number of components of the
// labelled graphs on 4 and 5 vertices: twice SIZE is the sum of the degrees, whose columns are
// all 0 on the two edgeless graphs, where ORDER and the components are not.
Rows degreeCounts()
{
    Rows rows;
    for (int n : {4, 5})
        for (quint64 mask = 0; mask < (quint64(1) << (n * (n - 1) / 2)); ++mask) {
            QVector<double> row{double(n), double(LabelledGraphs::edgeCount(n, mask)), 0, 0, 0, 0, 0};
            QVector<int> part(n);
            std::iota(part.begin(), part.end(), 0);
            const auto root = [&part](int v) {
                while (part[v] != v)
                    v = part[v];
                return v;
            };
            for (int v = 0; v < n; ++v) {
                if (const int d = LabelledGraphs::degree(n, mask, v))
                    ++row[1 + d];
                for (int u = 0; u < v; ++u)
                    if (LabelledGraphs::hasEdge(n, mask, u, v))
                        part[root(u)] = root(v);
            }
            for (int v = 0; v < n; ++v)
                row[6] += root(v) == v;
            rows << row;
        }
    return rows;
}

void TestConjectureWidget::plantedCopies_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<QVector<Weights>>("normals");  // each planted by an engine of its own
    QTest::addColumn<QStringList>("stated");  // their texts, in order
    QTest::addColumn<QStringList>("once");  // texts listed once each
    QTest::addColumn<QStringList>("absent");  // texts not listed

    QStringList five{"SIZE"}, nine{"SIZE"};
    for (int i = 1; i <= 5; ++i)
        five << QString("DEGREES[%1]").arg(i);
    for (int i = 1; i <= 9; ++i)
        nine << QString("DEGREES[%1]").arg(i);
    // DEGREES[1] + t (2 SIZE - the degrees), t = 0.7 and 0.37: written as they come, 4.66667 and
    // 2.33333 are not 2 to 1, and the texts would lose graphs.
    const QVector<Weights> turned{{1.4, 0.3, -0.7, -0.7, -0.7, -0.7}, {0.74, 0.63, -0.37, -0.37, -0.37, -0.37}};
    QTest::newRow("turned about the handshake") << five << handshakeFive() << turned
                                                << QStringList{"1 DEGREES[1] <= 4", "1 DEGREES[1] <= 4"}
                                                << QStringList{"1 DEGREES[1] <= 4"} << QStringList{};

    // 24,000 random graphs on 9 vertices: the sums over so many rows round the correlations
    // by more than an absolute test on them allows.
    Rows many;
    std::mt19937 gen(63);
    while (many.size() < 24000) {
        QVector<double> row(10, 0.0);
        const unsigned p = gen() % 1000;
        for (int i = 1; i < 9; ++i)
            for (int j = 0; j < i; ++j)
                if (gen() % 1000 < p) {
                    ++row[0];
                    ++row[1 + i];
                    ++row[1 + j];
                }
        many << row;
    }
    Weights turnedNine{1.4}, againNine{0.74};
    for (int i = 1; i <= 9; ++i) {
        turnedNine << (i == 1 ? 0.3 : -0.7);
        againNine << (i == 1 ? 0.63 : -0.37);
    }
    QTest::newRow("turned about the handshake on 24,000 rows")
        << nine << many << QVector<Weights>{turnedNine, againNine}
        << QStringList{"1 DEGREES[1] <= 8", "1 DEGREES[1] <= 8"} << QStringList{"1 DEGREES[1] <= 8"}
        << QStringList{};

    // Ten more graphs whose vertex 1 has degree 4, with no value of SIZE. Turned by t = 0.5 the
    // bound keeps SIZE: without it its text would be read on those rows, where it has no value.
    // The rows searched say that it is the bound itself, which touches those rows too.
    Rows gaps = handshakeFive();
    for (int r = 0; gaps.size() < 1034; ++r)
        if (gaps[r][1] == 4) {
            gaps << gaps[r];
            gaps.last()[0] = 1e12;
        }
    const QString tilted = "2 SIZE <= 1 DEGREES[2]+1 DEGREES[3]+1 DEGREES[4]+1 DEGREES[5]+4";
    QTest::newRow("turned, written with a column with gaps")
        << five << gaps << QVector<Weights>{{1, 0.5, -0.5, -0.5, -0.5, -0.5}, {0, 1, 0, 0, 0, 0}}
        << QStringList{tilted, "1 DEGREES[1] <= 4"} << QStringList{"1 DEGREES[1] <= 4"} << QStringList{tilted};

    // Found with A's term below what a text writes, the face through the tops would be read
    // without A, on the rows without A too: it is written with A instead.
    QTest::newRow("a least term with gaps") << QStringList{"A", "B", "Y"} << gapRows()
                                            << QVector<Weights>{{1e-7, 3 - 1e-7, 1}} << QStringList{"3 A+1 Y <= 30"}
                                            << QStringList{"3 A+1 Y <= 30"} << QStringList{"3 B+1 Y <= 57"};

    // The same face where A is not B: with no identity to turn about, A's least term is written.
    // (A normal without it has no such form: its text, 3 B+1 Y <= 57, is read on every row.)
    Rows unrelated = gapRows();
    for (int k = 0; k < 31; ++k)
        unrelated[k][0] = k % 3;
    QTest::newRow("a least term with gaps, no identity")
        << QStringList{"A", "B", "Y"} << unrelated << QVector<Weights>{{1e-7, 3, 1}}
        << QStringList{"1e-07 A+3 B+1 Y <= 30.0000002"} << QStringList{"1e-07 A+3 B+1 Y <= 30.0000002"}
        << QStringList{};

    // 1 y <= 0 touches rows 0 and 1, 0.0005 x + y <= 0 rows 1 and 2; W, which neither names,
    // spreads over thousands.
    Rows wide{{-1, 0, 0}, {0, 0, 5000}, {1, -0.0005, 10000}, {0, -1, 2500}, {0.5, -2, 7500}, {-0.5, -3, 100}};
    QTest::newRow("two bounds beside a wide column")
        << QStringList{"x", "y", "W"} << wide << QVector<Weights>{{0, 1, 0}, {0.0005, 1, 0}}
        << QStringList{"1 y <= 0", "0.0005 x+1 y <= 0"} << QStringList{"1 y <= 0", "0.0005 x+1 y <= 0"}
        << QStringList{};

    // C = A + B on every row but three, where C is 1e-6 larger: not an identity, and the bounds on
    // either side of it differ on every row.
    Rows near;
    for (int k = 0; k < 12; ++k) {
        const double a = 30 * (k % 4) + 1, b = 40 * (k % 3) + 2;
        near << QVector<double>{a, b, a + b + (k % 5 == 0 ? 1e-6 : 0.0)};
    }
    QTest::newRow("a near-identity")
        << QStringList{"A", "B", "C"} << near << QVector<Weights>{{-1, -1, 1}, {1, 1, -1}}
        << QStringList{"1 C <= 1 A+1 B+1.00001e-06", "1 A+1 B <= 1 C"}
        << QStringList{"1 C <= 1 A+1 B+1.00001e-06", "1 A+1 B <= 1 C"}
        << QStringList{};

    // 1 SIZE <= 10 turned about the handshake, which holds exactly whatever zeros the rows hold.
    QTest::newRow("turned about an identity with edgeless graphs of two orders")
        << QStringList{"ORDER", "SIZE", "N1", "N2", "N3", "N4", "COMPONENTS"} << degreeCounts()
        << QVector<Weights>{{0, 1.6, -0.3, -0.6, -0.9, -1.2, 0}, {0, 1, 0, 0, 0, 0, 0}}
        << QStringList{"1 SIZE <= 10", "1 SIZE <= 10"} << QStringList{"1 SIZE <= 10"} << QStringList{};

    // The handshake off by 2.4e-8 on the star at vertex 0, whose terms in it are 16: turned by
    // t = 0.5, the bound takes its values on every row within the rows' rule, and touches other
    // graphs once written as it comes. The identity's face, missed on that row, and a copy tilted
    // in the sixth digit are one relation by the rows' rule too.
    Rows offByOne = handshakeFive();
    offByOne[75][0] += 1.2e-8;
    const QString face = "1 DEGREES[1]+1 DEGREES[2]+1 DEGREES[3]+1 DEGREES[4]+1 DEGREES[5] <= 2 SIZE";
    const QString faceCopy =
        "2.00001 SIZE <= 1.00001 DEGREES[1]+1.00001 DEGREES[2]+1.00001 DEGREES[3]+1 DEGREES[4]+1.00001 DEGREES[5]";
    QTest::newRow("turned about an identity at the rule's edge")
        << five << offByOne
        << QVector<Weights>{{0, 1, 0, 0, 0, 0},
                            {1, 0.5, -0.5, -0.5, -0.5, -0.5},
                            {-2, 1, 1, 1, 1, 1},
                            {2.00001, -1.00001, -1.00001, -1.00001, -1, -1.00001}}
        << QStringList{"1 DEGREES[1] <= 4", "1 DEGREES[1] <= 4", face, faceCopy}
        << QStringList{"1 DEGREES[1] <= 4", face} << QStringList{faceCopy};
}

// Copies of a relation as engines state them, reported to the panel during a search: each
// relation is listed once, and two relations the rows tell apart are listed apart.
void TestConjectureWidget::plantedCopies()
{
    QFETCH(QStringList, names);
    QFETCH(Rows, rows);
    QFETCH(QVector<Weights>, normals);
    QFETCH(QStringList, stated);
    QFETCH(QStringList, once);
    QFETCH(QStringList, absent);

    std::vector<std::unique_ptr<Conjecture>> planted;
    for (const Weights &normal : normals) {
        Planter engine(names, rows);
        planted.push_back(engine.plant(normal));
        QVERIFY(planted.back());
        // Found again in the same run, it is nothing new.
        QVERIFY(!engine.plant(normal));
    }
    QStringList texts;
    for (const auto &c : planted)
        texts << c->getFormula();
    QCOMPARE(texts, stated);

    Stack s(names, rows, 500);
    const QList<QRadioButton *> radios = s.settings.findChildren<QRadioButton *>();
    for (int c = 0; c < names.size(); ++c)
        radios[3 * c + 2]->click();  // "Upper": one job
    QVector<Conjecture *> reports;
    for (const auto &c : planted)
        reports << c.get();
    QVERIFY(s.searchReporting(reports));
    ORV_AWAIT(s.idle(), 30000, QString("%1 engines left").arg(s.panel->nbEngines()));
    const QStringList listed = s.listed();
    for (const QString &text : once)
        QVERIFY2(listed.count(text) == 1, qPrintable(text + " in " + listed.join(" | ")));
    for (const QString &text : absent)
        QVERIFY2(!listed.contains(text), qPrintable(text + " in " + listed.join(" | ")));
    // Each listed once with the statistics of the copy touching the most graphs.
    const QVector<ListedEntry> entries_ = entries(s);
    for (const auto &c : planted)
        for (const ListedEntry &e : entries_)
            if (e.text == c->getFormula())
                QVERIFY2(e.touching >= c->getTouching(), qPrintable(e.text));
    if (rows.size() <= 5000) {
        QVector<int> graphs;
        for (int r = 0; r < rows.size(); ++r)
            graphs << r;
        bool exact = false;
        const QString report = checkExactly(QFINDTESTDATA("check_bounds.py"), names, rows, graphs, entries_, exact);
        QVERIFY2(exact, qPrintable(report));
    }
}

// A column infinite or without a value on a few rows (the girth of the trees among connected
// graphs) stays in the search; those rows are left out of it and named on the console, and
// the texts hold exactly on every row with values in their columns.
void TestConjectureWidget::rowsWithoutValue()
{
    const double none = 1e12;
    const Rows rows{{6, none}, {7, 3}, {8, 3}, {9, 4}, {10, 3}, {8, 4}, {7, 5}, {9, 3}, {6, none}, {7, 4}};
    const QStringList names{"SIZE", "GIRTH"};
    // Jobs that only Cancel ends, once GIRTH's lower bound has been reported: a loaded machine
    // may give a job of limited time no time at all.
    Stack s(names, rows, 24 * 3600 * 1000);
    QSignalSpy console(s.panel.get(), &ConjectureWidget::signal_console);
    s.click("Search");
    ORV_AWAIT(reported(console).contains("1 GIRTH >= 3"), 15000, seen(console));
    s.click("Cancel");
    ORV_AWAIT(s.idle(), 15000, seen(console));
    QCOMPARE(said(console).value(0), QString("GIRTH is infinite or has no value (1e12) on 2 of 10 rows: these rows "
                                             "take no part in the conjecture search."));
    const QStringList listed = s.listed();
    QVERIFY2(listed.contains("1 GIRTH >= 3"), qPrintable(listed.join(" | ")));
    QVector<int> graphs;
    for (int r = 0; r < rows.size(); ++r)
        graphs << r;
    bool exact = false;
    const QString report = checkExactly(QFINDTESTDATA("check_bounds.py"), names, rows, graphs, entries(s), exact);
    QVERIFY2(exact, qPrintable(report));
}

// The connected cubic graphs on 4, 6, 8 and 10 vertices (1, 2, 5 and 19 of them) with their
// degrees, the columns in two orders: the same columns leave the search, each note is true of
// the rows it names, and SIZE and ORDER are searched on every graph.
void TestConjectureWidget::columnChoiceIgnoresOrder()
{
    QStringList degrees, notes;
    for (int i = 1; i <= 10; ++i) {
        degrees << QString("DEGREES[%1]").arg(i);
        // DEGREES[9] and [10] have a value on the 19 graphs on 10 vertices, [7] and [8] on 24, [5]
        // and [6] on 26.
        const int valued = i <= 4 ? 27 : i <= 6 ? 26 : i <= 8 ? 24 : 19;
        notes << (i <= 4 ? QString("DEGREES[%1] is 3 on every row: it takes no part in the conjecture search.").arg(i)
                         : QString("DEGREES[%1] is 3 on every row where it has a value (%2 of 27 rows): it takes no "
                                   "part in the conjecture search.")
                               .arg(i)
                               .arg(valued));
    }
    for (const QStringList &names : {QStringList{"ORDER", "SIZE"} + degrees, degrees + QStringList{"SIZE", "ORDER"}}) {
        Rows rows;
        for (const auto &[order, graphs] : {std::pair<int, int>{4, 1}, {6, 2}, {8, 5}, {10, 19}})
            for (int g = 0; g < graphs; ++g) {
                QVector<double> row;
                for (const QString &name : names)
                    row << (name == "ORDER" ? order
                            : name == "SIZE" ? 1.5 * order
                            : degrees.indexOf(name) < order ? 3 : 1e12);
                rows << row;
            }
        Stack s(names, rows, 24 * 3600 * 1000);
        QSignalSpy console(s.panel.get(), &ConjectureWidget::signal_console);
        s.click("Search");
        const QString searched = names.filter(QRegularExpression("^(ORDER|SIZE)$")).join(", ");
        const QString uses = QString("The conjecture search uses all 27 rows and the columns %1.").arg(searched);
        QCOMPARE(said(console), notes + QStringList{uses});
        const QStringList identity{"1 SIZE <= 1.5 ORDER", "1.5 ORDER <= 1 SIZE"};
        ORV_AWAIT(reported(console).contains(identity[0]) || reported(console).contains(identity[1]), 15000,
                  seen(console));
        s.click("Cancel");
        ORV_AWAIT(s.idle(), 15000, seen(console));
        const QVector<ListedEntry> listed = entries(s);
        QVERIFY2(std::any_of(listed.begin(), listed.end(), [&](const ListedEntry &e) {
            return identity.contains(e.text) && e.touching == 27;
        }), qPrintable(s.listed().join(" | ")));
    }
}

// G1 has a value on rows 1 to 4 only, and G2 on rows 1 to 7: both are constant on rows 1 to 4.
// G1, with more gaps, leaves first; rows 5 to 7 come back, on which G2 varies, and G2 is
// searched there.
void TestConjectureWidget::fewerGapsLeaveLater()
{
    const double none = 1e12;
    const QStringList names{"X", "Y", "G1", "G2"};
    Rows rows;
    for (int x = 1; x <= 8; ++x)
        rows << QVector<double>{double(x), double(x * x), x <= 4 ? 5 : none,
                                x <= 4 ? 3 : x <= 7 ? x - 1 : none};
    Stack s(names, rows, 24 * 3600 * 1000);
    QSignalSpy console(s.panel.get(), &ConjectureWidget::signal_console);
    s.click("Search");
    QCOMPARE(said(console), (QStringList{
                       "G1 is 5 on every row where it has a value (4 of 8 rows): it takes no part in the conjecture "
                       "search.",
                       "G2 is infinite or has no value (1e12) on 1 of 8 rows: these rows take no part in the "
                       "conjecture search.",
                       "The conjecture search uses 7 of 8 rows and the columns X, Y, G2."}));
    ORV_AWAIT(reported(console).contains("1 G2 >= 3"), 15000, seen(console));
    s.click("Cancel");
    ORV_AWAIT(s.idle(), 15000, seen(console));
    const QVector<ListedEntry> listed = entries(s);
    QVERIFY2(std::any_of(listed.begin(), listed.end(), [](const ListedEntry &e) {
        return e.text == "1 G2 >= 3" && e.touching == 4;
    }), qPrintable(s.listed().join(" | ")));
}

// Thirty columns that leave one step after another: Ck has no value on the blocks k..29 of two
// rows each and is k + 1 wherever it has one, so it has one value on the rows searched at step
// k, and its leaving brings a block back. Each note names its column's own rows, and the choice
// reads no cell of the table more than twice, however many steps it takes.
void TestConjectureWidget::columnChoiceInThirtySteps()
{
    const int steps = 30, block = 2, whole = 61;
    QStringList names;
    for (int k = 0; k < steps; ++k)
        names << QString("C%1").arg(k);
    names << "X";
    Analyst table;
    table.setHeader(names);
    const int nbRows = whole + steps * block;
    for (int r = 0; r < nbRows; ++r) {
        const int gapsFrom = r < whole ? -1 : (r - whole) / block;  // Ck has a value for k > this
        QVector<double> row;
        for (int k = 0; k < steps; ++k)
            row << (k > gapsFrom ? k + 1.0 : 1e12);
        row << r % 5;
        table.push_back(row, r);
    }
    table.buildTable();
    QStringList notes;
    for (int k = 0; k < steps; ++k)
        notes << QString("C%1 is %2 on every row where it has a value (%3 of %4 rows): it takes no part in the "
                         "conjecture search.")
                     .arg(k)
                     .arg(k + 1)
                     .arg(whole + k * block)
                     .arg(nbRows);
    const ColumnChoice choice = ColumnChoice::choose(table, names);
    QCOMPARE(choice.notes, notes);
    QCOMPARE(choice.searched, QVector<int>{steps});
    QCOMPARE(choice.rowsSearched, nbRows);
    QVERIFY2(choice.cellsRead <= 2 * names.size() * nbRows, qPrintable(QString::number(choice.cellsRead)));
}

void TestConjectureWidget::connectedGraphsOnSeven_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("awaited");  // the start of a text the search must find
    QTest::addColumn<int>("touching");  // the graphs on it
    QTest::newRow("with ORDER") << QStringList{"ORDER", "SIZE", "WIENER", "DIAMETER", "RADIUS", "ENERGY"} << ""
                                << 0;
    QTest::newRow("without ORDER") << QStringList{"SIZE", "WIENER", "DIAMETER", "RADIUS", "ENERGY"} << "" << 0;
    QTest::newRow("with GIRTH") << QStringList{"SIZE", "DIAMETER", "GIRTH"} << "" << 0;
    // The largest and smallest adjacency eigenvalues sum to 0 on the 44 bipartite graphs, and
    // are both of one magnitude there: terms that cancel.
    QTest::newRow("eigenvalues") << QStringList{"LMAX", "LMIN"} << "1 LMAX+1 LMIN" << 44;
}

// Every connected graph on 7 vertices, loaded and evaluated by the explorer. The listed
// entries are checked by tests/conjectures/check_bounds.py in exact rational arithmetic on the
// table's values: each text holds on every row, touches exactly its listed graphs, and no two
// entries are one relation. The first jobs run until the awaited text (or any text) is found;
// ORV_CONJECTURE_JOB_MS then sets the engines' time per job (400 ms by default;
// scripts/check_conjectures7.sh runs it at the application's 120 s).
void TestConjectureWidget::connectedGraphsOnSeven()
{
    QFETCH(QStringList, keys);
    QFETCH(QString, awaited);
    QFETCH(int, touching);
    Connected7 truth;
    QVERIFY(truth.read());
    QCOMPARE(truth.graphs.size(), 853);

    QTemporaryDir dir;
    QFile list(dir.filePath("connected7.g6"));
    QVERIFY(list.open(QIODevice::WriteOnly));
    list.write(truth.graphs.join('\n').toLatin1() + '\n');
    list.close();
    ExplorerBoard board(keys);
    DataLoader loader(&board.problem, &board.graph, nullptr);
    FilterWidget filter;
    // A stack whose panel is made again over the explorer's table.
    Stack s(keys, {});
    auto *table = new Analyst;
    AnalystWidget explorer(&board.problem, &board.graph, table, &loader, &filter, &s.settings, false);
    s.panel.reset(new ConjectureWidget(table, &s.settings, &s.display));
    const int jobMs = qEnvironmentVariableIsSet("ORV_CONJECTURE_JOB_MS")
                          ? qEnvironmentVariableIntValue("ORV_CONJECTURE_JOB_MS") : 400;
    s.panel->setTimeLimit(24 * 3600 * 1000);
    loader.setDataType("g6");
    QVERIFY(loader.setFilename(list.fileName()));
    QSignalSpy loaded(&explorer, &AnalystWidget::signal_data_loaded);
    QVERIFY(loader.startLoad());
    QVERIFY(loaded.wait(60000));
    QVERIFY(loader.wait(5000));
    QCOMPARE(table->getHeader(), keys);
    QCOMPARE(table->nbRows(), 853);
    // The rows keep the file's order: Orvalith's values are networkx's.
    for (int r = 0; r < table->nbRows(); ++r) {
        QCOMPARE(table->graphNo(r), r);
        const QVector<double> mine = table->getLine(r), theirs = truth.values(r, keys);
        for (int c = 0; c < keys.size(); ++c)
            QVERIFY(std::fabs(mine[c] - theirs[c]) < 1e-9);
    }

    QSignalSpy console(s.panel.get(), &ConjectureWidget::signal_console);
    s.click("Search");
    auto textFound = [&console, &awaited] {
        const QStringList texts = reported(console);
        return std::any_of(texts.begin(), texts.end(), [&](const QString &t) { return t.startsWith(awaited); });
    };
    ORV_AWAIT(textFound(), 30000, seen(console));
    s.panel->setTimeLimit(jobMs);
    const int jobs = 1 << (keys.size() - (keys.contains("ORDER") ? 1 : 0));
    ORV_AWAIT(s.idle(), 10000 + jobs * jobMs, seen(console));
    const QStringList listed = s.listed();
    QVERIFY(!listed.isEmpty());
    for (const QString &f : listed)
        QVERIFY2(!f.contains("ORDER"), qPrintable(f));
    if (!awaited.isEmpty()) {
        const QVector<ListedEntry> found = entries(s);
        QVERIFY2(std::any_of(found.begin(), found.end(), [&](const ListedEntry &e) {
            return e.text.startsWith(awaited) && e.touching == touching;
        }), qPrintable(listed.join(" | ")));
    }

    // The table's rows as stored, and every entry with its touching graphs.
    Rows stored;
    QVector<int> graphNos;
    for (int r = 0; r < table->nbRows(); ++r) {
        stored << table->getLine(r);
        graphNos << table->graphNo(r);
    }
    bool exact = false;
    const QString report = checkExactly(QFINDTESTDATA("check_bounds.py"), keys, stored, graphNos, entries(s), exact);
    qInfo("%s, %d ms per job: %s", QTest::currentDataTag(), jobMs, qPrintable(report.section('\n', -1)));
    QVERIFY2(exact, qPrintable(report));

    // ORDER has one value: it is left out of the search and named once. The trees have no
    // cycle: they take no part in the search, and GIRTH does.
    const QStringList lines = said(console);
    QCOMPARE(lines.count("ORDER is 7 on every row: it takes no part in the conjecture search."),
             keys.contains("ORDER") ? 1 : 0);
    if (keys.contains("GIRTH")) {
        QCOMPARE(lines.count("GIRTH is infinite or has no value (1e12) on 11 of 853 rows: these rows take no part "
                             "in the conjecture search."),
                 1);
    }
    QCOMPARE(lines.last(), QString("Conjecture search done: %1 jobs of %2 s each: %3 relation%4 found.")
                               .arg(jobs)
                               .arg(jobMs / 1000.0)
                               .arg(listed.size())
                               .arg(listed.size() == 1 ? "" : "s"));
}

QTEST_MAIN(TestConjectureWidget)
#include "tst_conjecturewidget.moc"
