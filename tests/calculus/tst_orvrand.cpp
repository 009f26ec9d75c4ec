#include "calculus/orv_rand.h"

#include <QtTest>

class TestOrvRand : public QObject
{
    Q_OBJECT

private slots:
    void integerStaysInRange()
    {
        qsrand(12345);
        QCOMPARE(orv_rand(0), 0);
        QCOMPARE(orv_rand(-5), 0);
        QVector<int> seen(7, 0);
        for (int k = 0; k < 20000; ++k) {
            QCOMPARE(orv_rand(1), 0);
            const int r = orv_rand(7);
            QVERIFY(r >= 0 && r < 7);
            ++seen[r];
        }
        for (int c : seen)
            QVERIFY(c > 2000); // every value is drawn, roughly uniformly
    }

    void doubleStaysInUnitInterval()
    {
        qsrand(7);
        double lo = 1, hi = 0;
        for (int k = 0; k < 20000; ++k) {
            const double x = orv_rand();
            QVERIFY(x >= 0.0 && x <= 1.0);
            lo = std::min(lo, x);
            hi = std::max(hi, x);
        }
        QVERIFY(lo < 0.01);
        QVERIFY(hi > 0.99);
    }
};

QTEST_GUILESS_MAIN(TestOrvRand)
#include "tst_orvrand.moc"
