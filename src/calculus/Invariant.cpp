#include "calculus/Invariant.h"

#include "calculus/CalculusDisplay.h"

#include <QPainter>

Invariant::Invariant()
{
    initCategory("Invariant");
}

QString Invariant::formula()
{
    return name + (invertGraph() ? "(GBAR)" : "(G)");
}

void Invariant::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    if (!dialog)
        return;
    BoxStyle style;
    if (!stateColours(style.outer, style.inner)) {
        style.outer = QColor(Qt::green);
        style.inner = QColor(Qt::green).darker(120);
    }
    style.keyRect = QRectF(-50, -15, 100, 20);
    style.valueRect = QRectF(-50, 0, 100, 20);
    style.valueText = (getNbRows() == 1 && getNbCols() == 1)
                          ? QString::number(dialog->getValue(), 'g', 6)
                          : QString("%1 x %2").arg(dialog->getNbRows()).arg(dialog->getNbCols());
    style.nameTag = true;
    style.tagOuter = QColor(Qt::yellow);
    style.tagInner = QColor(Qt::yellow).darker(120);
    style.reportMark = true;
    style.complementMark = true;
    style.complementCircle = QRectF(-70, -30, 20, 20);
    style.complementLetter = QRectF(-65, -25, 10, 10);
    paintBox(painter, style);
}
