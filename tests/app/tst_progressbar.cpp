#include "app/ProgressBar.h"

#include <QGridLayout>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

class TestProgressBar : public QObject
{
    Q_OBJECT

private slots:
    void barsReportsAndCancel();
    void barsTakeTheRowsAboveCancel_data();
    void barsTakeTheRowsAboveCancel();
    void reportsShowValueThenMaximum_data();
    void reportsShowValueThenMaximum();
};

static int rowOf(QWidget *window, QWidget *child)
{
    auto *grid = static_cast<QGridLayout *>(window->layout());
    int row, column, rowSpan, columnSpan;
    grid->getItemPosition(grid->indexOf(child), &row, &column, &rowSpan, &columnSpan);
    return row;
}

void TestProgressBar::barsTakeTheRowsAboveCancel_data()
{
    QTest::addColumn<QList<int>>("counts"); // successive set_nb_bars calls on a new window
    QTest::newRow("three bars") << QList<int>{3};
    QTest::newRow("none") << QList<int>{0};
    QTest::newRow("three, then one") << QList<int>{3, 1};
    QTest::newRow("one, then none") << QList<int>{1, 0};
    QTest::newRow("two, then four") << QList<int>{2, 4};
}

void TestProgressBar::barsTakeTheRowsAboveCancel()
{
    QFETCH(QList<int>, counts);
    ProgressBar window;
    QList<QPointer<QProgressBar>> former;
    for (int n : counts) {
        for (int i = 0; i < window.nbBars(); ++i)
            former << window.bar(i);
        window.set_nb_bars(n);
    }
    const int n = counts.last();
    QCOMPARE(window.nbBars(), n);
    QCOMPARE(window.findChildren<QProgressBar *>().size(), n);
    for (const QPointer<QProgressBar> &gone : former)
        QVERIFY(gone.isNull());
    QCOMPARE(rowOf(&window, window.findChild<QLabel *>()), 0);
    for (int i = 0; i < n; ++i) {
        QCOMPARE(rowOf(&window, window.bar(i)), i + 1);
        QCOMPARE(window.bar(i)->minimum(), 0);
        QCOMPARE(window.bar(i)->maximum(), 100);
        QCOMPARE(window.bar(i)->value(), 0);
        QCOMPARE(window.bar(i)->text(), "0%");
    }
    QCOMPARE(rowOf(&window, window.findChild<QPushButton *>()), n + 1);
}

void TestProgressBar::reportsShowValueThenMaximum_data()
{
    QTest::addColumn<QList<qint64>>("reports"); // (index, value, maximum) triples, in order
    QTest::addColumn<int>("value");              // then bar 0 shows
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QString>("text");
    QTest::newRow("no such bar") << QList<qint64>{1, 50, 100} << 0 << 100 << "0%";
    QTest::newRow("negative index") << QList<qint64>{-1, 50, 100} << 0 << 100 << "0%";
    QTest::newRow("value beyond the fresh range") << QList<qint64>{0, 30000, 600000} << 0 << 600000 << "0%";
    QTest::newRow("then within it") << QList<qint64>{0, 30000, 600000, 0, 60000, 600000} << 60000 << 600000
                                    << "10%";
    QTest::newRow("done") << QList<qint64>{0, 100, 100} << 100 << 100 << "100%";
    QTest::newRow("size not known: busy") << QList<qint64>{0, 0, -1} << 0 << 0 << "";
    QTest::newRow("maximum 0: busy") << QList<qint64>{0, 40, 100, 0, 0, 0} << 0 << 0 << "";
    QTest::newRow("maximum below the value empties") << QList<qint64>{0, 60, 100, 0, 60, 40} << -1 << 40 << "";
}

void TestProgressBar::reportsShowValueThenMaximum()
{
    QFETCH(QList<qint64>, reports);
    QFETCH(int, value);
    QFETCH(int, maximum);
    QFETCH(QString, text);
    ProgressBar window;
    window.set_nb_bars(1);
    for (int i = 0; i + 2 < reports.size(); i += 3)
        window.slot_progress(int(reports[i]), reports[i + 1], reports[i + 2]);
    QProgressBar *bar = window.bar(0);
    QCOMPARE(bar->minimum(), 0);
    QCOMPARE(bar->maximum(), maximum);
    if (value >= 0)
        QCOMPARE(bar->value(), value);
    else
        QVERIFY(bar->value() < bar->minimum());
    QCOMPARE(bar->text(), text);
}

void TestProgressBar::barsReportsAndCancel()
{
    ProgressBar window;
    QVERIFY(window.isHidden());
    QCOMPARE(window.name(), QString("Progress"));
    window.set_nb_bars(3);
    window.set_nb_bars(2);
    QCOMPARE(window.findChildren<QProgressBar *>().size(), 2);
    window.slot_progress(1, 40, 250);
    QCOMPARE(window.bar(1)->value(), 40);
    QCOMPARE(window.bar(1)->maximum(), 250);
    // The value goes first: outside the old range it is ignored.
    window.slot_progress(0, 200, 250);
    QCOMPARE(window.bar(0)->value(), 0);
    QCOMPARE(window.bar(0)->maximum(), 250);
    window.slot_progress(-1, 5, 10);
    window.slot_progress(2, 5, 10);
    QCOMPARE(window.bar(1)->maximum(), 250);

    auto *grid = static_cast<QGridLayout *>(window.layout());
    QPushButton *cancel = window.findChild<QPushButton *>();
    int row, column, rowSpan, columnSpan;
    grid->getItemPosition(grid->indexOf(cancel), &row, &column, &rowSpan, &columnSpan);
    QCOMPARE(row, 3);
    QSignalSpy cancelled(&window, &ProgressBar::signal_cancel);
    QTest::mouseClick(cancel, Qt::LeftButton);
    QCOMPARE(cancelled.size(), 1);
}

QTEST_MAIN(TestProgressBar)
#include "tst_progressbar.moc"
