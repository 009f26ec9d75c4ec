#include "calculus/Family.h"

#include "calculus/CalculusDisplay.h"

#include <QPainter>

Family::Family()
{
    initCategory("Family");
    nbRows = 1;
    nbCols = 1;
}

void Family::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    if (!dialog)
        return;
    BoxStyle style;
    const double v = dialog->getValue();
    const bool belongs = v >= 1e-6 || v <= -1e-6;
    if (selected) {
        stateColours(style.outer, style.inner);
    } else if (shownError) {
        style.outer = QColor(Qt::red).lighter(120);
        style.inner = QColor(Qt::white).lighter(120);
    } else if (belongs) {
        style.outer = QColor(200, 255, 200);
        style.inner = QColor(Qt::green).darker(120);
    } else {
        style.outer = QColor(255, 200, 200);
        style.inner = QColor(Qt::red);
    }
    style.keyRect = QRectF(-50, -15, 100, 20);
    style.valueRect = QRectF(5, 0, 100, 20);
    style.valueText = belongs ? "Yes" : "No";
    style.nameTag = true;
    style.tagOuter = QColor(Qt::yellow);
    style.tagInner = QColor(Qt::yellow).darker(120);
    style.reportMark = true;
    style.complementMark = true;
    style.complementCircle = QRectF(-70, -30, 20, 20);
    style.complementLetter = QRectF(-65, -25, 10, 10);
    paintBox(painter, style);
}
