#include "app/ProgressBar.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

class TestProgressBar : public QObject
{
    Q_OBJECT

private slots:
    void reports_data();
    void reports();
    void barsAndCancel();
};

void TestProgressBar::reports_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<qint64>("value");
    QTest::addColumn<qint64>("maximum");
    QTest::addColumn<int>("shownValue");
    QTest::addColumn<int>("shownMaximum");
    QTest::newRow("within") << 1 << qint64(40) << qint64(250) << 40 << 250;
    // The value is set before the maximum: out of the old range it is ignored.
    QTest::newRow("value above old maximum") << 1 << qint64(200) << qint64(250) << 0 << 250;
    QTest::newRow("negative index") << -1 << qint64(5) << qint64(10) << 0 << 100;
    QTest::newRow("index past the bars") << 2 << qint64(5) << qint64(10) << 0 << 100;
}

void TestProgressBar::reports()
{
    QFETCH(int, index);
    QFETCH(qint64, value);
    QFETCH(qint64, maximum);
    QFETCH(int, shownValue);
    QFETCH(int, shownMaximum);
    ProgressBar window;
    window.set_nb_bars(2);
    window.slot_progress(index, value, maximum);
    QCOMPARE(window.bar(1)->value(), shownValue);
    QCOMPARE(window.bar(1)->maximum(), shownMaximum);
    QCOMPARE(window.bar(0)->value(), 0);
    QCOMPARE(window.bar(0)->maximum(), 100);
}

void TestProgressBar::barsAndCancel()
{
    ProgressBar window;
    QVERIFY(window.isHidden());
    QCOMPARE(window.minimumWidth(), 300);
    QCOMPARE(window.name(), QString("Progress"));
    window.setName("Loading graphs...");
    QCOMPARE(window.name(), QString("Loading graphs..."));
    QCOMPARE(window.nbBars(), 0);
    window.set_nb_bars(3);
    window.set_nb_bars(2);
    QCOMPARE(window.nbBars(), 2);
    QCOMPARE(window.findChildren<QProgressBar *>().size(), 2);
    auto *grid = static_cast<QGridLayout *>(window.layout());
    QPushButton *cancel = window.findChild<QPushButton *>();
    int row = -1, column, rowSpan, columnSpan;
    grid->getItemPosition(grid->indexOf(cancel), &row, &column, &rowSpan, &columnSpan);
    QCOMPARE(row, 3);
    QSignalSpy cancelled(&window, &ProgressBar::signal_cancel);
    QTest::mouseClick(cancel, Qt::LeftButton);
    QCOMPARE(cancelled.size(), 1);
}

QTEST_MAIN(TestProgressBar)
#include "tst_progressbar.moc"
