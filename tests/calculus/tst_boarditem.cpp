#include "TestItems.h"
#include "calculus/CalculusDisplay.h"
#include "calculus/Link.h"

#include <QGraphicsScene>
#include <QLabel>
#include <QGraphicsSceneMouseEvent>
#include <QtTest>

// The item as a graphics item of the white board: geometry, its own selection mark, its
// arrows following its moves, its dialog.
class TestBoardItem : public QObject
{
    Q_OBJECT

    // An item whose box size the test chooses.
    class SizedItem : public CountingOperator
    {
    public:
        SizedItem(int w, int h) : CountingOperator(true)
        {
            width = w;
            height = h;
        }
    };

    static void press(QGraphicsScene &scene, Calculus *item)
    {
        QGraphicsSceneMouseEvent event(QEvent::GraphicsSceneMousePress);
        event.setButton(Qt::LeftButton);
        event.setButtons(Qt::LeftButton);
        event.setScenePos(item->pos());
        scene.sendEvent(item, &event);
    }

    static Link *link(Calculus *s, Calculus *t, int k)
    {
        auto *l = new Link(s, t, true);
        const bool ok = (k == 1 ? t->setLink1(l) : k == 2 ? t->setLink2(l) : t->setLink3(l)) && s->setLinkTo(l);
        Q_ASSERT(ok);
        k == 1 ? t->setArg1(s) : k == 2 ? t->setArg2(s) : t->setArg3(s);
        return l;
    }

private slots:
    void geometry_data()
    {
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("h");
        QTest::addColumn<QRectF>("bounds");
        QTest::addColumn<QRectF>("box");
        QTest::newRow("120 x 60") << 120 << 60 << QRectF(-72, -82, 135, 115) << QRectF(-60, -30, 120, 60);
        QTest::newRow("80 x 80") << 80 << 80 << QRectF(-52, -92, 95, 135) << QRectF(-40, -40, 80, 80);
        QTest::newRow("121 x 61") << 121 << 61 << QRectF(-72, -82, 136, 116) << QRectF(-60, -30, 121, 61);
    }
    void geometry()
    {
        QFETCH(int, w);
        QFETCH(int, h);
        QFETCH(QRectF, bounds);
        QFETCH(QRectF, box);
        SizedItem item(w, h);
        QCOMPARE(item.boundingRect(), bounds);
        QCOMPARE(item.shape().boundingRect(), box);
        // Only a click inside the box hits the item.
        QVERIFY(item.contains(box.center()));
        QVERIFY(!item.contains(QPointF(0, box.top() - 5)));
    }

    void selectionMark()
    {
        QGraphicsScene scene;
        auto *item = new CountingOperator(true);
        scene.addItem(item);
        press(scene, item);
        QVERIFY(item->isSelectedMark());
        // A selected item is unselected by a press even when no longer selectable.
        item->select(true);
        item->setSelectable(true);
        item->toggleSelect();
        QVERIFY(!item->isSelectedMark());
        item->select(true);
        QVERIFY(item->isSelectedMark());
        item->setSelectable(false);
        QVERIFY(!item->isSelectedMark());
        press(scene, item);
        QVERIFY(!item->isSelectedMark());
        item->select(true);
        QVERIFY(!item->isSelectedMark());
        item->setSelectable(true);
        item->select(true);
        press(scene, item);
        QVERIFY(!item->isSelectedMark());
        // A new link deselects its source.
        auto *target = new CountingOperator(true, "T");
        scene.addItem(target);
        item->select(true);
        link(item, target, 1);
        QVERIFY(!item->isSelectedMark());
    }

    void arrowsFollowMoves()
    {
        QGraphicsScene scene;
        auto *a = new CountingInvariant(true, "A");
        auto *b = new CountingInvariant(true, "B");
        auto *mid = new CountingOperator(true, "MID");
        auto *top = new CountingOperator(true, "TOP");
        for (Calculus *c : {static_cast<Calculus *>(a), static_cast<Calculus *>(b), static_cast<Calculus *>(mid),
                            static_cast<Calculus *>(top)})
            scene.addItem(c);
        a->setPos(0, 0);
        b->setPos(200, 0);
        mid->setPos(100, 150);
        top->setPos(100, 300);
        Link *la = link(a, mid, 1);
        Link *lb = link(b, mid, 2);
        Link *lt = link(mid, top, 1);
        for (Link *l : {la, lb, lt})
            scene.addItem(l);
        mid->setPos(150, 160);
        QCOMPARE(la->getLine().p2(), QPointF(150, 130));
        QCOMPARE(lb->getLine().p2(), QPointF(150, 130));
        QCOMPARE(lt->getLine().p1(), QPointF(150, 190));
        QCOMPARE(lt->getLine().p2(), QPointF(100, 270));
    }

    void dialogToggling()
    {
        CountingOperator bare(false);
        bare.toggleDisplay(); // nothing to show
        bare.update_display();
        CountingOperator item(true, "SUM");
        CalculusDisplay *d = item.getCalculusDisplay();
        d->setTitle("other");
        QVERIFY(d->isHidden());
        item.toggleDisplay();
        QVERIFY(!d->isHidden());
        QCOMPARE(d->titleLabel()->text(), QString("SUM"));
        item.toggleDisplay();
        QVERIFY(d->isHidden());

        d->setGivenName("typed");
        item.update_display();
        QCOMPARE(item.getGivenName(), QString("typed"));
    }

    void displayedSetUp()
    {
        CountingOperator item(true, "KEY");
        QVERIFY(item.flags() & QGraphicsItem::ItemIsMovable);
        QVERIFY(item.flags() & QGraphicsItem::ItemIsSelectable);
        QVERIFY(item.flags() & QGraphicsItem::ItemSendsGeometryChanges);
        QCOMPARE(item.cacheMode(), QGraphicsItem::DeviceCoordinateCache);
        QCOMPARE(item.zValue(), 1.0);
        QCOMPARE(item.toolTip(), QString("KEY"));
        QCOMPARE(item.getCalculusDisplay()->titleLabel()->text(), QString("KEY"));
        item.setZ(4);
        QCOMPARE(item.getID(), QString("Operator-4"));
    }

    void boardBookkeeping()
    {
        CountingOperator item(false);
        QCOMPARE(Calculus::calculusUnderMouse(), nullptr);
        Calculus::setCalculusUnderMouse(&item);
        QCOMPARE(Calculus::calculusUnderMouse(), &item);
        Calculus::setCalculusUnderMouse(nullptr);
        QCOMPARE(item.getMousePressPos(), QPointF(0, 0));
        item.setMousePressPos(QPointF(3, 4));
        QCOMPARE(item.getMousePressPos(), QPointF(3, 4));
    }
};

QTEST_MAIN(TestBoardItem)
#include "tst_boarditem.moc"
