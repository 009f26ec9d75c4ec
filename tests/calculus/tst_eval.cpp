#include "calculus/Eval.h"

#include <QtTest>
#include <cmath>
#include <limits>

class TestEval : public QObject
{
    Q_OBJECT

private slots:
    void outOfRangeReads()
    {
        Eval e;
        QCOMPARE(e.value(0), 1e12);
        e.push_front(2.0);
        e.push_front(0.0);
        QCOMPARE(e.value(-1), 1e12);
        QCOMPARE(e.value(e.size()), 1e12);
        QCOMPARE(e.value(0), 0.0);
        QCOMPARE(e.value(1), 2.0);
    }

    void violated_data()
    {
        QTest::addColumn<QVector<double>>("values");
        QTest::addColumn<bool>("violated");
        const double nan = std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("empty") << QVector<double>{} << false;
        QTest::newRow("exactly tolerance") << QVector<double>{1e-6} << false;
        QTest::newRow("just above") << QVector<double>{1.000001e-6} << true;
        QTest::newRow("negative") << QVector<double>{-5.0, 0.0} << false;
        QTest::newRow("error flag only") << QVector<double>{1.0, 0.0, 0.0} << true;
        QTest::newRow("last constraint") << QVector<double>{0.0, 0.0, 3.0} << true;
        QTest::newRow("NaN") << QVector<double>{0.0, nan} << true;
    }
    void violated()
    {
        QFETCH(QVector<double>, values);
        QFETCH(bool, violated);
        Eval e;
        for (int i = values.size() - 1; i >= 0; --i)
            e.push_front(values[i]);
        QCOMPARE(e.violated(), violated);
    }

    void display_data()
    {
        QTest::addColumn<QVector<QVector<double>>>("objectives");
        QTest::addColumn<QVector<double>>("values");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QVector<QVector<double>>{} << QVector<double>{} << "";
        QTest::newRow("example") << QVector<QVector<double>>{{3, 0.5}} << QVector<double>{0, 2} << "<3 0.5 >[0][2]";
        QTest::newRow("empty objective") << QVector<QVector<double>>{{}} << QVector<double>{} << "<>";
        QTest::newRow("six digits") << QVector<QVector<double>>{{1.0 / 3}, {1e12}} << QVector<double>{1234567}
                                    << "<0.333333 ><1e+12 >[1.23457e+06]";
    }
    void display()
    {
        QFETCH(QVector<QVector<double>>, objectives);
        QFETCH(QVector<double>, values);
        QFETCH(QString, text);
        Eval e;
        for (const auto &z : objectives)
            e.addZ(z);
        for (int i = values.size() - 1; i >= 0; --i)
            e.push_front(values[i]);
        QCOMPARE(e.display(), text);
    }

    void boardOrder()
    {
        // The board adds each objective, prepends each constraint in its own order and then
        // the error flag: the last constraint comes right after the flag.
        Eval e;
        e.addZ({1, 2});
        e.push_front(0.25); // c1
        e.push_front(0.5);  // c2
        e.push_front(0.0);  // error flag
        QCOMPARE(e.size(), 3);
        QCOMPARE(e.value(0), 0.0);
        QCOMPARE(e.value(1), 0.5);
        QCOMPARE(e.value(2), 0.25);
    }

    void copiesAreDeepAndReplace()
    {
        Eval src;
        src.addZ({1, 2, 3});
        src.addZ({4});
        src.push_front(7);
        src.push_front(8);
        src.push_front(9);

        Eval dst;
        dst.addZ({42});
        dst.push_front(-1);
        dst.copy(&src);
        QCOMPARE(dst.display(), src.display());
        QCOMPARE(dst.sizeZ(), 2);
        QCOMPARE(dst.size(), 3);

        Eval byCtor(src);
        (*src.z())[0][0] = 100;
        src.push_front(5);
        QCOMPARE((*byCtor.z())[0][0], 1.0);
        QCOMPARE((*dst.z())[0][0], 1.0);
        QCOMPARE(byCtor.size(), 3);

        dst.copy(&dst);
        QCOMPARE(dst.size(), 3);
        dst.clear();
        QCOMPARE(dst.size(), 0);
        QCOMPARE(dst.sizeZ(), 0);
        QCOMPARE(dst.display(), QString());
    }
};

QTEST_GUILESS_MAIN(TestEval)
#include "tst_eval.moc"
