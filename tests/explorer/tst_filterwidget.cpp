#include "ErrCapture.h"
#include "explorer/FilterWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSignalSpy>
#include <QtTest>
#include <cmath>
#include <limits>

namespace {
// Turns condition row i on as a user would: a click on its use box, then its settings.
void use(FilterWidget &f, int i, int column, int op, double value)
{
    QTest::mouseClick(f.useBox(i), Qt::LeftButton);
    f.columnList(i)->setCurrentIndex(column);
    f.operatorList(i)->setCurrentIndex(op);
    f.valueBox(i)->setValue(value);
}
} // namespace

class TestFilterWidget : public QObject
{
    Q_OBJECT

private slots:
    void thresholds_data();
    void thresholds();
    void twoConditionsOnOneColumn();
    void rejectAllAndLengths();
    void sameNamesKeepConditions();
    void newNamesSwitchOff_data();
    void newNamesSwitchOff();
};

void TestFilterWidget::thresholds_data()
{
    QTest::addColumn<int>("op");
    QTest::addColumn<double>("threshold");
    QTest::addColumn<double>("x");
    QTest::addColumn<bool>("passes");
    const double nan = std::numeric_limits<double>::quiet_NaN();
    QTest::newRow(">= equal") << 2 << 2.0 << 2.0 << true;
    QTest::newRow(">= within tolerance") << 2 << 2.0 << 2 - 5e-7 << true;
    QTest::newRow(">= below") << 2 << 2.0 << 2 - 1e-5 << false;
    QTest::newRow(">= 1e12") << 2 << 1000.0 << 1e12 << true;
    QTest::newRow("<= equal") << 0 << 2.0 << 2.0 << true;
    QTest::newRow("<= within tolerance") << 0 << 2.0 << 2 + 5e-7 << true;
    QTest::newRow("<= above") << 0 << 2.0 << 2 + 1e-5 << false;
    QTest::newRow("<= 1e12") << 0 << 1000.0 << 1e12 << false;
    QTest::newRow("== within") << 1 << 0.5 << 0.5 + 9e-7 << true;
    QTest::newRow("== outside") << 1 << 0.5 << 0.5 + 2e-6 << false;
    QTest::newRow("== negative side") << 1 << 0.5 << 0.5 - 2e-6 << false;
    QTest::newRow("NaN fails <=") << 0 << 2.0 << nan << false;
    QTest::newRow("NaN fails ==") << 1 << 2.0 << nan << false;
    QTest::newRow("NaN fails >=") << 2 << 2.0 << nan << false;
}

void TestFilterWidget::thresholds()
{
    QFETCH(int, op);
    QFETCH(double, threshold);
    QFETCH(double, x);
    QFETCH(bool, passes);
    FilterWidget f;
    f.setVariables({"a", "b"});
    use(f, 3, 1, op, threshold);
    QCOMPARE(f.isValid({-7, x}), passes);
    // A NaN in a column no condition tests is no reason to reject.
    QCOMPARE(f.isValid({std::nan(""), x}), passes);
}

void TestFilterWidget::twoConditionsOnOneColumn()
{
    FilterWidget f;
    f.setVariables({"a"});
    use(f, 0, 0, 2, 1);
    use(f, 9, 0, 0, 3);
    const QVector<QPair<double, bool>> cases{{0.5, false}, {1 - 5e-7, true}, {1, true}, {2, true},
                                             {3, true},    {3 + 5e-7, true}, {3.1, false}};
    for (const auto &c : cases)
        QCOMPARE(f.isValid({c.first}), c.second);
    // Unchecked rows are not looked at, whatever they hold.
    QTest::mouseClick(f.useBox(0), Qt::LeftButton);
    QVERIFY(!f.columnList(0)->isEnabled() && !f.operatorList(0)->isEnabled() && !f.valueBox(0)->isEnabled());
    QVERIFY(f.isValid({0.5}));
}

void TestFilterWidget::rejectAllAndLengths()
{
    FilterWidget f;
    QVERIFY(f.isValid({}));
    f.rejectAllBox()->setChecked(true);
    QVERIFY(!f.isValid({}));
    f.rejectAllBox()->setChecked(false);
    f.setVariables({"a", "b", "c"});
    // No row is rejected for its length alone; a column a row lacks reads as missing (1e12).
    QVERIFY(f.isValid({1}));
    QVERIFY(f.isValid({1, 2, 3, 4}));
    use(f, 0, 2, 0, 5);
    QVERIFY(f.isValid({1, 2, 3}));
    QVERIFY(!f.isValid({1, 2}));
    use(f, 1, 2, 2, 5);
    QTest::mouseClick(f.useBox(0), Qt::LeftButton);
    QVERIFY(f.isValid({1, 2}));
}

void TestFilterWidget::sameNamesKeepConditions()
{
    FilterWidget f;
    f.setVariables({"a", "b"});
    use(f, 2, 1, 1, 4.25);
    f.setVariables({"a", "b"});
    QVERIFY(f.useBox(2)->isChecked());
    QVERIFY(f.columnList(2)->isEnabled());
    QCOMPARE(f.columnList(2)->currentIndex(), 1);
    QCOMPARE(f.operatorList(2)->currentIndex(), 1);
    QCOMPARE(f.valueBox(2)->value(), 4.25);
    QVERIFY(!f.isValid({0, 4}));
}

void TestFilterWidget::newNamesSwitchOff_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::newRow("one more") << QStringList{"a", "b", "c"};
    QTest::newRow("swapped") << QStringList{"b", "a"};
    QTest::newRow("none") << QStringList{};
}

void TestFilterWidget::newNamesSwitchOff()
{
    QFETCH(QStringList, names);
    FilterWidget f;
    f.setVariables({"a", "b"});
    use(f, 2, 1, 2, 7.5);
    QVERIFY(f.columnList(2)->isEnabled() && f.operatorList(2)->isEnabled() && f.valueBox(2)->isEnabled());
    QVERIFY(!f.valueBox(3)->isEnabled());
    f.setVariables(names);
    QCOMPARE(f.getVariables(), names);
    QVERIFY(!f.useBox(2)->isChecked());
    QVERIFY(!f.columnList(2)->isEnabled());
    QVERIFY(!f.operatorList(2)->isEnabled());
    QVERIFY(!f.valueBox(2)->isEnabled());
    QCOMPARE(f.valueBox(2)->value(), 7.5);
    QCOMPARE(f.operatorList(2)->currentIndex(), 2);
    QCOMPARE(f.columnList(2)->count(), names.size());
    QCOMPARE(f.columnList(2)->currentIndex(), names.isEmpty() ? -1 : 0);
}

QTEST_MAIN(TestFilterWidget)
#include "tst_filterwidget.moc"
