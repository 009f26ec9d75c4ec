#include "app/WindowPlacement.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>

namespace {
// The frame taken for a window when no window has been framed yet: room for the title bar of
// the usual window managers.
const QMargins UnknownFrame(8, 32, 8, 8);

QMargins marginsOf(const QWidget *w)
{
    const QRect f = w->frameGeometry();
    const QRect g = w->geometry();
    return QMargins(g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom());
}
} // namespace

WindowPlacement::WindowPlacement(QWidget *anchor) : QObject(anchor), anchor(anchor)
{
    qApp->installEventFilter(this);
}

QRect WindowPlacement::inside(const QRect &frame, const QRect &area)
{
    auto axis = [](int pos, int length, int start, int room) {
        return length >= room ? start : qBound(start, pos, start + room - length);
    };
    return QRect(QPoint(axis(frame.x(), frame.width(), area.x(), area.width()),
                        axis(frame.y(), frame.height(), area.y(), area.height())),
                 frame.size());
}

QRect WindowPlacement::firstFrame(const QSize &frame, const QRect &anchor, const QRect &area, int k)
{
    const QPoint start = anchor.isValid() ? QPoint(anchor.right() + 1, anchor.top()) : area.topLeft();
    // Eight steps, then the cascade starts again from the top.
    const int step = Step * (k % 8);
    return inside(QRect(start + QPoint(step, step), frame), area);
}

QSize WindowPlacement::fittedSize(const QSize &frame, const QSize &minimum, const QSize &area)
{
    return frame.boundedTo(area).expandedTo(minimum);
}

QMargins WindowPlacement::frameMargins(const QWidget *window) const
{
    // A window the window system has not framed yet has no frame to measure: the main
    // window's, framed by the same system, stands for it.
    const QMargins own = marginsOf(window);
    if (!own.isNull())
        return own;
    QWidget *main = anchor ? anchor->window() : nullptr;
    const QMargins framed = main && main != window ? marginsOf(main) : QMargins();
    return framed.isNull() ? UnknownFrame : framed;
}

void WindowPlacement::place(QWidget *window)
{
    // The window system gives these states their own geometry.
    if (window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized))
        return;
    QWidget *main = anchor ? anchor->window() : nullptr;
    const bool anchored = main && main != window && main->isVisible();
    // A window that never had a place of its own is about to get its first one.
    const bool first = !window->testAttribute(Qt::WA_Moved);
    QScreen *screen = nullptr;
    if (first)
        screen = anchored ? main->screen() : window->screen();
    else
        screen = QGuiApplication::screenAt(window->frameGeometry().center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QMargins m = frameMargins(window);
    const QSize minimum = window->minimumSize().expandedTo(window->minimumSizeHint()).grownBy(m);
    const QSize size = fittedSize(window->size().grownBy(m), minimum, area.size());
    const QRect frame = first ? firstFrame(size, anchored ? main->frameGeometry() : QRect(), area,
                                           anchored ? placed++ : 0)
                              : inside(QRect(window->frameGeometry().topLeft(), size), area);
    window->resize(size.shrunkBy(m));
    // Qt moves a framed window by its frame, one not framed yet by its contents.
    window->move(marginsOf(window).isNull() ? frame.topLeft() + QPoint(m.left(), m.top()) : frame.topLeft());
}

bool WindowPlacement::eventFilter(QObject *watched, QEvent *event)
{
    // Dialogs are left to Qt, which centres them on their parent or the screen, inside it;
    // a widget shown off the screen (a view drawn only to a file) keeps its size and place.
    if (event->type() == QEvent::Show && !event->spontaneous() && watched->isWidgetType()) {
        auto *w = static_cast<QWidget *>(watched);
        if (w->isWindow() && w->windowType() == Qt::Window && !w->testAttribute(Qt::WA_DontShowOnScreen))
            place(w);
    }
    return false;
}
