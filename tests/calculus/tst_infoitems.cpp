#include "PaintProbe.h"
#include "TestItems.h"
#include "calculus/CalculusDisplay.h"
#include "calculus/Link.h"
#include "calculus/infoEDGE.h"
#include "calculus/infoNODE.h"
#include "graph/Graph.h"

#include <QtTest>
#include <memory>

using PaintProbe::at;

// The board's four info items: what they accept and copy for the graph view.
class TestInfoItems : public QObject
{
    Q_OBJECT

    std::unique_ptr<Graph> graph;

    static std::unique_ptr<Calculus> make(const QString &name, bool displayed)
    {
        if (name == "Colors" || name == "Labels")
            return std::unique_ptr<Calculus>(new infoNODE(name, displayed));
        return std::unique_ptr<Calculus>(new infoEDGE(name, displayed));
    }
    // Links the source as argument 1 the way the board does.
    static void link(Calculus *source, Calculus *info)
    {
        auto *l = new Link(source, info, false);
        QVERIFY(info->setLink1(l));
        QVERIFY(source->setLinkTo(l));
        QVERIFY(info->setArg1(source));
    }

private slots:
    void init()
    {
        graph.reset(new Graph("g", false));
        graph->loadCurrentGraph("6 101010101010101");
    }
    void cleanup() { graph.reset(); }

    void accepts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("cols");
        QTest::addColumn<QString>("status");
        const QString vec = "Argument should be a vector";
        const QString mat = "Argument should be a matrix n x n";
        QTest::newRow("Colors, vertex vector") << "Colors" << 6 << 1 << "Colors";
        QTest::newRow("Colors, matrix") << "Colors" << 6 << 6 << vec;
        QTest::newRow("Labels, longer column") << "Labels" << 9 << 1 << "Labels";
        QTest::newRow("Labels, shorter column") << "Labels" << 2 << 1 << "Labels";
        QTest::newRow("Labels, row") << "Labels" << 1 << 6 << vec;
        QTest::newRow("E_Labels, n x n") << "E_Labels" << 6 << 6 << "E_Labels";
        QTest::newRow("E_Labels, vector") << "E_Labels" << 6 << 1 << mat;
        QTest::newRow("E_Labels, (n-1) x (n-1)") << "E_Labels" << 5 << 5 << mat;
        QTest::newRow("E_Hilights, 5 x 5 on 6 vertices") << "E_Hilights" << 5 << 5 << mat;
        QTest::newRow("E_Hilights, n x n") << "E_Hilights" << 6 << 6 << "E_Hilights";
    }
    void accepts()
    {
        QFETCH(QString, name);
        QFETCH(int, rows);
        QFETCH(int, cols);
        QFETCH(QString, status);
        CountingInvariant arg(false, "ARG");
        arg.shapeRows = rows;
        arg.shapeCols = cols;
        arg.setGraph(graph.get());
        arg.compute(true);
        auto info = make(name, false);
        info->setGraph(graph.get());
        link(&arg, info.get());
        const bool ok = status == name;
        QCOMPARE(info->getStatus(), status);
        QCOMPARE(info->getError(), !ok);
        QCOMPARE(info->getNbRows(), ok ? rows : 0);
        QCOMPARE(info->getNbCols(), ok ? cols : 0);
        if (ok) {
            const int edges = graph->getNbEdges();
            QCOMPARE(info->getValue(1), double(edges));
            QCOMPARE(info->getFirstCol(), QVector<double>(rows, edges));
        } else {
            QVERIFY(info->getFirstCol().isEmpty());
        }
        // The labels are never set.
        QCOMPARE(info->getSRows(), QString("NA"));
        QCOMPARE(info->formula(), name + " = ARG(G)");
    }

    void freshItems_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("Colors") << "Colors";
        QTest::newRow("Labels") << "Labels";
        QTest::newRow("E_Labels") << "E_Labels";
        QTest::newRow("E_Hilights") << "E_Hilights";
    }
    void freshItems()
    {
        QFETCH(QString, name);
        for (bool displayed : {false, true}) {
            auto info = make(name, displayed);
            QCOMPARE(info->getType(), QString("INFO"));
            QCOMPARE(info->getName(), name);
            QCOMPARE(info->getDescription(), QString("N/A"));
            QCOMPARE(info->getCalculusDisplay() != nullptr, displayed);
            QCOMPARE(info->formula(), name);
            QCOMPARE(info->getParam(), -1);
            info->setParam(3);
            QCOMPARE(info->getParam(), -1);
            QCOMPARE(info->specificInformationToSave(), QString());
            QCOMPARE(info->boundingRect(), QRectF(-72, -82, 135, 115));
            info->setGraph(graph.get());
            info->compute(true);
            QVERIFY(info->getError());
            QCOMPARE(info->getStatus(), QString("Missing argument"));
            QCOMPARE(info->getNbRows(), 0);
            if (displayed) {
                QCOMPARE(info->getCalculusDisplay()->getDescription(),
                         QString("Some edge related information for graphical representation purpose."));
                QCOMPARE(info->toolTip(), name);
            }
        }
    }

    void refusals()
    {
        CountingInvariant a(false);
        for (const QString &name : QStringList{"Colors", "E_Labels"}) {
            auto info = make(name, false);
            Link l(&a, info.get(), false);
            QVERIFY(!info->setLink2(&l));
            QVERIFY(!info->setLink3(&l));
            QVERIFY(!info->setLink4(&l));
            QVERIFY(!info->setArg2(&a));
            QVERIFY(!info->setArg3(&a));
            QVERIFY(!info->setArg4(&a));
            QVERIFY(!info->setLinkTo(&l));
            QVERIFY(info->getLinksTo().isEmpty());
            QCOMPARE(info->getArg(2), nullptr);
        }
    }

    void linkingRenewsGraphAndDeletingSourceEmptiesSlot()
    {
        auto *arg = new CountingInvariant(false, "ARG");
        arg->setGraph(graph.get());
        arg->compute(true);
        infoNODE colors("Colors", false);
        colors.setGraph(graph.get());
        const int id = graph->getID();
        link(arg, &colors);
        QVERIFY(graph->getID() != id);
        QVERIFY(!colors.getError());
        delete arg;
        QCOMPARE(colors.getArg(1), nullptr);
        QVERIFY(!colors.isLinked(1));
        graph->changeBest();
        colors.compute(true);
        QCOMPARE(colors.getStatus(), QString("Missing argument"));
    }

    void painting()
    {
        infoEDGE info("E_Labels", true);
        QCOMPARE(PaintProbe::texts(&info), QStringList({"E_Labels"}));
        const QImage plain = PaintProbe::render(&info);
        QCOMPARE(PaintProbe::hue(at(plain, 3, 20)), QString("gb"));
        // A diamond: its corners are outside.
        QCOMPARE(PaintProbe::hue(at(plain, -55, -25)), QString("rgb"));
        info.select(true);
        QCOMPARE(PaintProbe::hue(at(PaintProbe::render(&info), 3, 20)), QString("b"));
        // Taking a link draws it unselected again.
        CountingInvariant a(false);
        auto *l = new Link(&a, &info, false);
        QVERIFY(info.setLink1(l));
        QVERIFY(a.setLinkTo(l));
        QVERIFY(!info.isSelectedMark());
        QCOMPARE(l->getArgNo(), 1);
        QCOMPARE(PaintProbe::hue(at(PaintProbe::render(&info), 3, 20)), QString("gb"));
    }
};

QTEST_MAIN(TestInfoItems)
#include "tst_infoitems.moc"
