#include "TestItems.h"
#include "calculus/ConstantDisplay.h"
#include "calculus/Link.h"
#include "calculus/invConstant.h"
#include "graph/Graph.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QThread>
#include <QtTest>
#include <memory>

// The constant item and its dialog: definition by table, clone, the record tail and its
// reading back.
class TestConstant : public QObject
{
    Q_OBJECT

    std::unique_ptr<Graph> graph;

    static ConstantDisplay *dialogOf(invConstant &c) { return static_cast<ConstantDisplay *>(c.getCalculusDisplay()); }
    static QPushButton *button(ConstantDisplay *d, const QString &text)
    {
        for (QPushButton *b : d->findChildren<QPushButton *>())
            if (b->text() == text)
                return b;
        return nullptr;
    }
    // Reads a record tail as the board does: rows, columns, then the values.
    static bool reload(invConstant &c, const QString &tail)
    {
        const QStringList f = tail.split('\t').mid(1);
        QVector<double> values;
        for (int i = 2; i < f.size(); ++i)
            values << f[i].toDouble();
        return c.loadData(f[0].toInt(), f[1].toInt(), values);
    }
    void recomputeNow(Calculus &c)
    {
        graph->changeBest();
        c.compute(true);
    }

private slots:
    void init() { graph.reset(new Graph("g", false)); }
    void cleanup() { graph.reset(); }

    void newConstant_data()
    {
        QTest::addColumn<bool>("displayed");
        QTest::newRow("displayed") << true;
        QTest::newRow("bare") << false;
    }
    void newConstant()
    {
        QFETCH(bool, displayed);
        invConstant c(displayed);
        QCOMPARE(c.getName(), QString("CONSTANT"));
        QCOMPARE(c.getType(), QString("Operator"));
        QCOMPARE(c.formula(), QString("CONSTANT"));
        QCOMPARE(c.getLatexDescription(), QString("Constant value, vector or matrix defined by the user."));
        QVERIFY(c.getDescription().endsWith("the \"Apply\" button must be pressed to make the changes effective."));
        QCOMPARE(c.getSRows(), QString("1"));
        QCOMPARE(c.getCalculusDisplay() != nullptr, displayed);
        c.setGraph(graph.get());
        c.compute(true);
        // A new dialog holds the 1 x 1 value 0; a bare constant has no value until loaded.
        QCOMPARE(c.getNbRows(), displayed ? 1 : 0);
        QCOMPARE(c.getError(), !displayed);
        QCOMPARE(c.getValue(1), displayed ? 0.0 : 1e12);
        QCOMPARE(c.getSRows(), QString(displayed ? "1" : "0"));
        QCOMPARE(c.getParam(), -1);
    }

    void onlySlotOne()
    {
        invConstant c(false);
        CountingInvariant a(false);
        Link *l1 = new Link(&a, &c, false);
        Link l2(&a, &c, false);
        QVERIFY(c.setLink1(l1));
        QVERIFY(a.setLinkTo(l1));
        QVERIFY(!c.setLink2(&l2));
        QVERIFY(!c.setLink3(&l2));
        QVERIFY(!c.setLink4(&l2));
        QVERIFY(!c.setArg2(&a));
        QVERIFY(!c.setArg3(&a));
        QVERIFY(!c.setArg4(&a));
        QVERIFY(c.setArg1(&a));
        QCOMPARE(c.getArg(1), &a);
        // A constant may be the argument of others.
        CountingOperator user(false);
        Link *out = new Link(&c, &user, false);
        QVERIFY(c.setLinkTo(out));
        delete out;
    }

    // Values typed, saved and reloaded come back as the same doubles, in the undisplayed
    // copies of the optimiser too.
    void saveAndReload_data()
    {
        QTest::addColumn<bool>("displayed");
        QTest::newRow("displayed") << true;
        QTest::newRow("bare") << false;
    }
    void saveAndReload()
    {
        QFETCH(bool, displayed);
        const QVector<double> values{1234567.891, -0.1, 3.14159265358979, 1e-300, 6, 1.0 / 3};
        invConstant c(true);
        c.setGraph(graph.get());
        ConstantDisplay *d = dialogOf(c);
        button(d, "add row")->click();
        button(d, "add row")->click();
        button(d, "add col")->click();
        // Typed text is read at full precision.
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 2; ++j)
                d->table()->item(i, j)->setText(QString::number(values[i * 2 + j], 'g', 17));
        button(d, "Apply")->click();
        c.compute(true);
        QCOMPARE(c.getNbRows(), 3);
        QCOMPARE(c.getNbCols(), 2);
        const QString tail = c.specificInformationToSave();
        QVERIFY(tail.startsWith("\t3\t2\t1234567.891\t-0.1\t"));

        invConstant back(displayed);
        back.setGraph(graph.get());
        QVERIFY(reload(back, tail));
        back.compute(true);
        QCOMPARE(back.getNbRows(), 3);
        QCOMPARE(back.getNbCols(), 2);
        QCOMPARE(back.getSRows(), QString("3"));
        QCOMPARE(back.getSCols(), QString("2"));
        QVERIFY(!back.getError());
        QMutexLocker locker(&back.getValueLock());
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 2; ++j)
                QCOMPARE(back.entry(i, j), values[i * 2 + j]);
        locker.unlock();
        QCOMPARE(back.specificInformationToSave(), tail);
        if (displayed)
            QCOMPARE(dialogOf(back)->table()->item(0, 0)->text(), QString("1.23457e+06"));
    }

    void tails()
    {
        invConstant c(false);
        QVERIFY(c.loadData(2, 1, {3, 0.5}));
        QCOMPARE(c.specificInformationToSave(), QString("\t2\t1\t3\t0.5"));
        QVERIFY(c.loadData(0, 0, {}));
        QCOMPARE(c.specificInformationToSave(), QString("\t0\t0"));
    }

    void refusedLoadKeepsValue_data()
    {
        QTest::addColumn<bool>("displayed");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("cols");
        QTest::addColumn<int>("count");
        QTest::newRow("too many values") << false << 2 << 3 << 7;
        QTest::newRow("too few values") << true << 2 << 3 << 5;
        QTest::newRow("33 rows") << true << 33 << 1 << 33;
        QTest::newRow("negative") << false << -1 << 2 << 0;
    }
    void refusedLoadKeepsValue()
    {
        QFETCH(bool, displayed);
        QFETCH(int, rows);
        QFETCH(int, cols);
        QFETCH(int, count);
        invConstant c(displayed);
        c.setGraph(graph.get());
        QVERIFY(c.loadData(1, 2, {7, 8}));
        QVERIFY(!c.loadData(rows, cols, QVector<double>(count, 1.0)));
        recomputeNow(c);
        QCOMPARE(c.getNbRows(), 1);
        QCOMPARE(c.getNbCols(), 2);
        QCOMPARE(c.getValue(2), 8.0);
        if (displayed) {
            QCOMPARE(dialogOf(c)->getNbCols(), 2);
            QCOMPARE(dialogOf(c)->table()->columnCount(), 2);
        }
    }

    void fullSizeAccepted()
    {
        invConstant c(false);
        c.setGraph(graph.get());
        QVector<double> v(32 * 32);
        for (int i = 0; i < v.size(); ++i)
            v[i] = i;
        QVERIFY(c.loadData(32, 32, v));
        c.compute(true);
        QCOMPARE(c.getNbRows(), 32);
        QCOMPARE(c.getValue(32), 31.0);
        QVERIFY(c.specificInformationToSave().endsWith("\t1023"));
    }

    void growAndShrink()
    {
        invConstant c(true);
        c.setGraph(graph.get());
        ConstantDisplay *d = dialogOf(c);
        QCOMPARE(d->table()->item(0, 0)->text(), QString("0"));
        QCOMPARE(d->table()->item(0, 0)->textAlignment(), int(Qt::AlignRight | Qt::AlignVCenter));
        for (int i = 0; i < 40; ++i) {
            button(d, "add row")->click();
            button(d, "add col")->click();
        }
        QCOMPARE(d->getNbRows(), 32);
        QCOMPARE(d->table()->rowCount(), 32);
        QCOMPARE(d->table()->columnCount(), 32);
        QCOMPARE(d->table()->item(5, 31)->text(), QString("0"));
        button(d, "Apply")->click();
        c.compute(true);
        QCOMPARE(c.getNbRows(), 32);
        QCOMPARE(c.getNbCols(), 32);
        for (int i = 0; i < 40; ++i)
            button(d, "del col")->click();
        QCOMPARE(d->getNbCols(), 1);
        button(d, "del row")->click();
        recomputeNow(c);
        QCOMPARE(c.getNbRows(), 31);
        QCOMPARE(c.getNbCols(), 1);
    }

    void cellTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("letters") << "abc" << 0.0;
        QTest::newRow("exponent") << "2.5e3" << 2500.0;
        QTest::newRow("long") << "0.1234567890123" << 0.1234567890123;
    }
    void cellTexts()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        invConstant c(true);
        c.setGraph(graph.get());
        dialogOf(c)->table()->item(0, 0)->setText(text);
        QCOMPARE(dialogOf(c)->getM()[0][0], value);
        // A typed value takes effect at the next computation.
        recomputeNow(c);
        QCOMPARE(c.getValue(1), value);
    }

    void cloneOnce()
    {
        CountingInvariant arg(false, "VEC");
        arg.shapeRows = 5;
        arg.setGraph(graph.get());
        invConstant c(true);
        c.setGraph(graph.get());
        c.setArg1(&arg);
        graph->loadCurrentGraph("3 110");
        arg.compute(true);
        ConstantDisplay *d = dialogOf(c);
        button(d, "Clone")->click();
        arg.compute(true);
        c.compute(true);
        QCOMPARE(c.getNbRows(), 5);
        QCOMPARE(c.getNbCols(), 1);
        QCOMPARE(c.getSRows(), QString("5"));
        QCOMPARE(c.getSCols(), QString("1"));
        QCOMPARE(c.getValue(5), 2.0);
        QCOMPARE(d->table()->rowCount(), 5);
        QCOMPARE(d->table()->item(4, 0)->text(), QString("2"));

        // Later changes of the argument do not reach the constant.
        graph->addEdge(0, 1);
        graph->addEdge(1, 2);
        graph->addEdge(0, 2);
        arg.compute(true);
        QCOMPARE(arg.getValue(1), 3.0);
        c.compute(true);
        QCOMPARE(c.getValue(5), 2.0);

        // Asking clears the flag: one click, one clone.
        button(d, "Clone")->click();
        QVERIFY(d->clone());
        QVERIFY(!d->clone());
    }

    void cloneFailures()
    {
        CountingInvariant arg(false, "EMPTY");
        arg.setGraph(graph.get());
        invConstant c(true);
        c.setGraph(graph.get());
        c.setArg1(&arg);
        arg.shapeRows = 0;
        ConstantDisplay *d = dialogOf(c);
        button(d, "Clone")->click();
        arg.compute(true);
        c.compute(true);
        QVERIFY(c.getError());
        QCOMPARE(c.getNbRows(), 0);
        QCOMPARE(c.getStatus(), QString("Argument error"));
        // The table is kept, and the next computation takes it again.
        QCOMPARE(d->table()->rowCount(), 1);
        recomputeNow(c);
        QVERIFY(!c.getError());
        QCOMPARE(c.getNbRows(), 1);

        // Without an argument "Clone" only recomputes from the table.
        invConstant lone(true);
        lone.setGraph(graph.get());
        button(dialogOf(lone), "Clone")->click();
        lone.compute(true);
        QVERIFY(!dialogOf(lone)->clone());
        QCOMPARE(lone.getNbRows(), 1);
    }

    void cloneInWorkerThread()
    {
        WarningGuard guard;
        CountingInvariant arg(false, "VEC");
        arg.shapeRows = 3;
        arg.setGraph(graph.get());
        invConstant c(true);
        c.setGraph(graph.get());
        c.setArg1(&arg);
        button(dialogOf(c), "Clone")->click();
        QThread *worker = QThread::create([&] {
            arg.compute(true);
            c.compute(true);
        });
        worker->start();
        QVERIFY(worker->wait(20000));
        delete worker;
        QCOMPARE(c.getNbRows(), 3);
        // The table follows in the GUI thread.
        QTRY_COMPARE(dialogOf(c)->table()->rowCount(), 3);
        QVERIFY2(WarningGuard::messages().isEmpty(), qPrintable(WarningGuard::messages().join('\n')));
    }

    void dialogLayout()
    {
        ConstantDisplay d("CONSTANT", "help");
        QCOMPARE(d.windowTitle(), QString("Constant definition"));
        auto *tabs = d.findChild<QTabWidget *>();
        QCOMPARE(tabs->count(), 2);
        QCOMPARE(tabs->tabText(0), QString("Results"));
        QCOMPARE(tabs->tabText(1), QString("Description"));
        QCOMPARE(d.invertBox()->text(), QString("Invert"));
        QCOMPARE(d.nodeBox()->text(), QString("Node value"));
        QVERIFY(d.graphInReport());
        QVERIFY(!d.clone());
        // The computed value never overwrites the table.
        QVector<QVector<double>> m(32, QVector<double>(32, 9.0));
        d.setValues(m, 2, 2);
        QCOMPARE(d.getNbRows(), 1);
        QCOMPARE(d.getValue(), 0.0);
        d.show();
        button(&d, "Done")->click();
        QVERIFY(d.isHidden());
    }
};

QTEST_MAIN(TestConstant)
#include "tst_constant.moc"
