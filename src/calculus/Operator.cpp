#include "calculus/Operator.h"

#include "calculus/CalculusDisplay.h"

#include <QPainter>
#include <QThread>
#include <cmath>

const QString Operator::MissingArguments = QStringLiteral("Missing arguments");
const QString Operator::MissingArgument = QStringLiteral("Missing argument");
const QString Operator::ArgumentError = QStringLiteral("Argument error");
const QString Operator::ArgSizeDiffer = QStringLiteral("ARG SIZE DIFFER");
const QString Operator::TooLarge = QStringLiteral("Argument larger than 32 x 32");

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

void Operator::initOperator(const QString &key, const QString &latex, const QString &plain, int lastAccepted,
                            bool isDisplayed)
{
    name = key;
    latexDescription = latex;
    description = plain;
    lastSlot = lastAccepted;
    displayed = isDisplayed;
    if (displayed)
        setupDisplay(new CalculusDisplay(name, description));
}

QString Operator::joinFormula(const QString &open, const QString &separator, const QString &close, int required,
                              int shown) const
{
    for (int k = 0; k < required; ++k)
        if (!args[k])
            return QStringLiteral("MISSING ARGUMENT");
    QString text = open;
    bool first = true;
    for (int k = 0; k < shown && k < 4; ++k) {
        if (!args[k])
            continue;
        if (!first)
            text += separator;
        text += args[k]->formula();
        first = false;
    }
    return text + close;
}

QString Operator::prefixFormula(int required, int shown) const
{
    return joinFormula(name + '(', QStringLiteral(","), QStringLiteral(")"), required, shown);
}

QString Operator::infixFormula(int required, int shown) const
{
    return joinFormula(QString(), ' ' + name + ' ', QString(), required, shown);
}

bool Operator::argumentsReady(int required, const QString &missing, bool testEmpty, bool keepLabels)
{
    for (int k = 0; k < required; ++k)
        if (!args[k]) {
            fail(missing, keepLabels);
            return false;
        }
    for (const Calculus *a : args)
        if (a && (a->getNbRows() > MaxSize || a->getNbCols() > MaxSize)) {
            fail(TooLarge, keepLabels);
            return false;
        }
    if (testEmpty && args[0] && (args[0]->getNbRows() <= 0 || args[0]->getNbCols() <= 0)) {
        fail(ArgumentError, keepLabels);
        return false;
    }
    return true;
}

void Operator::showTooltipNow(const QString &text)
{
    if (dialog && QThread::currentThread() == dialog->thread())
        setToolTip(text);
}

void Operator::fail(const QString &statusText, bool keepLabels)
{
    setNoValue(statusText);
    if (!keepLabels) {
        sRows = QStringLiteral("NA");
        sCols = QStringLiteral("NA");
    }
}

void Operator::setResult(const QString &statusText, int rows, int cols, const QString &rowsLabel,
                         const QString &colsLabel)
{
    // From one graph to the next the texts are mostly the very ones already held: skipping
    // those assignments spares two reference counts each, in the search's inner loop.
    if (!status.isSharedWith(statusText))
        saveTooltip(statusText);
    nbRows = rows;
    nbCols = cols;
    if (!sRows.isSharedWith(rowsLabel))
        sRows = rowsLabel;
    if (!sCols.isSharedWith(colsLabel))
        sCols = colsLabel;
}

double Operator::numberArgument(int k, double fallback) const
{
    Calculus *a = args[k - 1];
    if (!a || a->getNbRows() <= 0 || a->getNbCols() <= 0)
        return fallback;
    const Argument arg(a);
    return arg.at(0, 0);
}

int Operator::indexArgument(int k) const
{
    Calculus *a = args[k - 1];
    if (!a)
        return 0;
    const double x = std::trunc(a->getValue(1));
    // NaN fails both tests.
    if (!(x >= -2147483648.0 && x <= 2147483647.0))
        return 0;
    return int(x);
}

Operator::Broadcast Operator::broadcast(int rowsA, int colsA, int rowsB, int colsB)
{
    if (rowsB == 1 && colsB == 1)
        return Broadcast::SecondSingle;
    if (rowsA == 1 && colsA == 1)
        return Broadcast::FirstSingle;
    if (rowsA == rowsB && colsA == colsB)
        return Broadcast::SameShape;
    return Broadcast::Differ;
}
