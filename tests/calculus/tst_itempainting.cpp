#include "PaintProbe.h"
#include "TestItems.h"
#include "calculus/CalculusDisplay.h"
#include "calculus/invConstant.h"
#include "graph/Graph.h"

#include <QtTest>
#include <memory>

using PaintProbe::at;
using PaintProbe::hue;

// The boxes of the four categories and of the constant: colour by state, texts and marks.
class TestItemPainting : public QObject
{
    Q_OBJECT

    std::unique_ptr<Graph> graph;

    static Calculus *make(const QString &category)
    {
        if (category == "Invariant")
            return new CountingInvariant(true);
        if (category == "Operator")
            return new CountingOperator(true);
        if (category == "Constraint")
            return new TestConstraint(true);
        if (category == "Family")
            return new TestFamily(true);
        return new invConstant(true);
    }
    static void setDialogValue(Calculus *item, double v, int rows = 1, int cols = 1)
    {
        QVector<QVector<double>> m(32, QVector<double>(32, v));
        item->getCalculusDisplay()->setValues(m, rows, cols);
    }
    void putInError(Calculus *item)
    {
        if (auto *c = dynamic_cast<Counting *>(item))
            c->failNext = true;
        item->setGraph(graph.get());
        graph->changeBest();
        item->bestBackup();
        QVERIFY(item->getShownError());
    }

private slots:
    void init() { graph.reset(new Graph("g", false)); }
    void cleanup() { graph.reset(); }

    // Near the focal point of each box's gradient its inner colour shows.
    void stateColours_data()
    {
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("state");
        QTest::addColumn<double>("dialogValue");
        QTest::addColumn<QString>("hue");
        QTest::newRow("invariant plain") << "Invariant" << "plain" << 0.0 << "g";
        QTest::newRow("invariant selected") << "Invariant" << "selected" << 0.0 << "b";
        QTest::newRow("invariant error") << "Invariant" << "error" << 0.0 << "r";
        QTest::newRow("operator plain") << "Operator" << "plain" << 0.0 << "rb";
        QTest::newRow("operator selected") << "Operator" << "selected" << 0.0 << "b";
        QTest::newRow("operator error") << "Operator" << "error" << 0.0 << "r";
        QTest::newRow("constraint satisfied at 1e-6") << "Constraint" << "plain" << 1e-6 << "g";
        QTest::newRow("constraint violated") << "Constraint" << "plain" << 1.0001e-6 << "rb";
        QTest::newRow("constraint NaN") << "Constraint" << "plain" << qQNaN() << "rb";
        QTest::newRow("constraint selected violated") << "Constraint" << "selected" << 5.0 << "b";
        QTest::newRow("constraint error") << "Constraint" << "error" << 0.0 << "r";
        QTest::newRow("family true (-1)") << "Family" << "plain" << -1.0 << "g";
        QTest::newRow("family false (1e-7)") << "Family" << "plain" << 1e-7 << "r";
        QTest::newRow("family error") << "Family" << "error" << 1.0 << "rgb";
        QTest::newRow("family selected") << "Family" << "selected" << 1.0 << "b";
        QTest::newRow("constant with value") << "Constant" << "plain" << 0.0 << "rg";
        QTest::newRow("constant selected") << "Constant" << "selected" << 0.0 << "b";
    }
    void stateColours()
    {
        QFETCH(QString, category);
        QFETCH(QString, state);
        QFETCH(double, dialogValue);
        QFETCH(QString, hue);
        std::unique_ptr<Calculus> item(make(category));
        if (state == "error")
            putInError(item.get());
        if (state == "selected")
            item->toggleSelect();
        if (category != "Constant") {
            setDialogValue(item.get(), dialogValue);
        } else {
            // A constant shows its own value: until its first computation it has none.
            QCOMPARE(PaintProbe::hue(at(PaintProbe::render(item.get()), 3, 25)), state == "selected" ? "b" : "r");
            item->setGraph(graph.get());
            item->compute(true);
        }
        const QImage img = PaintProbe::render(item.get());
        const bool rectangle = category == "Invariant" || category == "Family";
        QCOMPARE(PaintProbe::hue(at(img, 3, rectangle ? 26 : 25)), hue);
        // Outside the box nothing is painted.
        QCOMPARE(PaintProbe::hue(at(img, 0, 45)), QString("rgb"));
    }

    void constantWithoutValueIsRed()
    {
        invConstant c(true);
        c.setGraph(graph.get());
        QVERIFY(!c.loadData(2, 2, {1, 2, 3})); // refused: nothing changes
        QVERIFY(c.loadData(0, 0, {}));
        QCOMPARE(PaintProbe::hue(at(PaintProbe::render(&c), 3, 25)), QString("r"));
    }

    void valueTexts_data()
    {
        QTest::addColumn<QString>("category");
        QTest::addColumn<int>("ownRows");
        QTest::addColumn<int>("dialogRows");
        QTest::addColumn<double>("dialogValue");
        QTest::addColumn<QString>("text");
        QTest::newRow("invariant scalar") << "Invariant" << 1 << 1 << 1.0 / 3 << "0.333333";
        QTest::newRow("invariant vector") << "Invariant" << 5 << 5 << 2.0 << "5 x 1";
        QTest::newRow("operator scalar") << "Operator" << 1 << 1 << 1e12 << "1e+12";
        QTest::newRow("operator vector") << "Operator" << 1 << 7 << 2.0 << "7 x 1";
        QTest::newRow("constraint") << "Constraint" << 3 << 3 << 0.25 << "0.25";
        QTest::newRow("family yes") << "Family" << 1 << 1 << -1.0 << "Yes";
        QTest::newRow("family no") << "Family" << 1 << 1 << 1e-7 << "No";
    }
    void valueTexts()
    {
        QFETCH(QString, category);
        QFETCH(int, ownRows);
        QFETCH(int, dialogRows);
        QFETCH(double, dialogValue);
        QFETCH(QString, text);
        std::unique_ptr<Calculus> item(make(category));
        dynamic_cast<Counting *>(item.get())->shapeRows = ownRows;
        item->setGraph(graph.get());
        item->compute(true);
        setDialogValue(item.get(), dialogValue, dialogRows, 1);
        QCOMPARE(PaintProbe::texts(item.get()), QStringList({item->getName(), text}));
    }

    void constantTexts()
    {
        invConstant c(true);
        c.setGraph(graph.get());
        QVERIFY(c.loadData(3, 2, {1, 2, 3, 4, 5, 6}));
        QCOMPARE(PaintProbe::texts(&c), QStringList({"CONSTANT", "3 x 2"}));
        QVERIFY(c.loadData(1, 1, {2.5}));
        QCOMPARE(PaintProbe::texts(&c), QStringList({"CONSTANT", "2.5"}));
    }

    void marks_data()
    {
        QTest::addColumn<QString>("category");
        QTest::addColumn<bool>("tag");
        QTest::addColumn<bool>("report");
        QTest::addColumn<bool>("complement");
        QTest::newRow("Invariant") << "Invariant" << true << true << true;
        QTest::newRow("Operator") << "Operator" << true << true << false;
        QTest::newRow("Constraint") << "Constraint" << false << false << true;
        QTest::newRow("Family") << "Family" << true << true << true;
        QTest::newRow("Constant") << "Constant" << false << false << false;
    }
    void marks()
    {
        QFETCH(QString, category);
        QFETCH(bool, tag);
        QFETCH(bool, report);
        QFETCH(bool, complement);
        std::unique_ptr<Calculus> item(make(category));
        const QStringList plain = PaintProbe::texts(item.get());
        QCOMPARE(PaintProbe::hue(at(PaintProbe::render(item.get()), 0, -33)), QString("rgb"));

        item->setGivenName("my name");
        item->setInReport(true);
        item->getCalculusDisplay()->setInvertGraph(true);
        const QStringList marked = PaintProbe::texts(item.get());
        QCOMPARE(marked.contains("my name"), tag);
        QCOMPARE(marked.contains("*"), report);
        QCOMPARE(marked.contains("i"), complement);
        QCOMPARE(marked.size(), plain.size() + int(tag) + int(report) + int(complement));
        // The tag stands above the box.
        const QString above = PaintProbe::hue(at(PaintProbe::render(item.get()), 0, -33));
        QCOMPARE(above != "rgb", tag);
    }
};

QTEST_MAIN(TestItemPainting)
#include "tst_itempainting.moc"
