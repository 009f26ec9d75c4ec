#include "app/ProgressBar.h"

#include <QGridLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

class TestProgressBar : public QObject
{
    Q_OBJECT

private slots:
    void barsReportsAndCancel();
};

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
