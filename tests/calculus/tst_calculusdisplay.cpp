#include "calculus/CalculusDisplay.h"
#include "graph/Graph.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QtTest>

class TestCalculusDisplay : public QObject
{
    Q_OBJECT

private slots:
    void defaults()
    {
        CalculusDisplay d("WIENER", "Wiener index");
        QVERIFY(d.isHidden());
        QCOMPARE(d.windowTitle(), QString("Item information"));
        auto *tabs = d.findChild<QTabWidget *>();
        QVERIFY(tabs);
        QCOMPARE(tabs->count(), 3);
        QCOMPARE(tabs->tabText(0), QString("Settings"));
        QCOMPARE(tabs->tabText(1), QString("Results"));
        QCOMPARE(tabs->tabText(2), QString("Description"));

        QVERIFY(d.reportBox()->isEnabled());
        QVERIFY(!d.reportBox()->isChecked());
        QVERIFY(!d.invertBox()->isEnabled());
        QVERIFY(!d.invertBox()->isChecked());
        QVERIFY(d.graphBox()->isChecked());
        for (QCheckBox *b : {d.graphBox(), d.nodeBox(), d.vectorBox()})
            QVERIFY(!b->isEnabled());
        QCOMPARE(d.titleLabel()->text(), QString("NA"));
        QCOMPARE(d.table()->rowCount(), 0);
        QCOMPARE(d.table()->columnCount(), 0);
        QVERIFY(d.graphInReport());
        QVERIFY(!d.inReport() && !d.nodInReport() && !d.vecInReport() && !d.invertGraph());
        QVERIFY(!d.clone());
        QVERIFY(d.getObjMin() && d.getObjMax());
        QCOMPARE(d.getM().size(), 32);
        QCOMPARE(d.getDescription(), QString("Wiener index"));
    }

    void reportCoupling()
    {
        CalculusDisplay d("X", "");
        d.reportBox()->click();
        QVERIFY(d.inReport());
        for (QCheckBox *b : {d.graphBox(), d.nodeBox(), d.vectorBox()})
            QVERIFY(b->isEnabled());
        // The nature boxes are exclusive.
        d.nodeBox()->click();
        QVERIFY(d.nodInReport());
        QVERIFY(!d.graphInReport());
        QVERIFY(!d.graphBox()->isChecked());
        d.reportBox()->click();
        for (QCheckBox *b : {d.graphBox(), d.nodeBox(), d.vectorBox()})
            QVERIFY(!b->isEnabled());

        // A tick set by program does not couple.
        d.setInReport(true);
        QVERIFY(d.inReport());
        QVERIFY(!d.graphBox()->isEnabled());

        d.disconnectReport();
        d.reportBox()->click();
        d.reportBox()->click();
        QVERIFY(!d.graphBox()->isEnabled());
    }

    void setters()
    {
        CalculusDisplay d("X", "");
        d.setVecInReport(true);
        QVERIFY(d.vecInReport() && !d.graphInReport());
        d.setGraphInReport(true);
        QVERIFY(d.graphInReport() && !d.vecInReport());
        d.enableReport(false);
        QVERIFY(!d.reportBox()->isEnabled());
        d.enableInvertGraph(true);
        QVERIFY(d.invertBox()->isEnabled());
        d.setInvertGraph(true);
        QVERIFY(d.invertGraph());
        d.enableNatureInReport(true);
        QVERIFY(d.nodeBox()->isEnabled());
    }

    void nameEditMirrorsLabel()
    {
        CalculusDisplay d("X", "");
        QTest::keyClicks(d.nameEdit(), "ab");
        QCOMPARE(d.givenNameLabel()->text(), QString("ab"));
        QCOMPARE(d.givenName(), QString("ab"));
        d.setGivenName("deg sum");
        QCOMPARE(d.nameEdit()->text(), QString("deg sum"));
        QCOMPARE(d.givenNameLabel()->text(), QString("deg sum"));
        d.setTitle("SUM");
        QCOMPARE(d.titleLabel()->text(), QString("SUM"));
    }

    void givenNameWithoutEdit()
    {
        CalculusDisplay bare;
        bare.setTitle("T");
        QCOMPARE(bare.givenName(), QString("T"));
        QVERIFY(!bare.graphInReport());
        QVERIFY(!bare.inReport());
    }

    void setValuesTable()
    {
        CalculusDisplay d("X", "");
        QVector<QVector<double>> m(32, QVector<double>(32, 0.0));
        m[0][0] = 1.0 / 3;
        d.setValues(m, 1, 1);
        QCOMPARE(d.table()->rowCount(), 1);
        QCOMPARE(d.table()->columnCount(), 1);
        QCOMPARE(d.table()->item(0, 0)->text(), QString("0.333333"));
        QCOMPARE(d.getValue(), 1.0 / 3);

        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 2; ++j)
                m[i][j] = i * 10 + j + (i == 2 && j == 1 ? 1e12 : 0);
        d.setValues(m, 3, 2);
        QCOMPARE(d.getNbRows(), 3);
        QCOMPARE(d.getNbCols(), 2);
        QCOMPARE(d.table()->rowCount(), 3);
        QCOMPARE(d.table()->columnCount(), 2);
        QCOMPARE(d.table()->item(0, 0)->text(), QString("0"));
        QCOMPARE(d.table()->item(1, 1)->text(), QString("11"));
        QCOMPARE(d.table()->item(2, 1)->text(), QString("1e+12"));
        QCOMPARE(d.getM()[1][1], 11.0);
        d.setValues(m, 0, 0);
        QCOMPARE(d.table()->rowCount(), 0);
    }

    void complementChangesIdentifier()
    {
        Graph g("g", false);
        CalculusDisplay d("X", "");
        d.enableInvertGraph(true);
        d.setGraph(&g);
        const int id = g.getID();
        d.invertBox()->click();
        QVERIFY(g.getID() != id);
        QVERIFY(d.invertGraph());
    }

    void doneHidesAndRefreshes()
    {
        CalculusDisplay d("X", "");
        QSignalSpy spy(&d, &CalculusDisplay::signal_refresh);
        d.show();
        const auto buttons = d.findChildren<QPushButton *>();
        QCOMPARE(buttons.size(), 2);
        for (QPushButton *b : buttons) {
            QCOMPARE(b->text(), QString("Done"));
            d.show();
            b->click();
            QVERIFY(d.isHidden());
        }
        QCOMPARE(spy.count(), 2);
    }
};

QTEST_MAIN(TestCalculusDisplay)
#include "tst_calculusdisplay.moc"
