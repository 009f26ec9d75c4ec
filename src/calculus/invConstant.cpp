#include "calculus/invConstant.h"

#include "calculus/ConstantDisplay.h"

#include <QLocale>
#include <QMetaObject>
#include <QMutexLocker>
#include <QPainter>
#include <QThread>

invConstant::invConstant(bool displayed_)
{
    name = "CONSTANT";
    latexDescription = "Constant value, vector or matrix defined by the user.";
    description = QString("Constant value, vector or matrix defined by the user. The numerical definition is achieved "
                          "through the \"Results\" tab.\n") +
                  "If an argument is provided, clicking the \"Clone\" button will make a copy of the argument.\n" +
                  "Otherwise, the definition may be achieved by hand, by writing the value in the table.\n" +
                  "IMPORTANT: In any case, the \"Apply\" button must be pressed to make the changes effective.";
    sRows = "1";
    sCols = "1";
    defined = QVector<QVector<double>>(MaxSize, QVector<double>(MaxSize, 0.0));
    displayed = displayed_;
    if (displayed) {
        auto *d = new ConstantDisplay(name, description);
        posX = qrand() % 200;
        posY = qrand() % 200;
        width = 120;
        height = 60;
        setupDisplay(d);
        // A new dialog shows the 1 x 1 value 0.
        definedRows = d->getNbRows();
        definedCols = d->getNbCols();
        d->setDefinitionHandler(
            [this](int rows, int cols, const QVector<QVector<double>> &m) { define(rows, cols, m); });
    }
}

invConstant::~invConstant()
{
    // The dialog outlives this part of the item by a moment: it must not hand over to it.
    if (dialog)
        static_cast<ConstantDisplay *>(dialog)->setDefinitionHandler(nullptr);
}

void invConstant::define(int rows, int cols, const QVector<QVector<double>> &m)
{
    QMutexLocker locker(&getValueLock());
    definedRows = rows;
    definedCols = cols;
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < cols; ++j)
            defined[i][j] = m[i][j];
}

void invConstant::showInDialog(int rows, int cols, const QVector<double> &values)
{
    if (!dialog)
        return;
    QMetaObject::invokeMethod(
        dialog, [d = dialog, rows, cols, values] { d->loadData(rows, cols, values); }, Qt::AutoConnection);
}

void invConstant::setLabelsFromCounts()
{
    // Written only when the counts change: recompute runs for every candidate graph.
    const int rows = nbRows, cols = nbCols;
    if (rows == labelRows && cols == labelCols)
        return;
    sRows = QString::number(rows);
    sCols = QString::number(cols);
    labelRows = rows;
    labelCols = cols;
}

void invConstant::recompute()
{
    if (dialog && dialog->clone() && args[0]) {
        Calculus *a = args[0];
        QVector<double> copied;
        {
            QMutexLocker argLocker(&a->getValueLock());
            const int r = a->getNbRows();
            const int c = a->getNbCols();
            if (r == 0 || c == 0) {
                setNoValue("Argument error");
                return;
            }
            definedRows = r;
            definedCols = c;
            copied.reserve(r * c);
            for (int i = 0; i < r; ++i)
                for (int j = 0; j < c; ++j) {
                    defined[i][j] = a->entry(i, j);
                    copied.append(defined[i][j]);
                }
        }
        showInDialog(definedRows, definedCols, copied);
    }
    nbRows = definedRows;
    nbCols = definedCols;
    // No value is an error, with a dialog or without (the optimiser's copies have none).
    if (definedRows == 0 || definedCols == 0)
        error = true;
    for (int i = 0; i < definedRows; ++i)
        for (int j = 0; j < definedCols; ++j)
            value[i][j] = defined[i][j];
    setLabelsFromCounts();
}

bool invConstant::loadData(int rows, int cols, QVector<double> values)
{
    const bool fits = rows >= 0 && cols >= 0 && rows <= MaxSize && cols <= MaxSize && values.size() == rows * cols;
    if (!fits) {
        // The dialog reports the mismatch; it changes nothing either.
        if (dialog)
            showInDialog(rows, cols, values);
        return false;
    }
    {
        QMutexLocker locker(&getValueLock());
        definedRows = rows;
        definedCols = cols;
        for (int i = 0; i < rows; ++i)
            for (int j = 0; j < cols; ++j)
                defined[i][j] = value[i][j] = values[i * cols + j];
        nbRows = rows;
        nbCols = cols;
        setLabelsFromCounts();
    }
    showInDialog(rows, cols, values);
    return true;
}

QString invConstant::specificInformationToSave()
{
    QMutexLocker locker(&getValueLock());
    const int r = nbRows;
    const int c = nbCols;
    QString tail = "\t" + QString::number(r) + "\t" + QString::number(c);
    // Shortest text that reads back as the same double.
    for (int i = 0; i < r; ++i)
        for (int j = 0; j < c; ++j)
            tail += "\t" + QString::number(value[i][j], 'g', QLocale::FloatingPointShortest);
    return tail;
}

void invConstant::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    if (!dialog)
        return;
    BoxStyle style;
    style.outline = BoxStyle::Ellipse;
    const int r = getNbRows();
    const int c = getNbCols();
    if (selected) {
        stateColours(style.outer, style.inner);
    } else if (r == 0 || c == 0) {
        style.outer = QColor(Qt::red).lighter(120);
        style.inner = QColor(Qt::darkRed).lighter(120);
    } else {
        style.outer = QColor(Qt::yellow).lighter(120);
        style.inner = QColor(Qt::darkYellow).lighter(120);
    }
    style.keyRect = QRectF(-50, -20, 100, 20);
    style.valueRect = QRectF(-50, 0, 100, 20);
    style.valueText = (r == 1 && c == 1) ? QString::number(dialog->getValue(), 'g', 6) : QString("%1 x %2").arg(r).arg(c);
    paintBox(painter, style);
}
