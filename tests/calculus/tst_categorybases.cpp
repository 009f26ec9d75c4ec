#include "TestItems.h"
#include "calculus/Link.h"
#include "graph/Graph.h"

#include <QtTest>
#include <functional>
#include <memory>

// Which arrows and arguments each category accepts, and what its base sets up.
class TestCategoryBases : public QObject
{
    Q_OBJECT

    static Calculus *make(const QString &category)
    {
        if (category == "Invariant")
            return new CountingInvariant(false);
        if (category == "Operator")
            return new CountingOperator(false);
        if (category == "Constraint")
            return new TestConstraint(false);
        return new TestFamily(false);
    }

private slots:
    void acceptRefuse_data()
    {
        // Per slot 1..4: '1' accepted, '0' refused.
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("links");
        QTest::addColumn<bool>("linkTo");
        QTest::addColumn<QString>("argsAccepted");
        QTest::newRow("Invariant") << "Invariant" << "0000" << true << "0000";
        QTest::newRow("Operator") << "Operator" << "1111" << true << "1111";
        QTest::newRow("Constraint") << "Constraint" << "1100" << false << "1100";
        QTest::newRow("Family") << "Family" << "0000" << false << "0000";
    }
    void acceptRefuse()
    {
        QFETCH(QString, category);
        QFETCH(QString, links);
        QFETCH(bool, linkTo);
        QFETCH(QString, argsAccepted);
        std::unique_ptr<Calculus> item(make(category));
        std::unique_ptr<Calculus> arg(new CountingInvariant(false, "ARG"));
        Graph graph("g", false);
        item->setGraph(&graph);
        arg->setGraph(&graph);

        const std::function<bool(Link *)> setLink[4] = {
            [&](Link *l) { return item->setLink1(l); }, [&](Link *l) { return item->setLink2(l); },
            [&](Link *l) { return item->setLink3(l); }, [&](Link *l) { return item->setLink4(l); }};
        const std::function<bool(Calculus *)> setArg[4] = {
            [&](Calculus *c) { return item->setArg1(c); }, [&](Calculus *c) { return item->setArg2(c); },
            [&](Calculus *c) { return item->setArg3(c); }, [&](Calculus *c) { return item->setArg4(c); }};

        for (int k = 1; k <= 4; ++k) {
            Link *l = new Link(arg.get(), item.get(), false);
            const bool accepted = setLink[k - 1](l);
            QCOMPARE(accepted, links[k - 1] == '1');
            QCOMPARE(item->isLinked(k), accepted);
            if (accepted) {
                QVERIFY(arg->setLinkTo(l));
                QCOMPARE(l->getArgNo(), k);
                // Accepting stores the arrow only; the argument follows with the setter.
                QCOMPARE(item->getArg(k), nullptr);
            } else {
                QCOMPARE(l->getArgNo(), -1);
            }
            const int idBefore = graph.getID();
            const bool argAccepted = setArg[k - 1](arg.get());
            QCOMPARE(argAccepted, argsAccepted[k - 1] == '1');
            QCOMPARE(item->getArg(k), argAccepted ? arg.get() : nullptr);
            // Setting an argument gives the graph a new identifier so everything recomputes.
            QCOMPARE(graph.getID() != idBefore, argAccepted);
            if (!accepted)
                delete l; // the board discards a refused arrow
        }

        Link *out = new Link(item.get(), arg.get(), false);
        QCOMPARE(item->setLinkTo(out), linkTo);
        QCOMPARE(item->getLinksTo().contains(out), linkTo);
        delete out;
        QVERIFY(item->getLinksTo().isEmpty());
        QCOMPARE(item->getParam(), -1);
        item->setParam(5);
        QCOMPARE(item->getParam(), -1);
        QCOMPARE(item->getObj(), 0);
        QCOMPARE(item->specificInformationToSave(), QString());
        QVERIFY(&item->getZ() != nullptr);
        QCOMPARE(item->getZ().size(), 32);
    }

    void baseSetUp_data()
    {
        QTest::addColumn<QString>("category");
        QTest::addColumn<int>("rows");
        QTest::newRow("Invariant") << "Invariant" << 0;
        QTest::newRow("Operator") << "Operator" << 0;
        QTest::newRow("Constraint") << "Constraint" << 0;
        QTest::newRow("Family") << "Family" << 1;
    }
    void baseSetUp()
    {
        QFETCH(QString, category);
        QFETCH(int, rows);
        std::unique_ptr<Calculus> item(make(category));
        QCOMPARE(item->getType(), category);
        QCOMPARE(item->getNbRows(), rows);
        QCOMPARE(item->getNbCols(), rows);
        QCOMPARE(item->getBoxWidth(), 120);
        QCOMPARE(item->getBoxHeight(), 60);
        QCOMPARE(item->boundingRect(), QRectF(-72, -82, 135, 115));
    }

    void randomPositionInRange()
    {
        // Displayed items stand where their base drew them: x and y in 0..199.
        for (int i = 0; i < 50; ++i) {
            CountingOperator item(true);
            QVERIFY(item.pos().x() >= 0 && item.pos().x() <= 199);
            QVERIFY(item.pos().y() >= 0 && item.pos().y() <= 199);
            QCOMPARE(item.pos().x(), std::floor(item.pos().x()));
        }
    }

    void formulas()
    {
        CountingInvariant inv(false, "WIENER");
        QCOMPARE(inv.formula(), QString("WIENER(G)"));
        inv.setInvertGraph(true);
        QCOMPARE(inv.formula(), QString("WIENER(GBAR)"));
        TestFamily fam(false);
        QCOMPARE(fam.formula(), QString("TESTF"));
    }

    void constraintTexts()
    {
        TestConstraint c(false);
        QCOMPARE(c.getArgText(1), QString("Left hand side (should match the dimension of rhs)"));
        QCOMPARE(c.getArgText(2), QString("Right hand side (could be a vector or a value)"));
        QCOMPARE(c.getArgText(3), QString());
        QVERIFY(c.getLatexDescription().startsWith("Returns the sum of violations."));
        // The plain description stays the base's.
        QCOMPARE(c.getDescription(), QString("N/A"));
    }

    void replacingLinkKeepsOldOne()
    {
        CountingInvariant a(false, "A"), b(false, "B");
        auto *op = new CountingOperator(false);
        Link *first = new Link(&a, op, false);
        Link *second = new Link(&b, op, false);
        QVERIFY(op->setLink1(first) && a.setLinkTo(first));
        QVERIFY(op->setLink1(second) && b.setLinkTo(second));
        QCOMPARE(op->getLink(1), second);
        // The replaced arrow is still listed by its source, which deletes it; the target
        // going first must leave it nothing to reach (AddressSanitizer watches this).
        QVERIFY(a.getLinksTo().contains(first));
        delete op;
        QVERIFY(b.getLinksTo().isEmpty());
        QCOMPARE(first->to(), nullptr);
        QVERIFY(a.getLinksTo().contains(first));
    }
};

QTEST_MAIN(TestCategoryBases)
#include "tst_categorybases.moc"
