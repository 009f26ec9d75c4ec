#include "ErrCapture.h"
#include "explorer/Analyst.h"

#include <QFile>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/resource.h>
#include <csignal>

namespace {
// Rows r = 0 .. count-1 of one column holding r, tagged with graph number 10 + r.
void fill(Analyst &a, int count)
{
    a.clear();
    a.setHeader({"x"});
    for (int r = 0; r < count; ++r)
        a.push_back({double(r)}, 10 + r);
    a.buildTable();
}

QString cell(QTableWidget *t, int r, int c)
{
    QTableWidgetItem *item = t->item(r, c);
    return item ? item->text() : QString();
}

QString rowHeader(QTableWidget *t, int r)
{
    QTableWidgetItem *item = t->verticalHeaderItem(r);
    return item ? item->text() : QString();
}

bool lastBool(const QSignalSpy &spy)
{
    return !spy.isEmpty() && spy.last().at(0).toBool();
}
} // namespace

class TestAnalyst : public QObject
{
    Q_OBJECT

private slots:
    void paging_data();
    void paging();
    void pagingPastTheEnds();
    void summary_data();
    void summary();
    void emptyTableAndHeader();
    void outOfRangeReads();
    void nextRow_data();
    void nextRow();
    void doubleClickAndHilight();
    void saveExactBytes();
    void saveFailures();
};

void TestAnalyst::paging_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("nextOffered");
    QTest::addColumn<int>("rowsOnSecondPage");
    QTest::newRow("999") << 999 << false << -1;
    QTest::newRow("1000") << 1000 << false << -1;
    QTest::newRow("1001") << 1001 << true << 1;
    QTest::newRow("2000") << 2000 << true << 1000;
    QTest::newRow("2500") << 2500 << true << 1000;
}

void TestAnalyst::paging()
{
    QFETCH(int, rows);
    QFETCH(bool, nextOffered);
    QFETCH(int, rowsOnSecondPage);
    Analyst a;
    QSignalSpy next(&a, &Analyst::signal_next_data_available);
    QSignalSpy prev(&a, &Analyst::signal_prev_data_available);
    QSignalSpy total(&a, &Analyst::signal_total_data);
    QSignalSpy pos(&a, &Analyst::signal_cur_pos);
    fill(a, rows);
    QCOMPARE(total.last().at(0).toInt(), rows);
    QCOMPARE(pos.last().at(0).toInt(), 0);
    QCOMPARE(lastBool(next), nextOffered);
    QCOMPARE(lastBool(prev), false);
    QCOMPARE(a.pageTable()->rowCount(), 1000);
    QCOMPARE(cell(a.pageTable(), 0, 0), QString("0"));
    QCOMPARE(rowHeader(a.pageTable(), 0), QString("11"));
    QCOMPARE(cell(a.pageTable(), 999, 0), rows >= 1000 ? QString("999") : QString());
    if (!nextOffered)
        return;

    a.slot_build_next_table();
    QCOMPARE(a.pageStart(), 1000);
    QCOMPARE(pos.last().at(0).toInt(), 1000);
    QCOMPARE(lastBool(prev), true);
    QCOMPARE(lastBool(next), rows > 2000);
    QCOMPARE(cell(a.pageTable(), 0, 0), QString("1000"));
    QCOMPARE(rowHeader(a.pageTable(), 0), QString("1011"));
    const int last = rowsOnSecondPage - 1;
    QCOMPARE(cell(a.pageTable(), last, 0), QString::number(1000 + last));
    if (rowsOnSecondPage < 1000) {
        QCOMPARE(cell(a.pageTable(), rowsOnSecondPage, 0), QString());
        QCOMPARE(rowHeader(a.pageTable(), rowsOnSecondPage), QString());
        QCOMPARE(rowHeader(a.pageTable(), 999), QString());
    }

    a.slot_build_prev_table();
    QCOMPARE(a.pageStart(), 0);
    QCOMPARE(lastBool(prev), false);
    QCOMPARE(lastBool(next), true);
    QCOMPARE(cell(a.pageTable(), 999, 0), QString("999"));
}

void TestAnalyst::pagingPastTheEnds()
{
    Analyst a;
    QSignalSpy next(&a, &Analyst::signal_next_data_available);
    QSignalSpy prev(&a, &Analyst::signal_prev_data_available);
    QSignalSpy pos(&a, &Analyst::signal_cur_pos);
    // Past the last page: an empty page at the last row, "Next" withdrawn.
    fill(a, 5);
    a.slot_build_next_table();
    QCOMPARE(pos.last().at(0).toInt(), 4);
    QCOMPARE(lastBool(next), false);
    QCOMPARE(cell(a.pageTable(), 0, 0), QString());
    // Before the first: an empty page at 0, "Prev" withdrawn.
    fill(a, 5);
    a.slot_build_prev_table();
    QCOMPARE(pos.last().at(0).toInt(), 0);
    QCOMPARE(lastBool(prev), false);
    QCOMPARE(cell(a.pageTable(), 0, 0), QString());
    // A rebuild from the third page shows the first.
    fill(a, 3500);
    a.slot_build_next_table();
    a.slot_build_next_table();
    QCOMPARE(a.pageStart(), 2000);
    a.buildTable();
    QCOMPARE(pos.last().at(0).toInt(), 0);
    QCOMPARE(cell(a.pageTable(), 0, 0), QString("0"));
}

void TestAnalyst::summary_data()
{
    QTest::addColumn<QVector<double>>("column");
    QTest::addColumn<QString>("min");
    QTest::addColumn<QString>("max");
    QTest::addColumn<QString>("mean");
    QTest::newRow("3 1 2") << QVector<double>{3, 1, 2} << "1" << "3" << "2";
    QTest::newRow("one row") << QVector<double>{-0.5} << "-0.5" << "-0.5" << "-0.5";
    QTest::newRow("1e12 counts in the mean") << QVector<double>{1e12, 0} << "0" << "1e+12" << "5e+11";
    QTest::newRow("six digits") << QVector<double>{1.0 / 3, 2.0 / 3} << "0.333333" << "0.666667" << "0.5";
}

void TestAnalyst::summary()
{
    QFETCH(QVector<double>, column);
    QFETCH(QString, min);
    QFETCH(QString, max);
    QFETCH(QString, mean);
    Analyst a;
    a.setHeader({"v", "w"});
    for (int r = 0; r < column.size(); ++r)
        a.push_back({column[r], 7}, r);
    a.buildTable();
    QTableWidget *s = a.summaryTable();
    QCOMPARE(s->verticalHeaderItem(0)->text(), QString("Min"));
    QCOMPARE(s->verticalHeaderItem(2)->text(), QString("Mu"));
    QCOMPARE(cell(s, 0, 0), min);
    QCOMPARE(cell(s, 1, 0), max);
    QCOMPARE(cell(s, 2, 0), mean);
    QCOMPARE(cell(s, 2, 1), QString("7"));
}

void TestAnalyst::emptyTableAndHeader()
{
    Analyst a;
    fill(a, 7);
    QSignalSpy total(&a, &Analyst::signal_total_data);
    a.clear();
    a.setHeader({"a", "", "b"});
    QCOMPARE(a.getHeader(), QStringList({"a", "b"}));
    a.buildTable();
    QCOMPARE(total.last().at(0).toInt(), 0);
    QCOMPARE(a.pageTable()->columnCount(), 2);
    QCOMPARE(a.summaryTable()->horizontalHeaderItem(1)->text(), QString("b"));
    QCOMPARE(cell(a.pageTable(), 0, 0), QString());
    QCOMPARE(rowHeader(a.pageTable(), 0), QString());
    QCOMPARE(cell(a.summaryTable(), 0, 0), QString());
}

void TestAnalyst::outOfRangeReads()
{
    Analyst a;
    a.setHeader({"a", "b", "c", "d", "e"});
    for (int r = 0; r < 3; ++r)
        a.push_back({1, 2, 3, 4, 5}, r);
    a.buildTable();
    QCOMPARE(a.value(-1, 0), 1e12);
    QCOMPARE(a.value(0, 99), 1e12);
    QCOMPARE(a.value(3, 0), 1e12);
    QCOMPARE(a.value(2, 4), 5.0);
    ErrCapture err;
    QCOMPARE(a.graphNo(7), 0);
    QCOMPARE(err.text(), QString("Analyst::graphNo(7) failed\n"));
    QCOMPARE(a.graphNo(2), 2);
}

void TestAnalyst::nextRow_data()
{
    QTest::addColumn<QVector<int>>("tags");
    QTest::addColumn<int>("graph");
    QTest::addColumn<int>("expected");
    const QVector<int> tags{0, 0, 0, 1, 1, 2};
    QTest::newRow("0") << tags << 0 << 1;
    QTest::newRow("1") << tags << 1 << 2;
    QTest::newRow("2 wraps") << tags << 2 << 0;
    QTest::newRow("absent") << tags << 9 << 0;
    QTest::newRow("first row not 0") << QVector<int>{4, 4, 7} << 7 << 4;
    QTest::newRow("no rows") << QVector<int>{} << 3 << 0;
}

void TestAnalyst::nextRow()
{
    QFETCH(QVector<int>, tags);
    QFETCH(int, graph);
    QFETCH(int, expected);
    Analyst a;
    a.setHeader({"x"});
    for (int t : tags)
        a.push_back({0}, t);
    a.buildTable();
    QCOMPARE(a.nextRow(graph), expected);
}

void TestAnalyst::doubleClickAndHilight()
{
    Analyst a;
    QSignalSpy load(&a, &Analyst::signal_load_graph);
    fill(a, 1500);
    a.slot_build_next_table();
    a.slot_cell_double_clicked(5, 0);
    QCOMPARE(load.last().at(0).toInt(), 10 + 1005);
    {
        ErrCapture err;
        a.slot_cell_double_clicked(700, 0);
        QCOMPARE(err.text(), QString("ERROR IN Analyst::slot_cell_double_clicked(int r, int)\n"));
        QCOMPARE(load.size(), 1);
    }
    // Graph of table row 1200 is on the page; that of row 3 is not.
    a.slot_hilight(10 + 1200);
    QCOMPARE(a.currentRow(), 1200);
    a.slot_hilight(10 + 3);
    QCOMPARE(a.currentRow(), -1);
    a.load(42);
    QCOMPARE(load.last().at(0).toInt(), 42);
}

void TestAnalyst::saveExactBytes()
{
    QTemporaryDir dir;
    Analyst a;
    a.setHeader({"a", "b"});
    a.push_back({1, 0.5}, 0);
    a.push_back({3e6, 1e12}, 1);
    a.buildTable();
    const QString path = dir.filePath("t.txt");
    QVERIFY(a.save(path));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("a\tb\n1\t0.5\n3e+06\t1e+12\n"));

    Analyst empty;
    empty.setHeader({QString::fromUtf8("\xce\xb1"), QString::fromUtf8("\xc3\xa9")});
    QVERIFY(empty.save(path));
    f.close();
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("?\t\xe9\n"));
}

void TestAnalyst::saveFailures()
{
    QTemporaryDir dir;
    Analyst a;
    a.setHeader({"a"});
    for (int r = 0; r < 200; ++r)
        a.push_back({double(r)}, r);
    QString why;
    QVERIFY(!a.save(dir.filePath("missing/t.txt"), &why));
    QVERIFY(!why.isEmpty());
    QVERIFY(!QFile::exists(dir.filePath("missing/t.txt")));

    // A disk that fills up during the save: the old file stays as it was.
    const QString path = dir.filePath("old.txt");
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old\n");
    }
    struct rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    struct rlimit small = saved;
    small.rlim_cur = 64;
    signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const bool ok = a.save(path, &why);
    setrlimit(RLIMIT_FSIZE, &saved);
    QVERIFY(!ok);
    QFile old(path);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("old\n"));
}

QTEST_MAIN(TestAnalyst)
#include "tst_analyst.moc"
