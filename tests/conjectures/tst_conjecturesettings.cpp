#include "conjectures/ConjectureSettings.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {
// Grid row and column of a widget of the window.
QPoint cell(ConjectureSettings &s, QWidget *w)
{
    auto *grid = static_cast<QGridLayout *>(s.layout());
    int row, column, rowSpan, columnSpan;
    grid->getItemPosition(grid->indexOf(w), &row, &column, &rowSpan, &columnSpan);
    return QPoint(column, row);
}

QLabel *label(ConjectureSettings &s, const QString &text)
{
    for (QLabel *l : s.findChildren<QLabel *>())
        if (l->text() == text)
            return l;
    return nullptr;
}

QRadioButton *button(ConjectureSettings &s, int column, const QString &text)
{
    QList<QRadioButton *> found;
    for (QRadioButton *b : s.findChildren<QRadioButton *>())
        if (b->text() == text)
            found << b;
    std::sort(found.begin(), found.end(), [&s](QRadioButton *a, QRadioButton *b) {
        const QPoint pa = cell(s, a), pb = cell(s, b);
        return pa.x() != pb.x() ? pa.x() < pb.x() : pa.y() < pb.y();
    });
    return found.value(column);
}
} // namespace

class TestConjectureSettings : public QObject
{
    Q_OBJECT

private slots:
    void layout_data();
    void layout();
    void patternsAndReset();
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
    QCOMPARE(s.windowTitle(), QString("Conjectures settings"));
    QStringList list;
    for (int i = 1; i <= names; ++i)
        list << "c" + QString::number(i);
    s.setVariables(list);
    if (names > 0)
        QCOMPARE(cell(s, label(s, list.last())), lastLabel);
    QCOMPARE(cell(s, s.findChild<QPushButton *>()), QPoint(0, closeRow));
    QCOMPARE(s.getPatterns().size(), names);
}

void TestConjectureSettings::patternsAndReset()
{
    ConjectureSettings s;
    s.setVariables({"a", "b", "c"});
    QCOMPARE(s.getPatterns(), QVector<int>({0, 0, 0}));
    button(s, 0, "Lower")->click();
    button(s, 2, "Upper")->click();
    QCOMPARE(s.getPatterns(), QVector<int>({-1, 0, 1}));
    s.setVariables({"a", "b", "c"});
    QCOMPARE(s.getPatterns(), QVector<int>({0, 0, 0}));
    QCOMPARE(s.findChildren<QRadioButton *>().size(), 9);
}

QTEST_MAIN(TestConjectureSettings)
#include "tst_conjecturesettings.moc"
