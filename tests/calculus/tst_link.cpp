#include "TestItems.h"
#include "calculus/Link.h"
#include "graph/Graph.h"

#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <QtTest>

// Arrows between items: who deletes them, how both ends forget them, their geometry.
// Every case runs under AddressSanitizer, which catches a second deletion or a dangling end.
class TestLink : public QObject
{
    Q_OBJECT

    // Links the source as argument k of the target the way the board does.
    static Link *link(Calculus *source, Calculus *target, int k, bool displayed = false)
    {
        auto *l = new Link(source, target, displayed);
        bool ok = false;
        switch (k) {
        case 1: ok = target->setLink1(l); break;
        case 2: ok = target->setLink2(l); break;
        case 3: ok = target->setLink3(l); break;
        default: ok = target->setLink4(l); break;
        }
        if (!ok || !source->setLinkTo(l)) {
            delete l;
            return nullptr;
        }
        switch (k) {
        case 1: target->setArg1(source); break;
        case 2: target->setArg2(source); break;
        case 3: target->setArg3(source); break;
        default: target->setArg4(source); break;
        }
        return l;
    }

private slots:
    void deleteSourceFirst()
    {
        auto *src = new CountingInvariant(false, "SRC");
        auto *other = new CountingInvariant(false, "OTHER");
        CountingOperator target(false);
        QVERIFY(link(other, &target, 1));
        QVERIFY(link(src, &target, 2));
        QVERIFY(target.isLinked(2));
        delete src;
        QVERIFY(!target.isLinked(2));
        QCOMPARE(target.getArg(2), nullptr);
        QVERIFY(target.isLinked(1));
        QCOMPARE(target.getArg(1), other);
        delete other;
        QVERIFY(!target.isLinked(1));
    }

    void deleteTargetFirst()
    {
        CountingInvariant src(false, "SRC");
        auto *t1 = new CountingOperator(false, "T1");
        auto *t2 = new CountingOperator(false, "T2");
        QVERIFY(link(&src, t1, 1));
        QVERIFY(link(&src, t2, 3));
        QCOMPARE(src.getLinksTo().size(), 2);
        delete t1;
        QCOMPARE(src.getLinksTo().size(), 1);
        QCOMPARE(src.getLinksTo().first()->to(), t2);
        delete t2;
        QVERIFY(src.getLinksTo().isEmpty());
    }

    void deleteBoardFirst()
    {
        // A scene deletes its items in an order of its own, links included.
        for (int order = 0; order < 2; ++order) {
            auto *scene = new QGraphicsScene;
            auto *a = new CountingInvariant(true, "A");
            auto *b = new CountingOperator(true, "B");
            auto *c = new CountingOperator(true, "C");
            Link *ab = link(a, b, 1, true);
            Link *bc = link(b, c, 2, true);
            Link *ac = link(a, c, 1, true);
            QVERIFY(ab && bc && ac);
            if (order == 0) {
                scene->addItem(a);
                scene->addItem(b);
                scene->addItem(c);
                scene->addItem(ab);
                scene->addItem(bc);
                scene->addItem(ac);
            } else {
                scene->addItem(ac);
                scene->addItem(bc);
                scene->addItem(ab);
                scene->addItem(c);
                scene->addItem(b);
                scene->addItem(a);
            }
            delete scene;
        }
    }

    void deleteLinkItself()
    {
        CountingInvariant src(false, "SRC");
        CountingOperator target(false);
        Link *l = link(&src, &target, 4);
        QVERIFY(l);
        QCOMPARE(l->getArgNo(), 4);
        delete l;
        QVERIFY(!target.isLinked(4));
        QCOMPARE(target.getArg(4), nullptr);
        QVERIFY(src.getLinksTo().isEmpty());
        QVERIFY(!target.isLinked(0));
        QVERIFY(!target.isLinked(5));
    }

    void changeOrigin()
    {
        CountingInvariant a(false, "A"), b(false, "B");
        CountingOperator target(false);
        Link *l = link(&a, &target, 1);
        QVERIFY(l->changeOrig(&b));
        QCOMPARE(l->from(), &b);
        QVERIFY(a.getLinksTo().isEmpty());
        QVERIFY(b.getLinksTo().contains(l));
        target.setArg1(&b);
        QCOMPARE(target.getArg(1), &b);

        // An origin that does not know the arrow: false, and the arrow moves all the same.
        CountingInvariant c(false, "C");
        Link loose(&c, nullptr, false);
        QVERIFY(!loose.changeOrig(&a));
        QCOMPARE(loose.from(), &a);
        QVERIFY(a.getLinksTo().contains(&loose));
        a.removeLink(&loose);
    }

    void geometry_data()
    {
        QTest::addColumn<QPointF>("targetPos");
        QTest::addColumn<bool>("point");
        // The arrow runs from (0, 30) of the source to (0, -30) of the target.
        QTest::newRow("five apart") << QPointF(3, 64) << true;
        QTest::newRow("just over five") << QPointF(3, 64.1) << false;
        QTest::newRow("far") << QPointF(100, 200) << false;
    }
    void geometry()
    {
        QFETCH(QPointF, targetPos);
        QFETCH(bool, point);
        QGraphicsScene scene;
        auto *s = new CountingInvariant(true, "S");
        auto *t = new CountingOperator(true, "T");
        s->setPos(0, 0);
        t->setPos(targetPos);
        scene.addItem(s);
        scene.addItem(t);
        Link *l = link(s, t, 1, true);
        scene.addItem(l);
        l->adjust();
        QVERIFY(l->isVisible());
        QCOMPARE(l->getLine().p1(), QPointF(0, 30));
        QCOMPARE(l->getLine().p2(), point ? QPointF(0, 30) : targetPos + QPointF(0, -30));
        const QRectF r = QRectF(l->getLine().p1(), l->getLine().p2()).normalized();
        QCOMPARE(l->boundingRect(), r.adjusted(-1.5, -1.5, 1.5, 1.5));
    }

    void hiddenEndHidesArrow()
    {
        QGraphicsScene scene;
        auto *s = new CountingInvariant(true, "S");
        auto *t = new CountingOperator(true, "T");
        scene.addItem(s);
        scene.addItem(t);
        s->setPos(0, 0);
        t->setPos(0, 100);
        Link *l = link(s, t, 2, true);
        scene.addItem(l);
        t->hide();
        l->adjust();
        QVERIFY(!l->isVisible());
        t->show();
        t->setPos(10, 120);
        QVERIFY(l->isVisible());
        QCOMPARE(l->getLine().p2(), QPointF(10, 90));

        Link self(s, s, true);
        QVERIFY(!self.isVisible() || (self.adjust(), !self.isVisible()));
        QCOMPARE(self.boundingRect(), QRectF(0, 0, 0, 0));
    }

    void paintColours_data()
    {
        QTest::addColumn<int>("argNo");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("1") << 1 << QColor(Qt::red);
        QTest::newRow("2") << 2 << QColor(Qt::green);
        QTest::newRow("3") << 3 << QColor(Qt::blue);
        QTest::newRow("4") << 4 << QColor(Qt::cyan);
        QTest::newRow("unset") << -1 << QColor(Qt::black);
    }
    void paintColours()
    {
        QFETCH(int, argNo);
        QFETCH(QColor, colour);
        QGraphicsScene scene;
        auto *s = new CountingInvariant(true, "S");
        auto *t = new CountingOperator(true, "T");
        scene.addItem(s);
        scene.addItem(t);
        s->setPos(0, -30);
        t->setPos(0, 230);
        auto *l = new Link(s, t, true);
        if (argNo > 0)
            l->setArgNo(argNo);
        scene.addItem(l);
        // Render the arrow alone: a point of the line away from its disc has its colour.
        QImage img(40, 240, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        p.translate(20, 0);
        l->paint(&p, nullptr, nullptr);
        p.end();
        QCOMPARE(img.pixelColor(20, 20), colour);
        QCOMPARE(img.pixelColor(20, 60), colour);
        QCOMPARE(img.pixelColor(36, 20), QColor(Qt::white));
        delete l;
    }
};

QTEST_MAIN(TestLink)
#include "tst_link.moc"
