#include "TestItems.h"
#include "calculus/CalculusDisplay.h"
#include "graph/Graph.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QThread>
#include <QtConcurrent>
#include <QtTest>
#include <memory>

// The compute contract of the item base: caching by graph identifier, error propagation,
// the complement option, value access and computation from worker threads.
class TestCalculus : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Graph> graph;

    // A path on 5 vertices: 4 edges; its complement has 6.
    void loadPath() { graph->loadCurrentGraph("5 1010010001"); }

private slots:
    void init()
    {
        graph.reset(new Graph("test", false));
        loadPath();
    }
    void cleanup() { graph.reset(); }

    void newItemHasNoValue()
    {
        CountingOperator item(false);
        QCOMPARE(item.getNbRows(), 0);
        QCOMPARE(item.getNbCols(), 0);
        QCOMPARE(item.getSRows(), QString("NA"));
        QCOMPARE(item.getSCols(), QString("NA"));
        QVERIFY(!item.getError());
        // No value yet: every entry is missing.
        QCOMPARE(item.getValue(1), 1e12);
        QCOMPARE(item.getValue(0), 1e12);
        QCOMPARE(item.getValue(33), 1e12);
        QCOMPARE(item.getValue(-4), 1e12);
        QCOMPARE(item.getValue(32), 1e12);
    }

    void recomputeOncePerIdentifier()
    {
        CountingOperator item(false);
        item.setGraph(graph.get());
        QVERIFY(item.compute(true));
        QCOMPARE(item.recomputes.load(), 1);
        QCOMPARE(item.getValue(1), 4.0);
        QVERIFY(!item.compute(true));
        QVERIFY(!item.compute(true));
        QCOMPARE(item.recomputes.load(), 1);

        // Not crucial and not forced: nothing happens, even on a new identifier.
        graph->changeBest();
        QVERIFY(item.compute(false));
        QCOMPARE(item.recomputes.load(), 1);

        item.set_crucial(true);
        QVERIFY(item.compute(false));
        QCOMPARE(item.recomputes.load(), 2);
        QVERIFY(!item.compute(false));
        QCOMPARE(item.recomputes.load(), 2);

        // An edge change gives a new identifier.
        graph->addEdge(0, 4);
        QVERIFY(item.compute(false));
        QCOMPARE(item.recomputes.load(), 3);
        QCOMPARE(item.getValue(1), 5.0);
        QCOMPARE(item.getLastGraphId(), graph->getID());
    }

    void computeWithoutGraph()
    {
        CountingOperator item(false);
        item.setGraph(graph.get());
        item.compute(true);
        item.setGraph(nullptr);
        QVERIFY(!item.compute(true));
        QVERIFY(item.getError());
        QCOMPARE(item.getValue(1), 4.0);
        QCOMPARE(item.getNbRows(), 1);
        QCOMPARE(item.recomputes.load(), 1);
    }

    void ownErrorKeptOnSameIdentifier()
    {
        CountingOperator item(false);
        item.setGraph(graph.get());
        item.failNext = true;
        item.compute(true);
        QVERIFY(item.getError());
        item.failNext = false;
        QVERIFY(!item.compute(true));
        QVERIFY(item.getError());
        QCOMPARE(item.recomputes.load(), 1);
        QCOMPARE(item.getStatus(), QString("Argument error"));
        graph->changeBest();
        item.compute(true);
        QVERIFY(!item.getError());
        QCOMPARE(item.getStatus(), QString("ok"));
    }

    void argumentErrorPropagates()
    {
        CountingOperator arg(false, "ARG");
        CountingOperator item(false, "USER");
        arg.setGraph(graph.get());
        item.setGraph(graph.get());
        item.setArg2(&arg);
        QCOMPARE(item.recomputes.load(), 1);
        QCOMPARE(item.getNbRows(), 1);

        graph->changeBest();
        arg.failNext = true;
        arg.compute(true);
        item.compute(true);
        QVERIFY(item.getError());
        QCOMPARE(item.getNbRows(), 0);
        QCOMPARE(item.getNbCols(), 0);
        QCOMPARE(item.recomputes.load(), 1);
        // Labels and status text stay as the last recompute left them.
        QCOMPARE(item.getStatus(), QString("ok"));

        // Same identifier: the error stays although the argument is fine again.
        arg.failNext = false;
        item.compute(true);
        QVERIFY(item.getError());

        graph->changeBest();
        arg.compute(true);
        item.compute(true);
        QVERIFY(!item.getError());
        QCOMPARE(item.recomputes.load(), 2);
        QCOMPARE(item.getValue(1), 4.0);
    }

    void crucialMarksReachArguments()
    {
        CountingOperator a(false, "A"), b(false, "B"), top(false, "TOP");
        a.setGraph(graph.get());
        b.setGraph(graph.get());
        top.setGraph(graph.get());
        top.setArg1(&b);
        b.setArg3(&a);
        top.set_crucial(true);
        // The board applies it from the last item of its calculation list to the first.
        top.update_crucial();
        b.update_crucial();
        a.update_crucial();
        QVERIFY(b.isCrucial());
        QVERIFY(a.isCrucial());
    }

    void complementComputesOnComplement_data()
    {
        QTest::addColumn<bool>("displayed");
        QTest::newRow("bare") << false;
        QTest::newRow("displayed") << true;
    }
    void complementComputesOnComplement()
    {
        QFETCH(bool, displayed);
        CountingInvariant item(displayed);
        item.setGraph(graph.get());
        if (displayed) {
            item.getCalculusDisplay()->invertBox()->setChecked(true);
        } else {
            item.setInvertGraph(true);
        }
        QCOMPARE(item.formula(), QString("COUNTINV(GBAR)"));
        const QString before = graph->currentGraphData();
        const int id = graph->getID();

        // Another thread must not get the whole graph while it is complemented: one that asks
        // for it during the recompute gets it only afterwards.
        std::atomic<bool> otherGotGraph{false};
        QThread *other = nullptr;
        Graph *g = graph.get();
        item.duringRecompute = [&] {
            other = QThread::create([&otherGotGraph, g] {
                Graph::Row rows[Graph::MaxNodes];
                g->bestSnapshot(rows);
                otherGotGraph = true;
            });
            other->start();
            QThread::msleep(200);
            QVERIFY(!otherGotGraph);
        };
        item.compute(true);
        QVERIFY(other->wait(20000));
        delete other;
        QVERIFY(otherGotGraph);
        QCOMPARE(item.getValue(1), 6.0);
        QCOMPARE(graph->currentGraphData(), before);
        QCOMPARE(graph->getID(), id);
    }

    void valueOrientation_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("cols");
        QTest::addColumn<double>("third");
        QTest::newRow("row vector") << 1 << 5 << 13.0;
        QTest::newRow("column vector") << 5 << 1 << 31.0;
        QTest::newRow("matrix") << 5 << 5 << 13.0;
    }
    void valueOrientation()
    {
        QFETCH(int, rows);
        QFETCH(int, cols);
        QFETCH(double, third);
        ShapedItem item;
        for (int i = 0; i < 32; ++i)
            for (int j = 0; j < 32; ++j)
                item.getZ()[i][j] = 10 * (i + 1) + (j + 1);
        item.setShape(rows, cols);
        QCOMPARE(item.getValue(3), third);
        QCOMPARE(item.getFirstRow().size(), cols);
        QCOMPARE(item.getFirstCol().size(), rows);
        QCOMPARE(item.getFirstCol().last(), 10.0 * rows + 1);
    }

    void identifierText_data()
    {
        QTest::addColumn<double>("z");
        QTest::addColumn<QString>("id");
        QTest::newRow("integer") << 3.0 << "Operator-3";
        QTest::newRow("half") << 2.5 << "Operator-2.5";
        QTest::newRow("seven digits") << 1234567.0 << "Operator-1.23457e+06";
    }
    void identifierText()
    {
        QFETCH(double, z);
        QFETCH(QString, id);
        CountingOperator item(false);
        item.setZValue(z);
        QCOMPARE(item.getID(), id);
    }

    void bestBackupFillsDialog()
    {
        CountingOperator item(true);
        item.setGraph(graph.get());
        item.bestBackup();
        CalculusDisplay *d = item.getCalculusDisplay();
        QCOMPARE(d->getNbRows(), 1);
        QCOMPARE(d->getNbCols(), 1);
        QCOMPARE(d->getValue(), 4.0);
        QCOMPARE(d->table()->item(0, 0)->text(), QString("4"));
        QCOMPARE(item.toolTip(), QString("ok"));
        QVERIFY(!item.getShownError());

        item.failNext = true;
        graph->changeBest();
        item.bestBackup();
        QVERIFY(item.getShownError());
        QCOMPARE(d->getNbRows(), 0);
        // The dialog keeps its copy's first entry for painting.
        QCOMPARE(d->getValue(), 4.0);
    }

    void reportFlagsFollowDialog()
    {
        CountingInvariant shown(true);
        CountingInvariant bare(false);
        for (Calculus *c : {static_cast<Calculus *>(&shown), static_cast<Calculus *>(&bare)}) {
            QVERIFY(!c->inReport());
            c->setInReport(true);
            c->setNodInReport(true);
            QVERIFY(c->inReport());
            QVERIFY(c->nodInReport());
        }
        // With a dialog the getters give the boxes, also when the user changed them.
        shown.getCalculusDisplay()->reportBox()->setChecked(false);
        QVERIFY(!shown.inReport());
        QVERIFY(!shown.graphInReport());
        shown.getCalculusDisplay()->vectorBox()->setChecked(true);
        QVERIFY(shown.vecInReport());
        QVERIFY(!shown.nodInReport());

        shown.setGivenName("deg");
        QCOMPARE(shown.getCalculusDisplay()->givenName(), QString("deg"));
        shown.getCalculusDisplay()->nameEdit()->setText("typed");
        QCOMPARE(shown.getGivenName(), QString("deg"));
        shown.updateGivenName();
        QCOMPARE(shown.getGivenName(), QString("typed"));
    }

    // Undisplayed items are made and computed in a worker thread; displayed ones are made in
    // the GUI thread and computed in a worker (the graph-list loader does so). Neither may
    // touch a widget from the worker.
    void workerThreadComputation()
    {
        WarningGuard guard;
        CountingOperator shown(true);
        shown.setGraph(graph.get());
        Graph *g = graph.get();
        double bareValue = -1, shownValue = -1;
        bool bareHasDialog = true;
        QThread *worker = QThread::create([&] {
            CountingOperator bare(false);
            CountingInvariant bareInv(false);
            bare.setGraph(g);
            bareInv.setGraph(g);
            bare.setArg1(&bareInv);
            bare.compute(true);
            bareValue = bare.getValue(1);
            bareHasDialog = bare.getCalculusDisplay() != nullptr;
            g->addEdge(0, 2);
            shown.bestBackup();
            shownValue = shown.getValue(1);
        });
        worker->start();
        QVERIFY(worker->wait(20000));
        delete worker;
        QCOMPARE(bareValue, 4.0);
        QVERIFY(!bareHasDialog);
        QCOMPARE(shownValue, 5.0);
        // The dialog's refresh was handed to the GUI thread.
        QTRY_COMPARE(shown.getCalculusDisplay()->getNbRows(), 1);
        QCOMPARE(shown.getCalculusDisplay()->getValue(), 5.0);
        QVERIFY2(WarningGuard::messages().isEmpty(), qPrintable(WarningGuard::messages().join('\n')));
    }

    void registryForgetsDeletedItems()
    {
        Calculus::clearVectorCalculus();
        auto *a = new CountingOperator(false);
        CountingOperator b(false);
        Calculus::addVectorCalculus(a);
        Calculus::addVectorCalculus(&b);
        QCOMPARE(Calculus::vectorCalculusSize(), 2);
        delete a;
        QCOMPARE(Calculus::vectorCalculusSize(), 1);
        Calculus::clearVectorCalculus();
        QCOMPARE(Calculus::vectorCalculusSize(), 0);
    }

    void concurrentComputeOfOneItem()
    {
        CountingInvariant item(false);
        item.setGraph(graph.get());
        QVector<QFuture<double>> runs;
        for (int t = 0; t < 4; ++t)
            runs << QtConcurrent::run([&item] {
                item.compute(true);
                return item.getValue(1);
            });
        for (auto &f : runs)
            QCOMPARE(f.result(), 4.0);
        QCOMPARE(item.recomputes.load(), 1);
    }

private:
    // An item whose value the test writes directly, to read it back through the accessors.
    class ShapedItem : public CountingOperator
    {
    public:
        ShapedItem() : CountingOperator(false) {}
        void setShape(int r, int c)
        {
            nbRows = r;
            nbCols = c;
        }
    };
};

QTEST_MAIN(TestCalculus)
#include "tst_calculus.moc"
