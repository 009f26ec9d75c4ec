#include "ScriptedDialogs.h"
#include "app/ProgressBar.h"
#include "conjectures/ConjectureSettings.h"
#include "conjectures/ConjectureWidget.h"
#include "conjectures/ConjecturesDisplay.h"
#include "conjectures/SimpleDisplay.h"
#include "explorer/Analyst.h"

#include <QApplication>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QtTest>
#include <cmath>
#include <memory>

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
};

QSet<QString> setOf(const QStringList &list)
{
    return QSet<QString>(list.begin(), list.end());
}

ProgressBar *progressWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *p = qobject_cast<ProgressBar *>(w))
            if (p->name() == "Searching Conjectures...")
                return p;
    return nullptr;
}

// Reads a listed bound back from its text: "a X+b Y+c <= d Z+e" as sum (left) - sum (right).
bool holds(const QString &formula, const QStringList &names, const QVector<double> &row, double *slack)
{
    const bool upper = formula.contains(" <= ");
    const QStringList sides = formula.split(upper ? " <= " : " >= ");
    if (sides.size() != 2)
        return false;
    static const QRegularExpression term("([0-9.]+(?:e[+-][0-9]+)?)(?: ([A-Za-z_]+))?(?:\\+|$)");
    double value[2] = {0, 0}, scale = 1;
    for (int s = 0; s < 2; ++s) {
        auto it = term.globalMatch(sides[s]);
        while (it.hasNext()) {
            const auto m = it.next();
            const double coef = m.captured(1).toDouble();
            const int c = m.captured(2).isEmpty() ? -1 : names.indexOf(m.captured(2));
            if (!m.captured(2).isEmpty() && c < 0)
                return false;
            value[s] += c < 0 ? coef : coef * row[c];
            scale += std::fabs(c < 0 ? coef : coef * row[c]);
        }
    }
    *slack = upper ? value[1] - value[0] : value[0] - value[1];
    // Coefficients are written with six significant digits.
    return *slack >= -1e-5 * scale;
}

// All connected graphs on n vertices from nauty's geng, as graph6 lines.
QStringList connectedGraphs(int n)
{
    QProcess geng;
    geng.start("nauty-geng", {"-c", "-q", QString::number(n)});
    if (!geng.waitForFinished(60000) || geng.exitCode() != 0)
        return {};
    return QString::fromLatin1(geng.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

// Order, size and Wiener index of a graph6 graph (up to 62 vertices), by breadth-first search.
QVector<double> orderSizeWiener(const QString &g6)
{
    const int n = g6[0].toLatin1() - 63;
    QVector<QVector<bool>> adj(n, QVector<bool>(n, false));
    int bit = 0, edges = 0;
    for (int j = 1; j < n; ++j)
        for (int i = 0; i < j; ++i, ++bit)
            if (((g6[1 + bit / 6].toLatin1() - 63) >> (5 - bit % 6)) & 1) {
                adj[i][j] = adj[j][i] = true;
                ++edges;
            }
    double wiener = 0;
    for (int s = 0; s < n; ++s) {
        QVector<int> dist(n, -1);
        QVector<int> queue{s};
        dist[s] = 0;
        for (int q = 0; q < queue.size(); ++q)
            for (int v = 0; v < n; ++v)
                if (adj[queue[q]][v] && dist[v] < 0) {
                    dist[v] = dist[queue[q]] + 1;
                    queue << v;
                }
        for (int v = s + 1; v < n; ++v)
            wiener += dist[v];
    }
    return {double(n), double(edges), wiener};
}

}  // namespace

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

// Engines started, bars shown, and every job run to the same relations whatever the count.
void TestConjectureWidget::engines()
{
    QFETCH(int, threads);
    QFETCH(int, upperColumns);
    QFETCH(int, engines);
    QFETCH(bool, stale);
    Stack s({"x", "y"}, fiveRows, 500);
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
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 30000);
    QVERIFY(!progressWindow()->isVisible());
    QSet<QString> ids;
    for (const QList<QVariant> &args : console) {
        QCOMPARE(args.at(2).toInt(), 1);
        QCOMPARE(args.at(3).value<QColor>(), QColor(Qt::blue));
        ids << args.at(0).toString().section('<', -1);
    }
    QCOMPARE(ids.size(), engines);
    if (upperColumns == 0) {
        QCOMPARE(setOf(s.listed()), setOf(fourBounds));
    }
}

void TestConjectureWidget::refused_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<QString>("message");
    QTest::newRow("one column") << 1
                                << "Not enough variables for conjectures. Be sure to select variables from the "
                                   "White Board.";
    QTest::newRow("13 columns on both") << 13 << "set some columns to \"Lower\" or \"Upper\"";
}

void TestConjectureWidget::refused()
{
    QFETCH(int, columns);
    QFETCH(QString, message);
    QStringList names;
    Rows rows(6);
    for (int c = 0; c < columns; ++c) {
        names << "c" + QString::number(c);
        for (int r = 0; r < rows.size(); ++r)
            rows[r] << (r * (c + 2)) % 7;
    }
    Stack s(names, rows);
    ScriptedDialogs dialogs;
    s.click("Search");
    QCOMPARE(dialogs.kinds(), QStringList{"warning"});
    QCOMPARE(dialogs.calls[0].title, QString("Conjecture engine"));
    QVERIFY2(dialogs.calls[0].text.contains(message), qPrintable(dialogs.calls[0].text));
    QVERIFY(s.idle());
    QCOMPARE(s.panel->nbEngines(), 0);
}

// Both columns on "Both": four jobs each find the rectangle's sides; each is listed once,
// the side with three graphs on it first, and a click opens its graphs through the table.
void TestConjectureWidget::fiveRowTable()
{
    Stack s({"x", "y"}, fiveRows);
    QSignalSpy opened(&s.table, &Analyst::signal_load_graph);
    QSignalSpy console(s.panel.get(), &ConjectureWidget::signal_console);
    s.click("Search");
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 30000);
    const QStringList listed = s.listed();
    QCOMPARE(listed.size(), 4);
    QCOMPARE(listed[0], QString("1 y >= 0"));
    QCOMPARE(listed[1], QString("1 y <= 1"));
    QCOMPARE(setOf(listed), setOf(fourBounds));
    QVERIFY(console.size() > 4);  // the same sides were reported by several jobs
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
    QTRY_VERIFY_WITH_TIMEOUT(console.size() > 0, 20000);
    if (clearDatabase)
        s.panel->slot_clear_database();
    else
        s.click("Cancel");
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 20000);
    const QStringList listed = s.listed();
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
    QTRY_VERIFY_WITH_TIMEOUT(console.size() > 0, 20000);
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

// Every connected graph on 7 vertices with its order, size and Wiener index: each listed
// bound, read back from its text, holds on every row.
void TestConjectureWidget::connectedGraphsOnSeven()
{
    const QStringList graphs = connectedGraphs(7);
    QCOMPARE(graphs.size(), 853);
    Rows rows;
    for (const QString &g : graphs)
        rows << orderSizeWiener(g);
    // Paths have the largest Wiener index: C(8, 3) = 56.
    double maxWiener = 0;
    for (const auto &r : rows)
        maxWiener = std::max(maxWiener, r[2]);
    QCOMPARE(maxWiener, 56.0);
    const QStringList names = {"ORDER", "SIZE", "WIENER"};
    Stack s(names, rows);
    s.click("Search");
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 60000);
    const QStringList listed = s.listed();
    QVERIFY(!listed.isEmpty());
    for (const QString &f : listed) {
        for (const auto &row : rows) {
            double slack = 0;
            QVERIFY2(holds(f, names, row, &slack),
                     qPrintable(QString("%1 fails by %2").arg(f).arg(slack)));
        }
    }
}

QTEST_MAIN(TestConjectureWidget)
#include "tst_conjecturewidget.moc"
