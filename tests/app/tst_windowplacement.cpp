// Every window opens inside the available area of its screen: the placement rule on screens
// of chosen sizes, then the application's own windows on the test's screen.
#include "ScriptedDialogs.h"
#include "ShellProbe.h"
#include "app/MainWidget.h"
#include "app/MainWindow.h"
#include "app/ProgressBar.h"
#include "app/Report.h"
#include "app/WindowPlacement.h"
#include "conjectures/ConjectureSettings.h"
#include "conjectures/ConjecturesDisplay.h"
#include "explorer/ExplorerWindow.h"

#include <QMainWindow>
#include <QPointer>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QRect screen1600(0, 0, 1600, 1000);
// The inspector's frame where it starts, at the top left corner.
const QRect mainFrame(0, 0, 422, 624);

// Inside the area along each axis on which the frame fits; on the others it starts where the
// area starts, its title bar in reach.
bool placedInside(const QRect &frame, const QRect &area)
{
    auto axis = [](int pos, int length, int start, int room) {
        return length <= room ? pos >= start && pos + length <= start + room : pos == start;
    };
    return axis(frame.x(), frame.width(), area.x(), area.width())
           && axis(frame.y(), frame.height(), area.y(), area.height());
}
} // namespace

class TestWindowPlacement : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void firstShow_data();
    void firstShow();
    void laterShow_data();
    void laterShow();
    void applicationWindows();

private:
    QTemporaryDir dir;
};

void TestWindowPlacement::initTestCase()
{
    QVERIFY(dir.isValid());
    startShellIn(dir.path());
}

void TestWindowPlacement::firstShow_data()
{
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QRect>("anchor"); // the main window's frame; null when it is not shown
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<QSize>("minimum");
    QTest::addColumn<int>("k"); // windows placed before
    QTest::addColumn<QRect>("expected");
    QTest::newRow("console right of the main window")
        << screen1600 << mainFrame << QSize(604, 424) << QSize(327, 212) << 0 << QRect(422, 0, 604, 424);
    QTest::newRow("third window two steps lower")
        << screen1600 << mainFrame << QSize(604, 424) << QSize(327, 212) << 2 << QRect(486, 64, 604, 424);
    QTest::newRow("the cascade starts again after eight")
        << screen1600 << mainFrame << QSize(604, 424) << QSize(327, 212) << 8 << QRect(422, 0, 604, 424);
    QTest::newRow("no room right of the main window")
        << screen1600 << QRect(700, 300, 422, 624) << QSize(604, 424) << QSize(327, 212) << 0
        << QRect(996, 300, 604, 424);
    QTest::newRow("a cascade step below the bottom")
        << screen1600 << QRect(0, 500, 422, 500) << QSize(1004, 724) << QSize(409, 355) << 3
        << QRect(518, 276, 1004, 724);
    QTest::newRow("taller than the screen") << screen1600 << mainFrame << QSize(1004, 1200) << QSize(409, 355) << 1
                                            << QRect(454, 0, 1004, 1000);
    QTest::newRow("a panel above the area, no main window")
        << QRect(0, 30, 1600, 970) << QRect() << QSize(604, 424) << QSize(327, 212) << 0 << QRect(0, 30, 604, 424);
    QTest::newRow("larger than the area, even at its minimum")
        << QRect(0, 0, 800, 600) << QRect() << QSize(939, 533) << QSize(939, 533) << 0 << QRect(0, 0, 939, 533);
    QTest::newRow("a second screen on the right")
        << QRect(1600, 0, 1280, 1024) << QRect(1600, 0, 422, 624) << QSize(604, 424) << QSize(327, 212) << 0
        << QRect(2022, 0, 604, 424);
}

void TestWindowPlacement::firstShow()
{
    QFETCH(QRect, area);
    QFETCH(QRect, anchor);
    QFETCH(QSize, frame);
    QFETCH(QSize, minimum);
    QFETCH(int, k);
    QFETCH(QRect, expected);
    const QSize size = WindowPlacement::fittedSize(frame, minimum, area.size());
    const QRect placed = WindowPlacement::firstFrame(size, anchor, area, k);
    QCOMPARE(placed, expected);
    QVERIFY(placedInside(placed, area));
}

void TestWindowPlacement::laterShow_data()
{
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QRect>("frame"); // where the window was
    QTest::addColumn<QSize>("minimum");
    QTest::addColumn<QRect>("expected");
    // Where a window manager put the console on such a screen.
    QTest::newRow("console below the bottom edge")
        << screen1600 << QRect(1, 595, 604, 424) << QSize(327, 212) << QRect(1, 576, 604, 424);
    QTest::newRow("inside stays where it is")
        << screen1600 << QRect(300, 200, 604, 424) << QSize(327, 212) << QRect(300, 200, 604, 424);
    QTest::newRow("above and left of the area")
        << QRect(0, 30, 1600, 970) << QRect(-50, 0, 604, 424) << QSize(327, 212) << QRect(0, 30, 604, 424);
    QTest::newRow("right of the area") << screen1600 << QRect(1500, 100, 1004, 724) << QSize(409, 355)
                                       << QRect(596, 100, 1004, 724);
    QTest::newRow("explorer on a small screen shrinks")
        << QRect(0, 0, 1024, 600) << QRect(100, 100, 1004, 724) << QSize(409, 355) << QRect(20, 0, 1004, 600);
}

void TestWindowPlacement::laterShow()
{
    QFETCH(QRect, area);
    QFETCH(QRect, frame);
    QFETCH(QSize, minimum);
    QFETCH(QRect, expected);
    const QSize size = WindowPlacement::fittedSize(frame.size(), minimum, area.size());
    const QRect placed = WindowPlacement::inside(QRect(frame.topLeft(), size), area);
    QCOMPARE(placed, expected);
    QVERIFY(placedInside(placed, area));
}

// The real windows on the test's own screen: each one the user can open lands inside.
void TestWindowPlacement::applicationWindows()
{
    ScriptedDialogs dialogs;
    QSettings().clear();
    QPointer<MainWindow> window = new MainWindow;
    window->show();
    MainWidget *w = window->main_widget;
    const QRect area = window->screen()->availableGeometry();
    QCOMPARE(window->frameGeometry().topLeft(), area.topLeft());

    w->slot_show_console();
    w->slot_show_problem();
    w->slot_show_graph();
    w->slot_show_analyst();
    w->slot_show_gbackup();
    w->slot_write_documentation();
    const QList<QWidget *> windows = {w->console_window,        w->problem_window,        w->graph_window,
                                      w->analyst_window,        w->graph_backup_window,   w->report,
                                      w->pb_optimization,       w->pb_loading,            w->please_wait,
                                      w->conjecture_settings_g, w->conjectures_display_g, window};
    for (QWidget *shown : windows) {
        shown->show();
        QVERIFY2(placedInside(shown->frameGeometry(), area),
                 qPrintable(shown->windowTitle() + QString(" at %1,%2 %3x%4")
                                                        .arg(shown->frameGeometry().x())
                                                        .arg(shown->frameGeometry().y())
                                                        .arg(shown->frameGeometry().width())
                                                        .arg(shown->frameGeometry().height())));
    }

    // Moved partly off the screen, the console comes back inside when it is shown again.
    w->console_window->move(area.right() - 100, area.bottom() - 100);
    w->slot_show_console();
    w->slot_show_console();
    QVERIFY(w->console_window->isVisible());
    QVERIFY(placedInside(w->console_window->frameGeometry(), area));

    // A view shown off the screen, to be drawn to a file, keeps the size it was given even
    // when that is larger than the screen.
    QWidget offScreen;
    const QSize large = area.size() + QSize(100, 100);
    offScreen.resize(large);
    offScreen.setAttribute(Qt::WA_DontShowOnScreen);
    offScreen.show();
    QCOMPARE(offScreen.size(), large);
    delete window;
}

QTEST_MAIN(TestWindowPlacement)
#include "tst_windowplacement.moc"
