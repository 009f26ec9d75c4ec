#include "conjectures/Conjecture.h"

#include <QtTest>
#include <cmath>
#include <limits>
#include <memory>

using Coefs = QVector<double>;

class TestConjecture : public QObject
{
    Q_OBJECT

private slots:
    void comparisons_data();
    void comparisons();
    void sameBound_data();
    void sameBound();
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
    QTest::newRow("equal errors of 1e12 are not less than each other")
        << 2 << 1e12 << Coefs{1} << 2 << 1e12 << Coefs{1} << false << false << true;
    QTest::newRow("infinite errors are not less than each other")
        << 2 << HUGE_VAL << Coefs{1} << 2 << HUGE_VAL << Coefs{1} << false << false << false;
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
    // One bound found by two jobs: rounding moves error sums in the thousands by more than 1e-6.
    QTest::newRow("error sums 1593 apart by 8e-5 are equal")
        << 493 << 1593.00002 << Coefs{0.57735, -0.57735, -0.57735} << 493 << 1593.0001
        << Coefs{0.57735002, -0.57735, -0.57735} << false << true << true;
    QTest::newRow("error sums 1593 apart by 2e-3 differ")
        << 493 << 1593.0 << Coefs{1} << 493 << 1593.002 << Coefs{1} << false << true << false;
    QTest::newRow("coefficients compared after division by their lengths")
        << 2 << 0.0 << Coefs{2, -1} << 2 << 0.0 << Coefs{1, -0.5} << false << false << true;
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

void TestConjecture::sameBound_data()
{
    QTest::addColumn<Coefs>("coefsA");
    QTest::addColumn<double>("offsetA");
    QTest::addColumn<Coefs>("coefsB");
    QTest::addColumn<double>("offsetB");
    QTest::addColumn<bool>("same");

    const double r3 = 1 / std::sqrt(3.0);
    const Coefs a{r3, -r3, -r3};
    QTest::newRow("one bound") << a << -40 * r3 << a << -40 * r3 << true;
    QTest::newRow("tilted by 2.4e-8") << a << -40 * r3 << Coefs{r3 + 2.4e-8, -r3, -r3 - 1e-8} << -40 * r3 + 3e-8
                                      << true;
    QTest::newRow("one bound, scaled") << a << -40 * r3 << Coefs{2 * r3, -2 * r3, -2 * r3} << -80 * r3 << true;
    QTest::newRow("offsets 5e-5 apart") << a << -4e3 << a << -4e3 - 5e-5 << true;
    QTest::newRow("offsets 2e-3 apart") << a << -4e3 << a << -4e3 * (1 + 5e-7) << false;
    QTest::newRow("parallel, another offset") << a << -40 * r3 << a << -41 * r3 << false;
    QTest::newRow("tilted by 2e-6") << a << -40 * r3 << Coefs{r3 + 2e-6, -r3, -r3} << -40 * r3 << true;
    QTest::newRow("tilted by 2e-4") << a << -40 * r3 << Coefs{r3 + 2e-4, -r3, -r3} << -40 * r3 << false;
    QTest::newRow("opposite directions") << a << 0.0 << Coefs{-r3, r3, r3} << 0.0 << false;
    QTest::newRow("other lengths") << Coefs{1, 0} << 1.0 << Coefs{1} << 1.0 << false;
}

// What was counted on a bound plays no part: touching 492 or 493 graphs, any error sum.
void TestConjecture::sameBound()
{
    QFETCH(Coefs, coefsA);
    QFETCH(double, offsetA);
    QFETCH(Coefs, coefsB);
    QFETCH(double, offsetB);
    QFETCH(bool, same);
    const Conjecture a("a", coefsA, offsetA, 493, 1593.0, QVector<int>{1});
    const Conjecture b("b", coefsB, offsetB, 492, 1600.5, QVector<int>{2});
    QCOMPARE(a.sameBound(b), same);
    QCOMPARE(b.sameBound(a), same);
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
