#include "InvariantProbe.h"
#include "calculus/BuildCalculus.h"
#include "calculus/Calculus.h"
#include "calculus/CalculusDisplay.h"
#include "graph/Graph.h"
#include "invariants/InvariantCatalogue.h"

#include <QCheckBox>
#include <QtTest>
#include <cxxabi.h>
#include <cstdlib>
#include <algorithm>
#include <memory>
#include <typeinfo>

namespace {
QString className(Calculus *c)
{
    int status = 0;
    char *raw = abi::__cxa_demangle(typeid(*c).name(), nullptr, nullptr, &status);
    const QString text = status == 0 ? QString(raw) : QString();
    std::free(raw);
    return text;
}

struct KeyRow {
    const char *key;
    const char *cls;
    const char *list; // "Val", "Vec", "Mat" or "" for no list
    const char *explorer; // "graph", "node" or "none"
};

// The key table as it stood when the catalogue took it over, in the order of the name lists:
// the catalogue must keep every row of it. Keys added since have no explorer row here.
const KeyRow keyTable[] = {
    {"AVDIST", "invAVDIST", "Val", "graph"},
    {"BALABAN", "invBALABAN", "Val", "graph"},
    {"CLAWS", "invCLAWS", "Val", "graph"},
    {"CLIQMAX", "invCLIQMAX", "Val", "graph"},
    {"CHROMATIC", "invCHROMATIC", "Val", "graph"},
    {"DEGMAX", "invDEGMAX", "Val", "graph"},
    {"DEGMIN", "invDEGMIN", "Val", "graph"},
    {"DIAMETER", "invDIAMETER", "Val", "graph"},
    {"DOMINATION", "invDOMINATION", "Val", "graph"},
    {"ENERGY", "invENERGY", "Val", "graph"},
    {"GIRTH", "invGIRTH", "Val", "graph"},
    {"HARARY", "invHARARY", "Val", "graph"},
    {"K4", "invK4", "Val", "graph"},
    {"KIRCHHOFF", "invKIRCHHOFF", "Val", "graph"},
    {"NCONN", "invNCONN", "Val", "graph"},
    {"ORDER", "invORDER", "Val", "graph"},
    {"PENDING", "invPENDING", "Val", "graph"},
    {"PLATT", "invPLATT", "Val", "graph"},
    {"RADIUS", "invRADIUS", "Val", "graph"},
    {"RANDIC", "invRANDIC", "Val", "graph"},
    {"SIZE", "invSIZE", "Val", "graph"},
    {"STABLEMAX", "invSTABLEMAX", "Val", "graph"},
    {"SZEGED", "invSZEGED", "Val", "graph"},
    {"TRIANGLES", "invTRIANGLES", "Val", "graph"},
    {"WIENER", "invWIENER", "Val", "graph"},
    {"ZAGREBM1", "invZAGREBM1", "Val", "graph"},
    {"ZAGREBM2", "invZAGREBM2", "Val", "graph"},
    {"CENTRALITY", "invCENTRALITY", "Vec", "node"},
    {"CLOSENESS", "invCLOSENESS", "Vec", "node"},
    {"CUTCENTRALITY", "invCUTCENTRALITY", "Vec", "node"},
    {"CHROMATICVAL", "invCHROMATICVAL", "Vec", "node"},
    {"DCENTRALITY", "invDCENTRALITY", "Vec", "node"},
    {"DCENTRALITY2", "invDCENTRALITY2", "Vec", "node"},
    {"DEGREES", "invDEGREES", "Vec", "node"},
    {"DISTCLOSESTLEAF", "invDISTCLOSESTLEAF", "Vec", "node"},
    {"ECCENTRICITY", "invECCENTRICITY", "Vec", "node"},
    {"HARMONIC", "invHARMONIC", "Vec", "node"},
    {"IINDEX", "invIINDEX", "Vec", "node"},
    {"INCLIQMAX", "invINCLIQMAX", "Vec", "graph"},
    {"INDOMINATION", "invINDOMINATION", "Vec", "graph"},
    {"INSTABLEMAX", "invINSTABLEMAX", "Vec", "graph"},
    {"KCHERRIES", "invKCHERRIES", "Vec", "graph"},
    {"NUMERO", "invNUMERO", "Vec", "node"},
    {"ONEVEC", "invONEVEC", "Vec", "node"},
    {"SUMDISTP", "invSUMDISTP", "Vec", "node"},
    {"TRANSMISSION", "invTRANSMISSION", "Vec", "node"},
    {"ADJACENCY", "invADJACENCY", "Mat", "none"},
    {"BETWEENNESS", "invBETWEENNESS", "Mat", "none"},
    {"COMNEIGH", "invCOMNEIGH", "Mat", "none"},
    {"DBETW", "invDBETWEENNESS", "Mat", "none"},
    {"DBETW2", "invDBETWEENNESS2", "Mat", "none"},
    {"DISTANCES", "invDISTANCE", "Mat", "none"},
    {"EINCLIQMAX", "invEINCLIQMAX", "Mat", "graph"},
    {"IDENTITY", "invIDENTITY", "Mat", "none"},
    {"INGIRTH", "invINGIRTH", "Mat", "none"},
    {"INPCC", "invINPCC", "Mat", "none"},
    {"INDIAMETER", "invINDIAMETER", "Mat", "graph"},
    {"LAPLACIAN", "invLAPLACIAN", "Mat", "none"},
    {"MODULARITY", "invMODULARITY", "Mat", "none"},
    {"NLAPLACIAN", "invNLAPLACIAN", "Mat", "none"},
    {"ONEMAT", "invONEMAT", "Mat", "none"},
    {"SLLAPLACIAN", "invSLLAPLACIAN", "Mat", "none"},
    {"NBETWEENNESS", "invNBETWEENNESS", "", "none"},
};

const KeyRow *tableRow(const QString &key)
{
    for (const KeyRow &row : keyTable)
        if (key == row.key)
            return &row;
    return nullptr;
}

QString listName(InvariantCatalogue::List list)
{
    switch (list) {
    case InvariantCatalogue::Values: return "Val";
    case InvariantCatalogue::Vectors: return "Vec";
    case InvariantCatalogue::Matrices: return "Mat";
    case InvariantCatalogue::Unlisted: break;
    }
    return "";
}

// One row per catalogue entry; the class and explorer option from the key table when it has
// the key, an empty explorer (not checked) otherwise.
void addKeyRows()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("cls");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("explorer");
    for (const InvariantCatalogue::Entry &e : InvariantCatalogue::entries()) {
        const KeyRow *row = tableRow(e.key);
        QTest::newRow(e.key) << e.key << (row ? row->cls : e.className) << listName(e.list)
                             << (row ? row->explorer : "");
    }
}

// Makes the item of the key: every catalogue key makes one.
#define MAKE_OR_SKIP(var, key, displayed)                                                                          \
    std::unique_ptr<Calculus> var(BuildCalculus().makeCalculus(key, displayed));                                   \
    QVERIFY2(var, qPrintable(key + " must be made"));

// A connected graph on 7 vertices with a cycle whose complement is connected too.
const char *probeGraph = "7 101100110001101100011";
} // namespace

class TestInvariantKeys : public QObject
{
    Q_OBJECT

private slots:
    void tableMatchesLists()
    {
        BuildCalculus b;
        QStringList val, vec, mat;
        for (const KeyRow &row : keyTable) {
            const QString list = row.list;
            (list == "Val" ? val : list == "Vec" ? vec : mat) << row.key;
        }
        QCOMPARE(int(sizeof keyTable / sizeof keyTable[0]), 63);
        QCOMPARE(b.invariantsVal, InvariantCatalogue::keys(InvariantCatalogue::Values));
        QCOMPARE(b.invariantsVec, InvariantCatalogue::keys(InvariantCatalogue::Vectors));
        QCOMPARE(b.invariantsMat, InvariantCatalogue::keys(InvariantCatalogue::Matrices));
        // The table's keys keep their lists and their order there.
        auto ofTable = [](const QStringList &keys) {
            QStringList out;
            for (const QString &k : keys)
                if (tableRow(k))
                    out << k;
            return out;
        };
        QCOMPARE(val, ofTable(b.invariantsVal));
        QCOMPARE(vec, ofTable(b.invariantsVec));
        QCOMPARE(mat, ofTable(b.invariantsMat) + ofTable(InvariantCatalogue::keys(InvariantCatalogue::Unlisted)));
        for (const KeyRow &row : keyTable) {
            const auto &all = InvariantCatalogue::entries();
            const auto it = std::find_if(all.begin(), all.end(), [&](const InvariantCatalogue::Entry &e) {
                return QString(e.key) == row.key;
            });
            QVERIFY2(it != all.end(), row.key);
            QCOMPARE(QString(it->className), QString(row.cls));
            QCOMPARE(listName(it->list), QString(row.list));
        }
    }

    void displayedItem_data() { addKeyRows(); }
    void displayedItem()
    {
        QFETCH(QString, key);
        QFETCH(QString, cls);
        QFETCH(QString, list);
        QFETCH(QString, explorer);
        MAKE_OR_SKIP(c, key, true);
        QCOMPARE(className(c.get()), cls);
        QCOMPARE(c->getName(), key);
        QCOMPARE(c->getType(), QString("Invariant"));
        QCOMPARE(BuildCalculus().type(key), list.isEmpty() ? 0 : 1);
        QCOMPARE(c->getSRows(), QString(list == "Val" ? "1" : "n"));
        QCOMPARE(c->getSCols(), QString(list == "Val" || list == "Vec" ? "1" : "n"));
        QCOMPARE(c->formula(), key + "(G)");
        QVERIFY(!c->getDescription().isEmpty());
        QVERIFY(!c->getLatexDescription().isEmpty());
        QCOMPARE(c->getNbRows(), 0);
        QCOMPARE(c->toolTip(), key);
        QCOMPARE(c->zValue(), 1.0);
        QVERIFY(c->flags() & QGraphicsItem::ItemIsMovable);
        QVERIFY(c->flags() & QGraphicsItem::ItemIsSelectable);
        QVERIFY(c->pos().x() >= 0 && c->pos().x() < 200 && c->pos().y() >= 0 && c->pos().y() < 200);

        CalculusDisplay *d = c->getCalculusDisplay();
        QVERIFY(d);
        QVERIFY(d->isHidden());
        QCOMPARE(d->getTitle(), key);
        QVERIFY(d->invertBox()->isEnabled());
        if (explorer.isEmpty())
            return;
        QCOMPARE(d->reportBox()->isEnabled(), explorer != "none");
        QCOMPARE(d->graphBox()->isChecked(), explorer != "node");
        QCOMPARE(d->nodeBox()->isChecked(), explorer == "node");
        // Ticking and clearing "Insert in explorer" leaves the nature fixed and disabled.
        for (int click = 0; click < 2; ++click) {
            if (explorer != "none")
                d->reportBox()->click();
            QVERIFY(!d->graphBox()->isEnabled());
            QVERIFY(!d->nodeBox()->isEnabled());
            QVERIFY(!d->vectorBox()->isEnabled());
        }
        QCOMPARE(d->nodeBox()->isChecked(), explorer == "node");
    }

    void undisplayedItemComputes_data() { addKeyRows(); }
    void undisplayedItemComputes()
    {
        QFETCH(QString, key);
        QFETCH(QString, list);
        MAKE_OR_SKIP(c, key, false);
        QVERIFY(!c->getCalculusDisplay());
        QVERIFY(c->toolTip().isEmpty());
        QCOMPARE(c->getName(), key);
        Graph g("g", false);
        g.loadCurrentGraph(probeGraph);
        c->setGraph(&g);
        QVERIFY(c->compute(true));
        if (!c->getError()) {
            QCOMPARE(c->getNbRows(), list == "Val" ? 1 : 7);
            QCOMPARE(c->getNbCols(), list == "Val" || list == "Vec" ? 1 : 7);
        }
    }

    // With "Complement" set an item gives the value of the complement graph and leaves the
    // graph as it was.
    void complementOption_data() { addKeyRows(); }
    void complementOption()
    {
        QFETCH(QString, key);
        MAKE_OR_SKIP(probe, key, false);
        InvariantProbe onGraph;
        onGraph.setGraphText(probeGraph);
        const QString before = onGraph.graph().currentGraphData();
        Calculus *inverted = onGraph.compute(key, true);
        QCOMPARE(onGraph.graph().currentGraphData(), before);
        QCOMPARE(inverted->formula(), key + "(GBAR)");

        onGraph.graph().invert();
        InvariantProbe onComplement;
        onComplement.setGraphText(onGraph.graph().currentGraphData());
        Calculus *plain = onComplement.compute(key);
        QCOMPARE(inverted->getError(), plain->getError());
        QCOMPARE(InvariantProbe::valueOf(inverted), InvariantProbe::valueOf(plain));
    }

    void otherNamesMakeNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("lower case") << "adjacency";
        QTest::newRow("mixed case") << "Kirchhoff";
        QTest::newRow("trailing blank") << "ORDER ";
        QTest::newRow("class name") << "invORDER";
    }
    void otherNamesMakeNothing()
    {
        QFETCH(QString, name);
        QVERIFY(!BuildCalculus().makeCalculus(name, false));
    }
};

QTEST_MAIN(TestInvariantKeys)
#include "tst_invariantkeys.moc"
