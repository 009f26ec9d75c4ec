#include "conjectures/ConjectureSettings.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

class TestConjectureSettings : public QObject
{
    Q_OBJECT

private slots:
    void layout_data();
    void layout();
};

void TestConjectureSettings::layout_data()
{
    QTest::addColumn<int>("names");
    QTest::addColumn<QPoint>("lastLabel");
    QTest::addColumn<int>("closeRow");
    QTest::newRow("none") << 0 << QPoint() << 0;
    QTest::newRow("3") << 3 << QPoint(0, 2) << 3;
    QTest::newRow("21") << 21 << QPoint(0, 20) << 21;
    QTest::newRow("22") << 22 << QPoint(4, 0) << 21;
    QTest::newRow("43") << 43 << QPoint(8, 0) << 21;
}

void TestConjectureSettings::layout()
{
    QFETCH(int, names);
    QFETCH(QPoint, lastLabel);
    QFETCH(int, closeRow);
    ConjectureSettings s;
    auto *grid = static_cast<QGridLayout *>(s.layout());
    auto at = [grid](QWidget *w) {
        int row, column, rowSpan, columnSpan;
        grid->getItemPosition(grid->indexOf(w), &row, &column, &rowSpan, &columnSpan);
        return QPoint(column, row);
    };
    QStringList list;
    for (int i = 1; i <= names; ++i)
        list << "c" + QString::number(i);
    // A choice made before a rebuild does not survive it.
    s.setVariables(list);
    if (names > 0)
        s.findChildren<QRadioButton *>().first()->click();
    s.setVariables(list);
    const QList<QLabel *> labels = s.findChildren<QLabel *>();
    if (names > 0)
        QCOMPARE(at(labels.last()), lastLabel);
    QCOMPARE(at(s.findChild<QPushButton *>()), QPoint(0, closeRow));
    QCOMPARE(s.getPatterns(), QVector<int>(names, 0));
    if (names >= 3) {
        // Buttons are made "Lower", "Both", "Upper" per column.
        const QList<QRadioButton *> buttons = s.findChildren<QRadioButton *>();
        buttons[0]->click();
        buttons[8]->click();
        QCOMPARE(s.getPatterns().mid(0, 3), QVector<int>({-1, 0, 1}));
    }
}

QTEST_MAIN(TestConjectureSettings)
#include "tst_conjecturesettings.moc"
