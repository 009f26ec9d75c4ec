#ifndef WINDOWPLACEMENT_H
#define WINDOWPLACEMENT_H

#include <QMargins>
#include <QObject>
#include <QPointer>
#include <QRect>

class QWidget;

// Keeps every top-level window of the application inside the available area of its screen
// (the screen less its panels), which a window manager does not always do: each window is
// placed the moment it is shown, before it reaches the screen. The first time, a window goes
// to the right of the main window (the anchor), each further one a step lower; afterwards it
// keeps its place, moved back inside when needed. A window larger than the area is shrunk, down
// to its minimum size at most.
class WindowPlacement : public QObject
{
    Q_OBJECT

public:
    // Cascade step between the windows placed for the first time.
    static constexpr int Step = 32;

    // Watches the whole application while it lives; anchor is a widget of the main window.
    explicit WindowPlacement(QWidget *anchor);

    // The frame moved inside the area, along each axis on which it fits; on an axis on which
    // it does not, it starts where the area starts.
    static QRect inside(const QRect &frame, const QRect &area);
    // The frame of a window shown for the first time, of the given size: right of the anchor's
    // frame, k steps down and right (the cascade), then moved inside the area. Without an
    // anchor on the screen the cascade starts at the area's top left corner.
    static QRect firstFrame(const QSize &frame, const QRect &anchor, const QRect &area, int k);
    // The size a window's frame gets in the area: as it is where it fits, the area's size
    // where it does not, but never below the minimum.
    static QSize fittedSize(const QSize &frame, const QSize &minimum, const QSize &area);

    // Places one window now, as a show does.
    void place(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The frame around a window's contents: its own once the window system has drawn it,
    // else the main window's, else a guess.
    QMargins frameMargins(const QWidget *window) const;

    QPointer<QWidget> anchor;
    int placed = 0;
};

#endif
