#include "calculus/BuildCalculus.h"

#include <QtTest>

class TestBuildCalculus : public QObject
{
    Q_OBJECT

private slots:
    void listSizesAndOrder()
    {
        BuildCalculus b;
        QCOMPARE(b.operators.size(), 51);
        QCOMPARE(b.invariantsVal.size(), 27);
        QCOMPARE(b.invariantsVec.size(), 19);
        QCOMPARE(b.invariantsMat.size(), 16);
        QCOMPARE(b.invariantsFam.size(), 7);
        QCOMPARE(b.constraints.size(), 6);
        QCOMPARE(b.all.size(), 131);
        QCOMPARE(b.all.first(), QString("AVDIST"));
        QCOMPARE(b.all.last(), QString("MAXMIN"));
        const int constant = b.all.indexOf("CONSTANT");
        QCOMPARE(b.all.at(constant - 1), QString("TREE"));
        QCOMPARE(b.all.at(constant + 1), QString("+"));
        // Not alphabetical where the vocabulary says so.
        QVERIFY(b.invariantsVal.indexOf("CLIQMAX") < b.invariantsVal.indexOf("CHROMATIC"));
        QVERIFY(b.operators.indexOf("ANGLE") < b.operators.indexOf("ABS"));
        QVERIFY(b.invariantsMat.indexOf("INPCC") < b.invariantsMat.indexOf("INDIAMETER"));
        QCOMPARE(b.all.removeDuplicates(), 0);
    }

    void categories_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("category");
        QTest::newRow("scalar") << "WIENER" << 1;
        QTest::newRow("vector") << "DEGREES" << 1;
        QTest::newRow("matrix") << "DBETW2" << 1;
        QTest::newRow("family") << "TREE" << 2;
        QTest::newRow("operator") << "VALUE AT" << 3;
        QTest::newRow("constant") << "CONSTANT" << 3;
        QTest::newRow("constraint") << ">=" << 4;
        QTest::newRow("connected") << "CONNECTED" << 4;
        QTest::newRow("objective") << "OBJECTIVE" << 5;
        QTest::newRow("maxmin") << "MAXMIN" << 5;
        QTest::newRow("lower case") << "wiener" << 0;
        QTest::newRow("no blank") << "VALUEAT" << 0;
        QTest::newRow("orphan") << "NBETWEENNESS" << 0;
        QTest::newRow("empty") << "" << 0;
    }
    void categories()
    {
        QFETCH(QString, key);
        QFETCH(int, category);
        BuildCalculus b;
        QCOMPARE(b.type(key), category);
    }

    void everyListedKeyHasACategory()
    {
        BuildCalculus b;
        for (const QString &key : b.all)
            QVERIFY2(b.type(key) > 0, qPrintable(key));
    }

    void unknownKeyMakesNothing()
    {
        BuildCalculus b;
        QVERIFY(b.makeCalculus("wiener", false) == nullptr);
        QVERIFY(b.makeCalculus("", true) == nullptr);
    }
};

QTEST_GUILESS_MAIN(TestBuildCalculus)
#include "tst_buildcalculus.moc"
