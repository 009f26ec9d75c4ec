#include "calculus/Constraint.h"

#include "calculus/CalculusDisplay.h"

#include <QPainter>

Constraint::Constraint()
{
    name = "CONSTRAINT";
    initCategory("Constraint");
    argTexts[0] = "Left hand side (should match the dimension of rhs)";
    argTexts[1] = "Right hand side (could be a vector or a value)";
    latexDescription = "Returns the sum of violations.\\\\This value is added with higher priority to the objective as a penalty.";
}

void Constraint::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    if (!dialog)
        return;
    BoxStyle style;
    style.outline = BoxStyle::Octagon;
    style.radius = 100;
    style.centre = QPointF(3, 3);
    style.focal = QPointF(3, 3);
    const double v = dialog->getValue();
    if (!stateColours(style.outer, style.inner)) {
        // Written so that NaN shows as violated.
        if (v <= 1e-6) {
            style.outer = QColor(Qt::green).lighter(120);
            style.inner = QColor(Qt::darkGreen).lighter(120);
        } else {
            style.outer = QColor(Qt::magenta).lighter(120);
            style.inner = QColor(Qt::darkMagenta).lighter(120);
        }
    }
    style.keyRect = QRectF(-40, -20, 100, 20);
    style.valueRect = QRectF(-40, 0, 100, 20);
    style.valueText = QString::number(v, 'g', 6);
    style.complementMark = true;
    style.complementCircle = QRectF(-55, -30, 20, 20);
    style.complementLetter = QRectF(-50, -25, 10, 10);
    paintBox(painter, style);
}
