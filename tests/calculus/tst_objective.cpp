#include "PaintProbe.h"
#include "TestItems.h"
#include "calculus/Link.h"
#include "calculus/Z.h"
#include "calculus/ZDisplay.h"
#include "graph/Graph.h"

#include <QCheckBox>
#include <QtTest>
#include <memory>

using PaintProbe::at;

// The objective item and its dialog: the sense, the scaled column, the error states.
class TestObjective : public QObject
{
    Q_OBJECT

    std::unique_ptr<Graph> graph;

    static ZDisplay *dialogOf(Z &z) { return static_cast<ZDisplay *>(z.getCalculusDisplay()); }
    // The factory's sequences for the objective keys.
    static void applyKey(Z &z, const QString &key)
    {
        if (key == "MINIMIZE") {
            z.setMin(true);
            z.setMax(false);
        } else if (key == "MAXIMIZE") {
            z.setMax(true);
            z.setMin(false);
        } else if (key == "MAXMIN") {
            z.setMax(true);
            z.setMin(true);
        }
    }

private slots:
    void init() { graph.reset(new Graph("g", false)); }
    void cleanup() { graph.reset(); }

    void sense_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("obj");
        QTest::addColumn<QString>("tail");
        QTest::addColumn<bool>("minTicked");
        QTest::addColumn<bool>("minEnabled");
        QTest::addColumn<bool>("maxTicked");
        QTest::addColumn<bool>("maxEnabled");
        QTest::newRow("Z") << "Z" << 1 << "\tmin" << true << false << false << true;
        QTest::newRow("MINIMIZE") << "MINIMIZE" << 1 << "\tmin" << true << false << false << true;
        QTest::newRow("MAXIMIZE") << "MAXIMIZE" << -1 << "\tmax" << false << true << true << false;
        QTest::newRow("MAXMIN") << "MAXMIN" << 0 << "\tmaxmin" << true << true << true << true;
    }
    void sense()
    {
        QFETCH(QString, key);
        QFETCH(int, obj);
        QFETCH(QString, tail);
        QFETCH(bool, minTicked);
        QFETCH(bool, minEnabled);
        QFETCH(bool, maxTicked);
        QFETCH(bool, maxEnabled);
        for (bool displayed : {true, false}) {
            Z z(displayed);
            applyKey(z, key);
            QCOMPARE(z.getObj(), obj);
            QCOMPARE(z.specificInformationToSave(), tail);
            if (!displayed)
                continue;
            ZDisplay *d = dialogOf(z);
            QCOMPARE(d->minBox()->isChecked(), minTicked);
            QCOMPARE(d->minBox()->isEnabled(), minEnabled);
            QCOMPARE(d->maxBox()->isChecked(), maxTicked);
            QCOMPARE(d->maxBox()->isEnabled(), maxEnabled);
        }
    }

    void neverBothOff()
    {
        // By the dialog: the last ticked box cannot be unticked.
        Z z(true);
        ZDisplay *d = dialogOf(z);
        QVERIFY(d->getObjMin() && !d->getObjMax());
        QVERIFY(!d->minBox()->isEnabled());
        d->maxBox()->click();
        QVERIFY(d->minBox()->isEnabled());
        d->minBox()->click();
        QVERIFY(!d->getObjMin() && d->getObjMax());
        QVERIFY(!d->maxBox()->isEnabled());
        d->minBox()->click();
        d->maxBox()->click();
        QVERIFY(d->getObjMin() && !d->getObjMax());
        QVERIFY(!d->minBox()->isEnabled());
        // The dialog's choice reaches the item at its next computation.
        CountingInvariant arg(false);
        z.setGraph(graph.get());
        arg.setGraph(graph.get());
        z.setArg1(&arg);
        d->maxBox()->click();
        d->minBox()->click();
        graph->changeBest();
        z.compute(true);
        QCOMPARE(z.getObj(), -1);

        // By program: clearing the only sense hands over to the other.
        Z bare(false);
        bare.setMin(false);
        QCOMPARE(bare.getObj(), -1);
        QVERIFY(bare.getMax());
        bare.setMax(false);
        QCOMPARE(bare.getObj(), 1);
        Z shown(true);
        shown.setMin(false);
        QVERIFY(dialogOf(shown)->getObjMax());
        QVERIFY(!dialogOf(shown)->maxBox()->isEnabled());
        QVERIFY(dialogOf(shown)->minBox()->isEnabled());

        // After setObjMax(false) alone "Minimization" stays ticked and is disabled.
        ZDisplay fresh("Z", "");
        fresh.setObjMin(true);
        fresh.setObjMax(true);
        fresh.setObjMax(false);
        QVERIFY(fresh.getObjMin());
        QVERIFY(!fresh.minBox()->isEnabled());
    }

    void scaledColumn_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<double>("factor");
        QTest::newRow("vector, minimise") << 7 << 1.0;
        QTest::newRow("vector, maximise") << 7 << -1.0;
        QTest::newRow("scalar") << 1 << -1.0;
    }
    void scaledColumn()
    {
        QFETCH(int, rows);
        QFETCH(double, factor);
        graph->loadCurrentGraph("3 110");
        CountingInvariant arg(false);
        arg.shapeRows = rows;
        arg.setGraph(graph.get());
        arg.compute(true);
        Z z(false);
        z.setMin(true);
        z.setMax(true);
        z.setOptFactor(factor);
        z.setGraph(graph.get());
        z.setArg1(&arg);
        QVERIFY(!z.getError());
        QCOMPARE(z.getStatus(), QString("Objective value"));
        QCOMPARE(z.getNbRows(), rows);
        QCOMPARE(z.getNbCols(), 1);
        QCOMPARE(z.getSRows(), QString("1"));
        for (int i = 0; i < rows; ++i) {
            QCOMPARE(z.getValue(i + 1), 2.0);
            QCOMPARE(z.getZ()[i][0], factor * 2.0);
        }
        QCOMPARE(z.formula(), QString("COUNTINV(G)"));
    }

    void errors_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("cols");
        QTest::addColumn<bool>("linked");
        QTest::addColumn<QString>("status");
        QTest::newRow("missing") << 1 << 1 << false << "Missing argument";
        QTest::newRow("matrix") << 7 << 7 << true << "Argument should be a column vector";
        QTest::newRow("no value") << 0 << 0 << true << "Argument should be a column vector";
        QTest::newRow("no rows") << 0 << 1 << true << "Objective value";
    }
    void errors()
    {
        QFETCH(int, rows);
        QFETCH(int, cols);
        QFETCH(bool, linked);
        QFETCH(QString, status);
        CountingInvariant arg(false);
        arg.shapeRows = rows;
        arg.shapeCols = cols;
        arg.setGraph(graph.get());
        arg.compute(true);
        Z z(false);
        z.setGraph(graph.get());
        z.getZ()[0][0] = 42;
        if (linked)
            z.setArg1(&arg);
        else
            z.compute(true);
        QVERIFY(z.getError());
        QCOMPARE(z.getStatus(), status);
        QCOMPARE(z.getNbRows(), 0);
        QCOMPARE(z.getNbCols(), 0);
        QCOMPARE(z.getSRows(), QString("NA"));
        QCOMPARE(z.getSCols(), QString("NA"));
        // The scaled column keeps what it held.
        QCOMPARE(z.getZ()[0][0], 42.0);
        if (!linked)
            QCOMPARE(z.formula(), QString("MISSING ARGUMENT"));
    }

    void refusals()
    {
        Z z(true);
        CountingInvariant a(false);
        Link l(&a, &z, false);
        QVERIFY(!z.setArg2(&a));
        QVERIFY(!z.setArg3(&a));
        QVERIFY(!z.setArg4(&a));
        QCOMPARE(z.getArg(2), nullptr);
        QVERIFY(!z.setLink2(&l));
        QVERIFY(!z.setLink4(&l));
        QVERIFY(!z.setLinkTo(&l));
        QVERIFY(z.getLinksTo().isEmpty());
        QCOMPARE(z.getParam(), -1);
        QCOMPARE(z.getType(), QString("Z"));
        QCOMPARE(z.getName(), QString("Z"));
        QCOMPARE(z.boundingRect(), QRectF(-72, -82, 135, 115));
    }

    // Painting shows the sense and never touches the factor.
    void painting_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("upperLeft");
        QTest::addColumn<QString>("lowerLeft");
        QTest::newRow("min: down arrow") << "MINIMIZE" << "g" << "rgb";
        QTest::newRow("max: up arrow") << "MAXIMIZE" << "rgb" << "g";
        QTest::newRow("maxmin: double arrow") << "MAXMIN" << "rgb" << "rgb";
    }
    void painting()
    {
        QFETCH(QString, key);
        QFETCH(QString, upperLeft);
        QFETCH(QString, lowerLeft);
        Z z(true);
        applyKey(z, key);
        z.setOptFactor(0.5);
        const QImage img = PaintProbe::render(&z);
        QCOMPARE(PaintProbe::hue(at(img, -45, -25)), upperLeft);
        QCOMPARE(PaintProbe::hue(at(img, -45, 25)), lowerLeft);
        QCOMPARE(PaintProbe::hue(at(img, 3, 20)), QString("g"));
        QCOMPARE(z.getOptFactor(), 0.5);

        QCOMPARE(PaintProbe::texts(&z), QStringList({"Z", "0 x 0"}));
        z.setGivenName("cost");
        z.setInReport(true);
        QCOMPARE(PaintProbe::texts(&z), QStringList({"Z", "0 x 0", "cost", "*"}));

        Z bare(false);
        QCOMPARE(PaintProbe::hue(at(PaintProbe::render(&bare), 3, 20)), QString("rgb"));
    }

    void paintingStates()
    {
        CountingInvariant arg(false);
        arg.setGraph(graph.get());
        arg.compute(true);
        Z z(true);
        z.setGraph(graph.get());
        z.setArg1(&arg);
        QCOMPARE(PaintProbe::texts(&z).at(1), QString::number(graph->getNbEdges()));
        z.toggleSelect();
        QCOMPARE(PaintProbe::hue(at(PaintProbe::render(&z), 3, 20)), QString("b"));
        z.toggleSelect();
        arg.failNext = true;
        graph->changeBest();
        arg.compute(true);
        z.bestBackup();
        QCOMPARE(PaintProbe::hue(at(PaintProbe::render(&z), 3, 20)), QString("r"));
    }

    void factorFollowsSense()
    {
        Z z(false);
        z.setOptFactor(-1.0);
        z.setMin(true);
        z.setMax(false);
        QCOMPARE(z.getOptFactor(), 1.0);
        z.setMax(true);
        z.setMin(false);
        QCOMPARE(z.getOptFactor(), -1.0);
        z.setMin(true);
        z.setOptFactor(1.0);
        QCOMPARE(z.getOptFactor(), 1.0);
        z.setOptFactor(-1.0);
        QCOMPARE(z.getOptFactor(), -1.0);
    }
};

QTEST_MAIN(TestObjective)
#include "tst_objective.moc"
