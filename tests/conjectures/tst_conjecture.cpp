#include "conjectures/Conjecture.h"

#include <QtTest>
#include <limits>
#include <memory>

using Coefs = QVector<double>;

class TestConjecture : public QObject
{
    Q_OBJECT

private slots:
    void comparisons_data();
    void comparisons();
    void copiesAreIndependent();
};

void TestConjecture::comparisons_data()
{
    QTest::addColumn<int>("touchA");
    QTest::addColumn<double>("errA");
    QTest::addColumn<Coefs>("coefsA");
    QTest::addColumn<int>("touchB");
    QTest::addColumn<double>("errB");
    QTest::addColumn<Coefs>("coefsB");
    QTest::addColumn<bool>("aLess");
    QTest::addColumn<bool>("bLess");
    QTest::addColumn<bool>("equal");

    const double nan = std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("fewer touching is weaker whatever the errors")
        << 3 << 0.0 << Coefs{1, 0} << 4 << 100.0 << Coefs{1, 0} << true << false << false;
    QTest::newRow("same touching, larger error is weaker")
        << 2 << 5.0 << Coefs{1} << 2 << 4.0 << Coefs{1} << true << false << false;
    QTest::newRow("errors within 1e-6 tie, equal coefficients")
        << 2 << 1.0 << Coefs{1, 2} << 2 << 1.0000005 << Coefs{1, 2} << false << false << true;
    // 0 and 1e-6 are a tie for ==, inclusive, yet 1e-6 >= 0 + 1e-6 makes a the weaker.
    QTest::newRow("errors exactly 1e-6 apart")
        << 2 << 1e-6 << Coefs{1} << 2 << 0.0 << Coefs{1} << true << false << true;
    QTest::newRow("a NaN error is neither less nor equal")
        << 2 << nan << Coefs{1} << 2 << 1.0 << Coefs{1} << false << false << false;
    QTest::newRow("coefficients 5e-7 apart are equal")
        << 1 << 0.0 << Coefs{1, -0.5} << 1 << 0.0 << Coefs{1.0000005, -0.5} << false << false << true;
    QTest::newRow("coefficients 2e-6 apart differ")
        << 1 << 0.0 << Coefs{1, -0.5} << 1 << 0.0 << Coefs{1, -0.500002} << false << false << false;
    QTest::newRow("coefficient lists of different lengths differ")
        << 1 << 0.0 << Coefs{1, 0} << 1 << 0.0 << Coefs{1} << false << false << false;
    QTest::newRow("two empty coefficient lists are equal")
        << 0 << 2.0 << Coefs{} << 0 << 2.0 << Coefs{} << false << false << true;
    QTest::newRow("touching 3 and 4 are not equal")
        << 3 << 1.0 << Coefs{1} << 4 << 1.0 << Coefs{1} << true << false << false;
}

void TestConjecture::comparisons()
{
    QFETCH(int, touchA);
    QFETCH(double, errA);
    QFETCH(Coefs, coefsA);
    QFETCH(int, touchB);
    QFETCH(double, errB);
    QFETCH(Coefs, coefsB);
    QFETCH(bool, aLess);
    QFETCH(bool, bLess);
    QFETCH(bool, equal);

    // Text, offset and support differ on purpose: they play no part.
    const Conjecture a("1 x <= 3", coefsA, 3.0, touchA, errA, QVector<int>{1, 2});
    const Conjecture b("1 y >= 0", coefsB, -7.5, touchB, errB, QVector<int>{9});
    QCOMPARE(a < b, aLess);
    QCOMPARE(b < a, bLess);
    QCOMPARE(a == b, equal);
    QCOMPARE(b == a, equal);
}

void TestConjecture::copiesAreIndependent()
{
    auto source = std::make_unique<Conjecture>("1 x+1 y >= 3", Coefs{-0.5, -0.5}, -1.5, 3, 2.25,
                                               QVector<int>{4, 9, 17});
    const Conjecture fromPointer(source.get());
    const Conjecture copied(*source);
    Conjecture assigned("", Coefs{}, 0.0, 0, 0.0, QVector<int>{});
    assigned = *source;
    source.reset();

    for (const Conjecture *c : std::initializer_list<const Conjecture *>{&fromPointer, &copied, &assigned}) {
        QCOMPARE(c->getFormula(), QString("1 x+1 y >= 3"));
        QCOMPARE(c->getCoefs(), (Coefs{-0.5, -0.5}));
        QCOMPARE(c->getOffset(), -1.5);
        QCOMPARE(c->getTouching(), 3);
        QCOMPARE(c->getSumErr(), 2.25);
        QCOMPARE(c->getSupport(), (QVector<int>{4, 9, 17}));
        QVERIFY(*c == fromPointer);
    }

    const Conjecture none(static_cast<const Conjecture *>(nullptr));
    QVERIFY(none.getFormula().isEmpty());
    QCOMPARE(none.getTouching(), 0);
    QVERIFY(none.getSupport().isEmpty());
}

QTEST_GUILESS_MAIN(TestConjecture)
#include "tst_conjecture.moc"
