#include "conjectures/Conjecture.h"
#include "conjectures/ConjecturesDisplay.h"
#include "conjectures/SimpleDisplay.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QtTest>

class TestConjecturesDisplay : public QObject
{
    Q_OBJECT

private slots:
    void clicks_data();
    void clicks();
    void statistics_data();
    void statistics();
    void refill();
};

namespace {

Conjecture relation(const QString &formula, const QVector<int> &support, double sumErr = 1.0)
{
    return Conjecture(formula, {1.0, -1.0}, 0.0, support.size(), sumErr, support);
}

QLabel *graphLabel(SimpleDisplay *row)
{
    return row->findChildren<QLabel *>().first();
}

}  // namespace

void TestConjecturesDisplay::clicks_data()
{
    QTest::addColumn<QVector<int>>("support");
    QTest::addColumn<QStringList>("labels");    // before any click, then after each click
    QTest::addColumn<QList<int>>("loaded");     // graph numbers asked for, one per click
    QTest::newRow("three graphs wrap around")
        << QVector<int>{4, 9, 17} << QStringList{"5", "10", "18", "5", "10"} << QList<int>{9, 17, 4, 9};
    QTest::newRow("one graph") << QVector<int>{3} << QStringList{"4", "4", "4"} << QList<int>{3, 3};
    QTest::newRow("no graph") << QVector<int>{} << QStringList{"-", "-", "-"} << QList<int>{};
}

// A click on a row's text walks its graphs through the display's signal, labels counting from 1.
void TestConjecturesDisplay::clicks()
{
    QFETCH(QVector<int>, support);
    QFETCH(QStringList, labels);
    QFETCH(QList<int>, loaded);
    ConjecturesDisplay display;
    Conjecture c = relation("1 x <= 3", support);
    display.addConjecture(&c);
    display.rebuild();
    QSignalSpy spy(&display, &ConjecturesDisplay::signal_load_graph);
    auto *row = display.findChild<SimpleDisplay *>();
    QVERIFY(row != nullptr);
    QCOMPARE(graphLabel(row)->text(), labels[0]);
    for (int i = 1; i < labels.size(); ++i) {
        QTest::mouseClick(row->findChild<QPushButton *>(), Qt::LeftButton);
        QCOMPARE(graphLabel(row)->text(), labels[i]);
    }
    QList<int> got;
    for (const QList<QVariant> &args : spy)
        got << args.at(0).toInt();
    QCOMPARE(got, loaded);
    QCOMPARE(graphLabel(row)->palette().color(QPalette::Inactive, QPalette::WindowText), QColor(Qt::red));
}

void TestConjecturesDisplay::statistics_data()
{
    QTest::addColumn<double>("sumErr");
    QTest::addColumn<int>("touching");
    QTest::addColumn<QString>("text");
    QTest::newRow("plain") << 2.5 << 3 << "2.5\t3";
    QTest::newRow("small error") << 1e-6 << 2 << "1e-06\t2";
    QTest::newRow("six digits") << 1234567.0 << 1 << "1.23457e+06\t1";
}

void TestConjecturesDisplay::statistics()
{
    QFETCH(double, sumErr);
    QFETCH(int, touching);
    QFETCH(QString, text);
    SimpleDisplay row("1 y >= 0", {0}, touching, sumErr);
    QCOMPARE(row.findChildren<QLabel *>().at(1)->text(), text);
}

// Refilled twice (rows and frames are freed, which the sanitizers check); the text lists the
// formulas in order; clear() leaves only the heading.
void TestConjecturesDisplay::refill()
{
    ConjecturesDisplay display;
    QCOMPARE(display.getConjectures(), QString());
    for (int round = 0; round < 2; ++round) {
        display.clear();
        Conjecture a = relation("a >= b", {0, 1});
        Conjecture b = relation("c <= d", {});
        display.addConjecture(&a);
        display.addConjecture(&b);
        display.rebuild();
        QCOMPARE(display.nbRows(), 2);
        QCOMPARE(display.findChildren<QScrollArea *>().size(), 1);
        QCOMPARE(display.getConjectures(), QString("a >= b\nc <= d\n"));
    }
    // A rebuild without clear() keeps one scroll area.
    display.rebuild();
    QCOMPARE(display.findChildren<QScrollArea *>().size(), 1);
    display.clear();
    QCOMPARE(display.getConjectures(), QString());
    QCOMPARE(display.findChildren<QScrollArea *>().size(), 0);
    QCOMPARE(display.findChildren<SimpleDisplay *>().size(), 0);
    QCOMPARE(display.findChild<QLabel *>()->text(), QString("Relations"));
}

QTEST_MAIN(TestConjecturesDisplay)
#include "tst_conjecturesdisplay.moc"
