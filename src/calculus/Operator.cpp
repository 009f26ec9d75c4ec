#include "calculus/Operator.h"

#include "calculus/CalculusDisplay.h"

#include <QPainter>

Operator::Operator()
{
    initCategory("Operator");
}

void Operator::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    if (!dialog)
        return;
    BoxStyle style;
    style.outline = BoxStyle::Ellipse;
    style.radius = 100;
    style.centre = QPointF(3, 3);
    style.focal = QPointF(3, 3);
    if (!stateColours(style.outer, style.inner)) {
        style.outer = QColor(Qt::magenta);
        style.inner = QColor(Qt::magenta).lighter(150);
    }
    style.keyRect = QRectF(-40, -15, 100, 20);
    style.valueRect = QRectF(-40, 0, 100, 20);
    style.valueText = (dialog->getNbRows() == 1 && dialog->getNbCols() == 1)
                          ? QString::number(dialog->getValue(), 'g', 6)
                          : QString("%1 x %2").arg(dialog->getNbRows()).arg(dialog->getNbCols());
    style.nameTag = true;
    style.tagOuter = QColor(Qt::green).lighter(120);
    style.tagInner = QColor(Qt::green);
    style.reportMark = true;
    paintBox(painter, style);
}
