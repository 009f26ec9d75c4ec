// The problem-text reader and writer on their own: records out of a text, with a scripted
// vocabulary, and no board or application object.
#include "problem/ProblemText.h"

#include <QtTest>

namespace {
// ORDER is an invariant (1), "+" an operator (3), Z an objective (5), HIDDEN an item that no
// list shows (0); anything else is unknown.
int categoryOf(const QString &key)
{
    if (key == "ORDER")
        return 1;
    if (key == "+")
        return 3;
    if (key == "Z")
        return 5;
    if (key == "HIDDEN")
        return 0;
    return -1;
}

QString record(const QString &key, const QStringList &args, const QString &tail = QString())
{
    return key + "\tname\t1\t0\t1\t0\t12.5\t-3\t" + args.join('\t') + tail;
}
const QStringList none = {"NULL", "NULL", "NULL", "NULL"};
} // namespace

class TestProblemTextParse : public QObject
{
    Q_OBJECT

private slots:
    void recordsOfAGoodText()
    {
        const QString text = record("ORDER", none) + "<NEW>" + record("CONSTANT", none, "\t1\t2\t4\t5") + "<NEW>"
                             + record("+", {"0", "1", "NULL", "NULL"}) + "<NEW>" + record("HIDDEN", none) + "<NEW>"
                             + record("Colors", {"2", "NULL", "NULL", "NULL"}) + "<NEW>"
                             + record("Z", {"2", "NULL", "NULL", "NULL"}, "\tmaxmin") + "<NEW>DESC\tT\tline 1\nline 2";
        ProblemText::Parsed p;
        QString console, error;
        QVERIFY(ProblemText::parse(text, categoryOf, &p, &console, &error));
        QCOMPARE(p.records.size(), 6);
        using R = ProblemText::Record;
        QCOMPARE(p.records[0].kind, R::Item);
        QCOMPARE(p.records[0].category, 1);
        QCOMPARE(p.records[0].givenName, QString("name"));
        QVERIFY(p.records[0].inReport && !p.records[0].node && p.records[0].vector && !p.records[0].invert);
        QCOMPARE(p.records[0].x, 12.5);
        QCOMPARE(p.records[0].y, -3.0);
        QCOMPARE(p.records[1].kind, R::Constant);
        QCOMPARE(p.records[1].rows, 1);
        QCOMPARE(p.records[1].cols, 2);
        QCOMPARE(p.records[1].values, (QVector<double>{4, 5}));
        QCOMPARE(p.records[2].args[0], 0);
        QCOMPARE(p.records[2].args[1], 1);
        QCOMPARE(p.records[2].args[2], -1);
        QCOMPARE(p.records[3].kind, R::Unlisted);
        QCOMPARE(p.records[4].kind, R::Info);
        QVERIFY(p.records[5].hasSense);
        QCOMPARE(p.records[5].sense, QString("maxmin"));
        QVERIFY(p.hasDesc);
        QCOMPARE(p.title, QString("T"));
        QCOMPARE(p.description, QString("line 1\nline 2"));
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("console");
        QTest::addColumn<QString>("error");
        const QString missing = "Critical error, missing argument";
        QTest::newRow("empty text") << "" << missing + "." << missing + ".";
        QTest::newRow("eight fields") << "ORDER\t\t1\t0\t0\t0\t0\t0" << missing + "." << missing + "........";
        QTest::newRow("unknown key") << record("FOO", none) << "FOO is not a valid name in problem description."
                                     << "FOO is not a valid name in problem description.";
        // Only ORDER, "+" and constants count as arguments, and only before the record.
        QTest::newRow("argument not yet built") << record("+", {"0", "NULL", "NULL", "NULL"})
                                                << "Critical error, wrong argument for +"
                                                << "Critical error, wrong argument for +";
        QTest::newRow("negative argument") << record("ORDER", none) + "<NEW>" + record("+", {"-1", "NULL", "NULL", "NULL"})
                                           << "Critical error, wrong argument for +"
                                           << "Critical error, wrong argument for +";
        QTest::newRow("objective counts no argument")
            << record("Z", none, "\tmin") + "<NEW>" + record("+", {"0", "NULL", "NULL", "NULL"})
            << "Critical error, wrong argument for +" << "Critical error, wrong argument for +";
        QTest::newRow("objective without sense") << record("Z", none) << "Critical error, wrong argument for Z"
                                                 << "Critical error, wrong argument for Z";
        QTest::newRow("constant with a missing size") << record("CONSTANT", none, "\t1")
                                                      << "Problem : ERROR LOADING CONSTANT"
                                                      << "Problem : ERROR LOADING CONSTANT";
        QTest::newRow("constant of 33 rows") << record("CONSTANT", none, "\t33\t1")
                                             << "Critical error, invalid value in loading constant."
                                             << "Critical error, invalid value in loading constant";
        QTest::newRow("constant of -1 columns") << record("CONSTANT", none, "\t1\t-1")
                                                << "Critical error, invalid value in loading constant."
                                                << "Critical error, invalid value in loading constant.";
        QTest::newRow("constant with one value too many") << record("CONSTANT", none, "\t1\t1\t2\t3")
                                                          << "Problem : ERROR LOADING CONSTANT"
                                                          << "Problem : ERROR LOADING CONSTANT.";
    }
    void refusals()
    {
        QFETCH(QString, text);
        QFETCH(QString, console);
        QFETCH(QString, error);
        ProblemText::Parsed p;
        QString c, e;
        QVERIFY(!ProblemText::parse(text, categoryOf, &p, &c, &e));
        QCOMPARE(c, console);
        QCOMPARE(e, error);
    }

    void nonFiniteCoordinatesReadAsZero()
    {
        ProblemText::Parsed p;
        QString c, e;
        QVERIFY(ProblemText::parse("ORDER\t\t0\t0\t0\t0\tnan\tinf\tNULL\tNULL\tNULL\tNULL", categoryOf, &p, &c, &e));
        QCOMPARE(p.records[0].x, 0.0);
        QCOMPARE(p.records[0].y, 0.0);
        QVERIFY(!p.hasDesc);
    }

    void composeAndClean()
    {
        QCOMPARE(ProblemText::compose({"A\t1\n", "B\t2\n"}, "T", "D"), QString("A\t1<NEW>B\t2<NEW>DESC\tT\tD"));
        QCOMPARE(ProblemText::compose({}, "", ""), QString("DESC\t\t"));
        QCOMPARE(ProblemText::clean(QString("a\tb<NEW>c") + QChar(0) + "\nd"), QString("a b[NEW]c \nd"));
        // What compose writes, parse reads back.
        ProblemText::Parsed p;
        QString c, e;
        const QString text = ProblemText::compose({record("ORDER", none) + "\n"}, "t", "d");
        QVERIFY(ProblemText::parse(text, categoryOf, &p, &c, &e));
        QCOMPARE(p.records.size(), 1);
        QCOMPARE(p.title, QString("t"));
    }
};

QTEST_APPLESS_MAIN(TestProblemTextParse)
#include "tst_problemtextparse.moc"
