#include "calculus/BuildCalculus.h"
#include "calculus/Calculus.h"
#include "calculus/Z.h"
#include "calculus/invConstant.h"
#include "graph/Graph.h"

#include "TestItems.h"

#include <QtTest>
#include <memory>

class TestItemRecord : public QObject
{
    Q_OBJECT

private slots:
    void operatorRecord()
    {
        CountingOperator plus(false, "+");
        CountingInvariant a(false), b(false);
        a.setNumber(0);
        b.setNumber(2);
        plus.setArg1(&a);
        plus.setArg2(&b);
        plus.setInReport(true);
        plus.setPos(100, -50.5);
        QCOMPARE(plus.getCaractToSave(), QString("+\t\t1\t0\t0\t0\t100\t-50.5\t0\t2\tNULL\tNULL\n"));
    }

    void objectiveRecords_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("tail");
        QTest::addColumn<int>("obj");
        QTest::newRow("Z") << "Z" << "min" << 1;
        QTest::newRow("OBJECTIVE") << "OBJECTIVE" << "min" << 1;
        QTest::newRow("MINIMIZE") << "MINIMIZE" << "min" << 1;
        QTest::newRow("MAXIMIZE") << "MAXIMIZE" << "max" << -1;
        QTest::newRow("MAXMIN") << "MAXMIN" << "maxmin" << 0;
    }
    void objectiveRecords()
    {
        QFETCH(QString, key);
        QFETCH(QString, tail);
        QFETCH(int, obj);
        BuildCalculus build;
        QCOMPARE(build.type(key), 5);
        std::unique_ptr<Calculus> z(build.makeCalculus(key, false));
        QVERIFY(z);
        QVERIFY(dynamic_cast<Z *>(z.get()));
        QCOMPARE(z->getName(), QString("Z"));
        QCOMPARE(z->getType(), QString("Z"));
        QCOMPARE(z->getObj(), obj);
        CountingInvariant arg(false);
        arg.setNumber(3);
        z->setArg1(&arg);
        z->setPos(250, 40);
        const QStringList fields = z->getCaractToSave().split('\t');
        QCOMPARE(fields.size(), 13);
        QCOMPARE(fields[0], QString("Z"));
        QCOMPARE(fields[1], QString());
        QCOMPARE(fields.mid(6, 6), QStringList({"250", "40", "3", "NULL", "NULL", "NULL"}));
        QCOMPARE(fields[12], tail + "\n");
    }

    void constantRecords()
    {
        BuildCalculus build;
        std::unique_ptr<invConstant> c(build.makeConstant(false));
        std::unique_ptr<Calculus> same(build.makeCalculus("CONSTANT", true));
        QVERIFY(dynamic_cast<invConstant *>(same.get()));
        QVERIFY(same->isDisplayed());
        QVERIFY(!c->isDisplayed());
        QCOMPARE(c->getType(), QString("Operator"));
        QVERIFY(c->loadData(2, 3, {1, 2, 3, 4, 5, 6}));
        c->setPos(0, 0);
        QVERIFY(c->getCaractToSave().endsWith("\tNULL\tNULL\tNULL\tNULL\t2\t3\t1\t2\t3\t4\t5\t6\n"));
        QVERIFY(c->loadData(0, 0, {}));
        QVERIFY(c->getCaractToSave().endsWith("\tNULL\t0\t0\n"));
        // Full precision survives the record.
        QVERIFY(c->loadData(1, 2, {1234567.891, 3.14159265358979}));
        QVERIFY(c->getCaractToSave().endsWith("\t1\t2\t1234567.891\t3.14159265358979\n"));
    }

    void givenNamesCannotBreakARecord_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("written");
        QTest::newRow("plain") << "degree sum" << "degree sum";
        QTest::newRow("tab") << "a\tb" << "a b";
        QTest::newRow("line feed") << "a\nb\r" << "a b ";
        QTest::newRow("separator") << "x<NEW>y" << "x[NEW]y";
        QTest::newRow("nested separator") << "<<NEW>NEW>" << "<[NEW]NEW>";
        QTest::newRow("nul") << QString("a") + QChar(0) + "b" << "a b";
    }
    void givenNamesCannotBreakARecord()
    {
        QFETCH(QString, given);
        QFETCH(QString, written);
        CountingInvariant item(false, "WIENER");
        item.setGivenName(given);
        QCOMPARE(item.getGivenName(), written);
        const QString record = item.getCaractToSave();
        QCOMPARE(record.count('\n'), 1);
        QVERIFY(!record.contains("<NEW>"));
        const QStringList fields = record.split('\t');
        QCOMPARE(fields.size(), 12);
        QCOMPARE(fields[1], written);
    }

    void problemDocumentBlock()
    {
        CountingOperator sum(false, "SUM");
        sum.setGivenName("degree sum");
        sum.setZValue(3);
        QCOMPARE(sum.problemDocument(),
                 QString("Operator-3: SUM (degree sum)\nRows: %1\nColumns: %2\n").arg(sum.getSRows(), sum.getSCols()));

        CountingOperator op(false, "OP");
        CountingInvariant a(false), b(false);
        a.setZValue(1);
        b.setZValue(2.5);
        op.setArg2(&a);
        op.setArg4(&b);
        const QStringList lines = op.problemDocument().split('\n');
        QCOMPARE(lines.size(), 6);
        QVERIFY(!lines[0].contains('('));
        QCOMPARE(lines[3], QString("arg2 = Invariant-1"));
        QCOMPARE(lines[4], QString("arg4 = Invariant-2.5"));
        QCOMPARE(lines[5], QString());
    }

    void documentationTexts()
    {
        BuildCalculus build;
        std::unique_ptr<Calculus> z(build.makeCalculus("Z", false));
        const QString entry = "Z : " + z->getDescription() + "\n";
        QCOMPARE(z->textDocumentation(), entry);
        QCOMPARE(build.textDefinition("MAXMIN"), entry);
        QCOMPARE(build.toolTip("OBJECTIVE"), "Z: " + entry);
        QCOMPARE(build.latexDefinition("Z"), z->latexDocumentation() + "\\n\\n");
        QCOMPARE(build.Documentation("MAXIMIZE"), build.textDefinition("MAXIMIZE"));
        // Category names are case-sensitive; other texts are one item name.
        QCOMPARE(build.Documentation("operators"), QString("Undefined object."));
        QCOMPARE(build.toolTip("nothing"), QString("Undefined object."));
        QCOMPARE(build.latexDefinition("nothing"), QString("Undefined object."));
        // The five objective keys close "All" with the same entry five times.
        QVERIFY(build.Documentation("All").endsWith(entry + entry + entry + entry + entry));

        CountingInvariant named(false, "WIENER");
        named.setGivenName("w");
        QVERIFY(named.textDocumentation().startsWith("w : "));
    }
};

QTEST_MAIN(TestItemRecord)
#include "tst_itemrecord.moc"
