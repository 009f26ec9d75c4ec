#include "BoardItems.h"
#include "ScriptedDialogs.h"
#include "calculus/BuildCalculus.h"
#include "calculus/CalculusDisplay.h"
#include "calculus/Link.h"
#include "graph/Graph.h"
#include "problem/Problem.h"

#include <QApplication>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QMutexLocker>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <QtTest>
#include <cmath>

namespace {
// An operator that draws itself like every real one and adds up its arguments' first cells.
class SumOperator : public Operator
{
public:
    SumOperator()
    {
        name = "SUM";
        displayed = true;
        setupDisplay(new CalculusDisplay(name, "sum of the arguments"));
    }
    QString formula() override { return "SUM"; }
    void recompute() override
    {
        double s = 0;
        for (Calculus *a : args)
            if (a) {
                QMutexLocker locker(&a->getValueLock());
                s += a->entry(0, 0);
            }
        value[0][0] = s;
        nbRows = 1;
        nbCols = 1;
    }
};

// A displayed board over a displayed graph, with a fixed scene rectangle so that the view's
// mapping does not shift while items move, and the info items parked apart, out of the way.
struct Board
{
    Graph graph{"graph", true};
    Problem p{&graph, "problem", true};

    Board()
    {
        p.getScene()->setSceneRect(-3000, -3000, 6000, 6000);
        p.resize(800, 600);
        int i = 0;
        for (Calculus *c : info())
            c->setPos(1000 + 200 * i++, 1000);
    }

    QVector<Calculus *> info() const { return {p.getColors(), p.getLabels(), p.getELabels(), p.getEHilights()}; }

    ScriptedOperator *op(const QString &key, QPointF at)
    {
        auto *o = new ScriptedOperator(key, values::column({1}), true);
        p.addOperatorItem(o);
        o->setPos(at);
        return o;
    }

    QPoint at(QPointF scenePoint) const { return p.mapFromScene(scenePoint); }

    void mouse(QEvent::Type type, QPoint pos, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent e(type, pos, button, held, modifiers);
        QApplication::sendEvent(p.viewport(), &e);
    }
    void press(QPoint pos) { mouse(QEvent::MouseButtonPress, pos); }
    void move(QPoint pos) { mouse(QEvent::MouseMove, pos); }
    void release(QPoint pos) { mouse(QEvent::MouseButtonRelease, pos); }
    void click(QPoint pos)
    {
        press(pos);
        release(pos);
    }
    void doubleClick(QPoint pos)
    {
        click(pos);
        mouse(QEvent::MouseButtonDblClick, pos);
        release(pos);
    }

    // One key press as the board receives it, with exactly the given modifiers.
    void keyPress(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent e(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(&p, &e);
    }
    void keyRelease(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent e(QEvent::KeyRelease, key, modifiers);
        QApplication::sendEvent(&p, &e);
    }
    void wheel(int delta)
    {
        const QPointF centre(400, 300);
        QWheelEvent e(centre, p.mapToGlobal(centre.toPoint()), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(p.viewport(), &e);
    }
    double scale() const { return p.transform().m11(); }
};

QString selection(const QVector<Calculus *> &items)
{
    QString s;
    for (Calculus *c : items)
        s += c->isSelectedMark() ? '1' : '0';
    return s;
}

QString argName(Calculus *c, int k)
{
    return c->getArg(k) ? c->getArg(k)->getName() : QString("-");
}

int countPixels(const QImage &img, const std::function<bool(QColor)> &match)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (match(img.pixelColor(x, y)))
                ++n;
    return n;
}
} // namespace

class TestBoardInteraction : public QObject
{
    Q_OBJECT

private slots:
    void clickAndThreshold_data();
    void clickAndThreshold();
    void dragMovesSelectionTogether();
    void bandSelectsEitherWay();
    void overlapAndDoubleClick();
    void zoomLimits_data();
    void zoomLimits();
    void alignExamples();
    void spaceExamples();
    void arrowKeys();
    void linkKeys_data();
    void linkKeys();
    void everyKeyRefreshesTheBoard();
    void selectAllAndDeleteOnEmptyBoard();
    void deleteSelected_data();
    void deleteSelected();
    void deletingTheHeldItem();
    void modifiersFollowTheEvents();
    void printBoard();
    void boardPicture();
};

void TestBoardInteraction::clickAndThreshold_data()
{
    QTest::addColumn<bool>("selected");
    QTest::addColumn<QPoint>("step");
    QTest::addColumn<bool>("backToPress");
    QTest::addColumn<bool>("moves");
    QTest::addColumn<bool>("selectedAfter");
    QTest::newRow("click selects") << false << QPoint(0, 0) << false << false << true;
    QTest::newRow("click unselects") << true << QPoint(0, 0) << false << false << false;
    QTest::newRow("4 units still a click") << false << QPoint(4, 0) << false << false << true;
    QTest::newRow("exactly 5 units: no drag, no toggle") << false << QPoint(3, 4) << false << false << false;
    QTest::newRow("exactly 5 units on a selected item") << true << QPoint(0, 5) << false << false << true;
    QTest::newRow("6 units drags") << false << QPoint(6, 0) << false << true << false;
    QTest::newRow("drag back to the press point flips nothing") << false << QPoint(6, 0) << true << true << false;
}

void TestBoardInteraction::clickAndThreshold()
{
    QFETCH(bool, selected);
    QFETCH(QPoint, step);
    QFETCH(bool, backToPress);
    QFETCH(bool, moves);
    QFETCH(bool, selectedAfter);
    Board b;
    auto *P = b.op("P", {0, 0});
    auto *Q = b.op("Q", {300, 0});
    Q->select(true);
    P->select(selected);
    // Off the centre, so that a dragged item visibly jumps to the pointer.
    const QPoint start = b.at({10, 5});
    b.press(start);
    b.move(start + step);
    if (backToPress)
        b.move(start);
    b.release(start);
    QCOMPARE(P->isSelectedMark(), selectedAfter);
    QVERIFY(Q->isSelectedMark());
    QCOMPARE(Q->pos(), QPointF(300, 0));
    if (moves)
        QCOMPARE(P->pos(), b.p.mapToScene(backToPress ? start : start + step));
    else
        QCOMPARE(P->pos(), QPointF(0, 0));
    QVERIFY(Calculus::calculusUnderMouse() == nullptr);
}

void TestBoardInteraction::dragMovesSelectionTogether()
{
    Board b;
    auto *P = b.op("P", {0, 0});
    auto *Q = b.op("Q", {300, 40});
    auto *R = b.op("R", {0, 300});
    Calculus *colors = b.p.getColors();
    P->select(true);
    Q->select(true);
    colors->select(true);
    const QPointF colorsAt = colors->pos();

    // A selected item carries every selected one, the info item included.
    b.press(b.at({10, 10}));
    b.move(b.at({60, 30}));
    b.move(b.at({110, 80}));
    b.release(b.at({110, 80}));
    const QPointF offset = QPointF(110, 80) - QPointF(0, 0);
    QCOMPARE(P->pos(), QPointF(110, 80));
    QCOMPARE(Q->pos(), QPointF(300, 40) + offset);
    QCOMPARE(colors->pos(), colorsAt + offset);
    QCOMPARE(R->pos(), QPointF(0, 300));
    QCOMPARE(selection({P, Q, R, colors}), QString("1101"));

    // An unselected item moves alone, centred on the pointer, and stays unselected.
    b.press(b.at({5, 310}));
    b.move(b.at({-200, -200}));
    b.release(b.at({-200, -200}));
    QCOMPARE(R->pos(), QPointF(-200, -200));
    QCOMPARE(P->pos(), QPointF(110, 80));
    QCOMPARE(selection({P, Q, R, colors}), QString("1101"));
    // The arrows follow moved items.
    b.p.link1(P, R);
    b.press(b.at({-200, -200}));
    b.move(b.at({-400, -250}));
    b.release(b.at({-400, -250}));
    QCOMPARE(R->getLink(1)->getLine().p2(), R->mapToScene(0, -30));
}

void TestBoardInteraction::bandSelectsEitherWay()
{
    for (bool reversed : {false, true}) {
        Board b;
        auto *P = b.op("P", {0, 0});
        auto *Q = b.op("Q", {200, 0});
        auto *R = b.op("R", {600, 0});
        auto *S = b.op("S", {900, 0});
        S->select(true);
        // Touches P's right part and Q, but not R; S stays selected although outside.
        QPointF from(40, -100), to(250, 100);
        if (reversed)
            std::swap(from, to);
        b.press(b.at(from));
        QVERIFY(b.p.getRubberBand()->isVisible());
        b.move(b.at(to));
        QCOMPARE(b.p.getRubberBand()->rect(), QRectF(QPointF(40, -100), QPointF(250, 100)));
        b.release(b.at(to));
        QVERIFY(!b.p.getRubberBand()->isVisible());
        QCOMPARE(selection({P, Q, R, S}), QString("1101"));

        // A click on empty board selects nothing and unselects nothing.
        b.click(b.at({400, 400}));
        QCOMPARE(selection({P, Q, R, S}), QString("1101"));
    }
}

void TestBoardInteraction::overlapAndDoubleClick()
{
    Board b;
    auto *low = b.op("LOW", {0, 0});
    auto *high = b.op("HIGH", {20, 10});
    low->setZ(1);
    high->setZ(2);
    // Pressed where both lie, the lower one is held and alone flips.
    b.press(b.at({10, 5}));
    QVERIFY(Calculus::calculusUnderMouse() == low);
    b.release(b.at({10, 5}));
    QCOMPARE(selection({low, high}), QString("10"));

    low->select(false);
    b.doubleClick(b.at({10, 5}));
    QCOMPARE(selection({low, high}), QString("10"));
    QVERIFY(low->getCalculusDisplay()->isVisible());
    QVERIFY(high->getCalculusDisplay()->isVisible());
    b.doubleClick(b.at({10, 5}));
    QCOMPARE(selection({low, high}), QString("00"));
    QVERIFY(!low->getCalculusDisplay()->isVisible());
    QVERIFY(!high->getCalculusDisplay()->isVisible());
}

void TestBoardInteraction::zoomLimits_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("accepted");
    QTest::addColumn<double>("factor");
    QTest::newRow("plus") << int(Qt::Key_Plus) << 0 << 48 << 1.1;
    QTest::newRow("minus") << int(Qt::Key_Minus) << 0 << 27 << 1.0 / 1.1;
    QTest::newRow("wheel towards the user") << 0 << -120 << 13 << std::sqrt(2.0);
    QTest::newRow("wheel away from the user") << 0 << 120 << 7 << 1.0 / std::sqrt(2.0);
}

void TestBoardInteraction::zoomLimits()
{
    QFETCH(int, key);
    QFETCH(int, delta);
    QFETCH(int, accepted);
    QFETCH(double, factor);
    Board b;
    QCOMPARE(b.scale(), 1.0);
    int steps = 0;
    for (int i = 0; i < accepted + 5; ++i) {
        const double before = b.scale();
        if (key)
            b.keyPress(key);
        else
            b.wheel(delta);
        if (b.scale() == before)
            break;
        QVERIFY(qAbs(b.scale() / before - factor) < 1e-12);
        ++steps;
    }
    QCOMPARE(steps, accepted);
    QVERIFY(b.scale() >= 0.07 && b.scale() <= 100);
    // The refused step would have left the range.
    const double next = b.scale() * factor;
    QVERIFY(next < 0.07 || next > 100);
    // The view never scrolls or zooms under Control.
    if (key) {
        const double before = b.scale();
        b.keyPress(key, Qt::ControlModifier);
        QCOMPARE(b.scale(), before);
    }
}

void TestBoardInteraction::alignExamples()
{
    Board b;
    auto *P = b.op("P", {30, 0});
    auto *Q = b.op("Q", {-20, 200});
    auto *R = b.op("R", {50, 400});
    auto *S = b.op("S", {-100, 600});
    Calculus *labels = b.p.getLabels();
    const QPointF labelsAt = labels->pos();

    // Nothing selected: nothing moves.
    b.keyPress(Qt::Key_X);
    QCOMPARE(P->pos(), QPointF(30, 0));

    for (Calculus *c : {static_cast<Calculus *>(P), static_cast<Calculus *>(Q), static_cast<Calculus *>(R)})
        c->select(true);
    b.keyPress(Qt::Key_X);
    QCOMPARE(P->pos(), QPointF(-20, 0));
    QCOMPARE(Q->pos(), QPointF(-20, 200));
    QCOMPARE(R->pos(), QPointF(-20, 400));
    QCOMPARE(S->pos(), QPointF(-100, 600));
    QCOMPARE(labels->pos(), labelsAt);

    b.keyPress(Qt::Key_Y);
    for (Calculus *c : {static_cast<Calculus *>(P), static_cast<Calculus *>(Q), static_cast<Calculus *>(R)})
        QCOMPARE(c->pos(), QPointF(-20, 0));

    // Far beyond the start value every one lands on it.
    P->setPos(2e8, 0);
    Q->setPos(3e8, 5);
    R->setPos(1e8, 7);
    b.p.slot_alignX();
    QCOMPARE(P->pos(), QPointF(1e8, 0));
    QCOMPARE(Q->pos(), QPointF(1e8, 5));
    QCOMPARE(R->pos(), QPointF(1e8, 7));
}

void TestBoardInteraction::spaceExamples()
{
    Board b;
    auto *P = b.op("P", {0, 10});
    auto *Q = b.op("Q", {0, 20});
    auto *R = b.op("R", {10, 30});
    for (Calculus *c : {static_cast<Calculus *>(P), static_cast<Calculus *>(Q), static_cast<Calculus *>(R)})
        c->select(true);
    b.keyPress(Qt::Key_A);
    // Of the two at 0, the later one in the calculation list is gathered first and stays.
    QCOMPARE(Q->pos(), QPointF(0, 20));
    QCOMPARE(P->pos(), QPointF(5, 10));
    QCOMPARE(R->pos(), QPointF(10, 30));

    // Uneven steps become even; unselected items and a lone selection stay.
    auto *S = b.op("S", {0, 90});
    S->select(true);
    P->setY(9);
    Q->setY(1);
    R->setY(3);
    S->setY(0);
    b.keyPress(Qt::Key_V);
    QCOMPARE(S->y(), 0.0);
    QCOMPARE(Q->y(), 3.0);
    QCOMPARE(R->y(), 6.0);
    QCOMPARE(P->y(), 9.0);

    b.p.slot_unselect_all();
    S->select(true);
    S->setPos(77, 77);
    b.p.slot_spaceX();
    QCOMPARE(S->pos(), QPointF(77, 77));
}

void TestBoardInteraction::arrowKeys()
{
    Board b;
    auto *P = b.op("P", {0, 0});
    auto *Q = b.op("Q", {300, 0});
    P->select(true);
    QVector<QPointF> infoAt;
    for (Calculus *c : b.info())
        infoAt.append(c->pos());

    b.keyPress(Qt::Key_Up);
    b.keyPress(Qt::Key_Left);
    QCOMPARE(P->pos(), QPointF(-5, -5));
    QCOMPARE(Q->pos(), QPointF(300, 0));
    b.keyPress(Qt::Key_Down, Qt::ControlModifier);
    b.keyPress(Qt::Key_Right, Qt::ControlModifier);
    QCOMPARE(P->pos(), QPointF(0, 0));
    QCOMPARE(Q->pos(), QPointF(305, 5));
    for (int i = 0; i < 4; ++i)
        QCOMPARE(b.info()[i]->pos(), infoAt[i] + QPointF(5, 5));
}

void TestBoardInteraction::linkKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("argsOfQR");
    QTest::addColumn<QString>("selectedAfter");
    QTest::newRow("1 chains the selection") << int(Qt::Key_1) << "111" << 1 << "P,Q" << "001";
    QTest::newRow("2 links the first to the last") << int(Qt::Key_2) << "101" << 2 << "-,P" << "001";
    QTest::newRow("3 with one item links nothing") << int(Qt::Key_3) << "010" << 3 << "-,-" << "010";
    QTest::newRow("4 stops offering a source once linked") << int(Qt::Key_4) << "111" << 4 << "P,Q" << "001";
    QTest::newRow("Control and 1 links nothing") << int(Qt::Key_1) + 1000 << "111" << 1 << "-,-" << "111";
}

void TestBoardInteraction::linkKeys()
{
    QFETCH(int, key);
    QFETCH(QString, selected);
    QFETCH(int, k);
    QFETCH(QString, argsOfQR);
    QFETCH(QString, selectedAfter);
    Board b;
    QVector<Calculus *> items = {b.op("P", {0, 0}), b.op("Q", {200, 0}), b.op("R", {400, 0})};
    for (int i = 0; i < 3; ++i)
        items[i]->select(selected[i] == '1');
    QSignalSpy changed(&b.graph, &Graph::signal_best_graph_changed);
    const int evals = b.p.nbEvals();
    if (key > 1000)
        b.keyPress(key - 1000, Qt::ControlModifier);
    else
        b.keyPress(key);
    QCOMPARE(argName(items[1], k) + "," + argName(items[2], k), argsOfQR);
    QCOMPARE(selection(items), selectedAfter);
    // The link slots end with a new best graph; every key then refreshes the whole board.
    QCOMPARE(changed.count() > 0, key < 1000);
    QCOMPARE(b.p.nbEvals(), evals + 1);
}

void TestBoardInteraction::everyKeyRefreshesTheBoard()
{
    Board b;
    b.graph.clear();
    for (int i = 0; i < 3; ++i)
        b.graph.addNode();
    b.graph.best_backup();
    auto *order = new ScriptedInvariant("ORDERISH", values::order(), true);
    b.p.addInvariantItem(order);
    auto *sized = new ScriptedOperator("SIZED", values::size(), true);
    b.p.addOperatorItem(sized);
    QCOMPARE(order->getValue(1), 3.0);

    for (int key : {int(Qt::Key_Q), int(Qt::Key_Control), int(Qt::Key_Alt)}) {
        b.graph.addNode();
        b.graph.addEdge(0, b.graph.getNbNodes() - 1);
        const int evals = b.p.nbEvals();
        b.keyPress(key);
        // The best copy, every item and the evaluation follow the current graph.
        QCOMPARE(b.graph.graphData().section(' ', 0, 0).toInt(), b.graph.getNbNodes());
        QCOMPARE(order->getValue(1), double(b.graph.getNbNodes()));
        QCOMPARE(sized->getValue(1), double(b.graph.getNbEdges()));
        QCOMPARE(b.p.nbEvals(), evals + 1);
        b.keyRelease(key);
    }

    QSignalSpy start(&b.p, &Problem::signal_start_vns);
    QSignalSpy stop(&b.p, &Problem::signal_stop_vns);
    b.keyPress(Qt::Key_R);
    b.keyPress(Qt::Key_H);
    b.keyPress(Qt::Key_R, Qt::ControlModifier);
    QCOMPARE(start.count(), 1);
    QCOMPARE(stop.count(), 1);
}

void TestBoardInteraction::selectAllAndDeleteOnEmptyBoard()
{
    Board b;
    ScriptedDialogs dialogs;
    dialogs.answers = {QMessageBox::Ok};
    b.keyPress(Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(selection(b.info()), QString("1111"));
    QSignalSpy changed(&b.graph, &Graph::signal_best_graph_changed);
    b.keyPress(Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(dialogs.kinds(), QStringList{"question"});
    QCOMPARE(dialogs.calls[0].title, QString("About to delete items"));
    QCOMPARE(dialogs.calls[0].text, QString("Are you sure you want to delete the selected items?"));
    QCOMPARE(b.p.getColors()->getName(), QString("Colors"));
    QCOMPARE(selection(b.info()), QString("1111"));
    QVERIFY(b.p.calculationList().isEmpty());
    QCOMPARE(changed.count(), 2);

    b.keyPress(Qt::Key_I, Qt::ControlModifier);
    QCOMPARE(selection(b.info()), QString("0000"));
    b.keyPress(Qt::Key_I, Qt::ControlModifier);
    b.keyPress(Qt::Key_U, Qt::ControlModifier);
    QCOMPARE(selection(b.info()), QString("0000"));
}

void TestBoardInteraction::deleteSelected_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("deleted");
    QTest::newRow("OK deletes") << int(QMessageBox::Ok) << true;
    QTest::newRow("Cancel keeps") << int(QMessageBox::Cancel) << false;
    QTest::newRow("escape keeps") << int(QMessageBox::NoButton) << false;
}

void TestBoardInteraction::deleteSelected()
{
    QFETCH(int, answer);
    QFETCH(bool, deleted);
    Board b;
    ScriptedDialogs dialogs;
    dialogs.answers = {QMessageBox::StandardButton(answer)};
    auto *P = b.op("P", {0, 0});
    auto *Q = b.op("Q", {200, 0});
    auto *F = new ScriptedFamily("F", values::column({1}), true);
    b.p.addFamilyItem(F);
    F->setPos(0, 300);
    auto *C = new ScriptedConstraint("C", values::column({0}), true);
    b.p.addConstraintItem(C);
    C->setPos(200, 300);
    b.p.link1(P, Q);
    b.p.link1(P, b.p.getColors());
    b.p.slot_unselect_all();
    P->select(true);
    F->select(true);
    b.p.getColors()->select(true);
    const int linksBefore = b.p.getScene()->items().size();

    b.keyPress(Qt::Key_Delete);
    QCOMPARE(dialogs.kinds(), QStringList{"question"});
    if (deleted) {
        QCOMPARE(b.p.calculationList().size(), 1);
        QVERIFY(b.p.calculationList()[0] == Q);
        QVERIFY(b.p.familyList().isEmpty());
        QVERIFY(b.p.constraintList()[0] == C);
        // Those that used the deleted item lose it; the info item stays.
        QVERIFY(!Q->isLinked(1) && Q->getArg(1) == nullptr);
        QVERIFY(!b.p.getColors()->isLinked(1));
        QVERIFY(b.p.getColors()->isSelectedMark());
        QCOMPARE(b.p.getScene()->items().size(), linksBefore - 4);
    } else {
        QCOMPARE(b.p.calculationList().size(), 2);
        QCOMPARE(b.p.familyList().size(), 1);
        QVERIFY(Q->getArg(1) == P);
        QCOMPARE(b.p.getScene()->items().size(), linksBefore);
    }
    // Backspace asks as well.
    b.keyPress(Qt::Key_Backspace);
    QCOMPARE(dialogs.kinds().size(), 2);
}

void TestBoardInteraction::deletingTheHeldItem()
{
    Board b;
    ScriptedDialogs dialogs;
    dialogs.answers = {QMessageBox::Ok};
    auto *P = b.op("P", {0, 0});
    auto *Q = b.op("Q", {300, 0});
    P->select(true);
    b.press(b.at({0, 0}));
    QVERIFY(Calculus::calculusUnderMouse() == P);
    b.keyPress(Qt::Key_Delete);
    QVERIFY(Calculus::calculusUnderMouse() == nullptr);
    // The rest of the gesture touches no destroyed item.
    b.move(b.at({100, 100}));
    b.release(b.at({100, 100}));
    QCOMPARE(Q->pos(), QPointF(300, 0));
    QVERIFY(!Q->isSelectedMark());

    // A press whose release went elsewhere (a context menu) leaves no item held for the
    // next band.
    b.press(b.at({300, 0}));
    QVERIFY(Calculus::calculusUnderMouse() == Q);
    b.press(b.at({100, 100}));
    b.move(b.at({200, 200}));
    b.release(b.at({200, 200}));
    QCOMPARE(Q->pos(), QPointF(300, 0));
    QVERIFY(!Q->isSelectedMark());

    // Clearing the board while an item is held does the same.
    b.press(b.at({300, 0}));
    QVERIFY(Calculus::calculusUnderMouse() == Q);
    b.p.clear();
    QVERIFY(Calculus::calculusUnderMouse() == nullptr);
    b.move(b.at({100, 100}));
    b.release(b.at({100, 100}));
}

void TestBoardInteraction::modifiersFollowTheEvents()
{
    Board b;
    auto *P = b.op("P", {0, 0});
    auto *Q = b.op("Q", {0, 0});
    P->setX(-50);
    Q->setX(50);
    P->select(true);
    Q->select(true);

    // Control pressed on the board and released elsewhere: the next key says it is up.
    b.keyPress(Qt::Key_Control, Qt::ControlModifier);
    QVERIFY(b.p.isControlDown());
    b.keyPress(Qt::Key_X);
    QVERIFY(!b.p.isControlDown());
    QCOMPARE(b.p.calculationList().size(), 2);
    QCOMPARE(P->x(), -50.0);
    QCOMPARE(Q->x(), -50.0);
    // Some platforms leave the modifier out of its own press and in its own release.
    b.keyPress(Qt::Key_Control);
    QVERIFY(b.p.isControlDown());
    b.keyRelease(Qt::Key_Control, Qt::ControlModifier);
    QVERIFY(!b.p.isControlDown());

    b.keyPress(Qt::Key_Alt, Qt::AltModifier);
    QVERIFY(b.p.isAltDown());
    b.keyRelease(Qt::Key_X, Qt::AltModifier);
    QVERIFY(b.p.isAltDown());
    b.keyRelease(Qt::Key_Alt, Qt::AltModifier);
    QVERIFY(!b.p.isAltDown());

    // A press with Alt held puts the next operator before the selected one nearest the front.
    b.mouse(QEvent::MouseButtonPress, b.at({2000, 2000}), Qt::AltModifier);
    b.mouse(QEvent::MouseButtonRelease, b.at({2000, 2000}), Qt::AltModifier);
    QVERIFY(b.p.isAltDown());
    auto *N = new ScriptedOperator("N", values::column({1}), true);
    b.p.addOperatorItem(N);
    QVERIFY(b.p.calculationList()[0] == N);
    b.press(b.at({2000, 2000}));
    QVERIFY(!b.p.isAltDown());
}

void TestBoardInteraction::printBoard()
{
    Board b;
    b.op("P", {0, 0});
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    ScriptedDialogs dialogs;
    dialogs.printFile = dir.filePath("board.pdf");

    b.keyPress(Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(dialogs.kinds(), QStringList{"print"});
    QVERIFY(!QFile::exists(dialogs.printFile));

    dialogs.acceptPrint = true;
    b.keyPress(Qt::Key_P, Qt::ControlModifier);
    QFile pdf(dialogs.printFile);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.read(5) == "%PDF-");
    QVERIFY(pdf.size() > 500);

    // P alone prints nothing.
    b.keyPress(Qt::Key_P);
    QCOMPARE(dialogs.kinds().size(), 2);
}

void TestBoardInteraction::boardPicture()
{
    Board b;
    b.graph.clear();
    for (int i = 0; i < 6; ++i)
        b.graph.addNode();
    for (int i = 1; i < 6; ++i)
        b.graph.addEdge(i - 1, i);
    b.graph.best_backup();
    BuildCalculus vocabulary;
    const QStringList keys = {"ORDER", "SIZE", "DEGMAX", "TRIANGLES"};
    QVector<Calculus *> args;
    for (int i = 0; i < keys.size(); ++i) {
        Calculus *c = vocabulary.makeCalculus(keys[i], true);
        QVERIFY(c);
        b.p.addInvariantItem(c);
        c->setPos(-330 + 220 * i, -180);
        args.append(c);
    }
    auto *sum = new SumOperator;
    b.p.addOperatorItem(sum);
    sum->setPos(-60, 20);
    sum->setGivenName("total");
    Calculus *z = vocabulary.makeCalculus("MINIMIZE", true);
    b.p.addZItem(z);
    z->setPos(-60, 190);
    b.p.link1(args[0], sum);
    b.p.link2(args[1], sum);
    b.p.link3(args[2], sum);
    b.p.link4(args[3], sum);
    b.p.link1(sum, z);
    for (int i = 0; i < 4; ++i)
        b.info()[i]->setPos(520, -180 + 100 * i);
    b.p.slot_unselect_all();
    b.p.slot_refresh();
    QCOMPARE(sum->getValue(1), 6.0 + 5.0 + 2.0 + 0.0);

    b.p.getScene()->setSceneRect(-450, -270, 1060, 540);
    b.p.resize(1080, 560);
    b.p.show();
    QVERIFY(QTest::qWaitForWindowExposed(&b.p));
    // One item selected by a click, and a band being drawn over empty board.
    b.click(b.at(args[1]->pos()));
    b.press(b.at({150, 100}));
    b.move(b.at({330, 240}));
    const QImage img = b.p.grab().toImage();
    b.release(b.at({330, 240}));
    QCOMPARE(selection(args), QString("0100"));
    if (!qEnvironmentVariableIsEmpty("ORV_BOARD_PICTURE"))
        img.save(qEnvironmentVariable("ORV_BOARD_PICTURE"));

    // The four arrows in their argument colours, and the boxes' outlines.
    auto near = [](QColor c, int r, int g, int bl) {
        return qAbs(c.red() - r) < 40 && qAbs(c.green() - g) < 40 && qAbs(c.blue() - bl) < 40;
    };
    QVERIFY(countPixels(img, [&](QColor c) { return near(c, 255, 0, 0); }) > 100);
    QVERIFY(countPixels(img, [&](QColor c) { return near(c, 0, 255, 0); }) > 50);
    QVERIFY(countPixels(img, [&](QColor c) { return near(c, 0, 0, 255); }) > 30);
    QVERIFY(countPixels(img, [&](QColor c) { return near(c, 0, 255, 255); }) > 10);
    QVERIFY(countPixels(img, [&](QColor c) { return c.lightness() < 40; }) > 500);
    // The band: half-transparent yellow over white.
    QVERIFY(countPixels(img, [&](QColor c) { return near(c, 255, 255, 128); }) > 5000);
}

QTEST_MAIN(TestBoardInteraction)
#include "tst_boardinteraction.moc"
