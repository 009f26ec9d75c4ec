#include "calculus/Invariant.h"

#include "calculus/CalculusDisplay.h"

#include <QPainter>
#include <QRadialGradient>

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
    QRadialGradient box(QPointF(30, 30), 60, QPointF(3, 30));
    if (selected) {
        box.setColorAt(1.0, QColor(Qt::blue).lighter(120));
        box.setColorAt(0.0, QColor(Qt::darkBlue).lighter(120));
    } else if (shownError) {
        box.setColorAt(1.0, QColor(Qt::red).lighter(120));
        box.setColorAt(0.0, QColor(Qt::darkRed).lighter(120));
    } else {
        box.setColorAt(1.0, QColor(Qt::green));
        box.setColorAt(0.0, QColor(Qt::green).darker(120));
    }
    painter->setBrush(box);
    painter->setPen(Qt::black);
    painter->drawRect(-(width / 2), -(height / 2), width, height);

    painter->drawText(QRect(-50, -15, 100, 20), Qt::AlignLeft | Qt::AlignTop, name);
    // The numbers come from the dialog, which the GUI thread owns; only the shape is the item's.
    QString valueText;
    if (dialog)
        valueText = (getNbRows() == 1 && getNbCols() == 1)
            ? QString::number(dialog->getValue(), 'g', 6)
            : QString::number(dialog->getNbRows()) + " x " + QString::number(dialog->getNbCols());
    painter->drawText(QRect(-50, 0, 100, 20), Qt::AlignLeft | Qt::AlignTop, valueText);

    if (!givenName.isEmpty()) {
        QRadialGradient tag(QPointF(3, 3), 100, QPointF(2, 2));
        tag.setColorAt(1.0, QColor(Qt::yellow));
        tag.setColorAt(0.0, QColor(Qt::yellow).darker(120));
        painter->setBrush(tag);
        painter->setPen(Qt::black);
        painter->drawRect(-50, -35, 100, 20);
        painter->setPen(Qt::red);
        painter->drawText(QRect(-45, -35, 90, 20), Qt::AlignLeft | Qt::AlignTop, givenName);
    }
    painter->setPen(Qt::red);
    if (inReport())
        painter->drawText(QRect(30, 0, 25, 25), Qt::AlignLeft | Qt::AlignTop, "*");
    if (dialog && dialog->invertGraph()) {
        painter->setBrush(Qt::white);
        painter->drawEllipse(QRect(-70, -30, 20, 20));
        painter->drawText(QRect(-65, -25, 10, 10), Qt::AlignLeft | Qt::AlignTop, "i");
    }
}

void Invariant::initInvariant(const QString &key, const QString &latex, const QString &plain,
                              const QString &rowsLabel, const QString &colsLabel, Explorer option, bool displayed)
{
    name = key;
    latexDescription = latex;
    description = plain;
    sRows = rowsLabel;
    sCols = colsLabel;
    this->displayed = displayed;
    if (!displayed)
        return;
    auto *d = new CalculusDisplay(name, description);
    d->enableInvertGraph(true);
    switch (option) {
    case GraphValue:
        d->enableNatureInReport(false);
        d->setGraphInReport(true);
        break;
    case NodeValue:
        d->enableNatureInReport(false);
        d->setNodInReport(true);
        break;
    case NotInsertable:
        d->enableReport(false);
        break;
    }
    d->disconnectReport();
    setupDisplay(d);
}

int Invariant::readGraph(Graph::Row *rows)
{
    if (!graph) {
        nbRows = 0;
        nbCols = 0;
        error = true;
        return -1;
    }
    const int n = rows ? graph->snapshot(rows) : graph->getNbNodes();
    nbRows = sRows == QLatin1String("n") ? n : 1;
    nbCols = sCols == QLatin1String("n") ? n : 1;
    return n;
}

void Invariant::writeAdjacency(QVector<QVector<double>> &m, const Graph::Row rows[], int n, double edgeValue)
{
    for (int i = 0; i < n; ++i) {
        double *row = m[i].data();
        for (int j = 0; j < n; ++j)
            row[j] = ((rows[i] >> j) & 1u) ? edgeValue : 0.0;
    }
}

void Invariant::writeLaplacian(QVector<QVector<double>> &m, const Graph::Row rows[], int n, double edgeValue)
{
    writeAdjacency(m, rows, n, edgeValue);
    for (int i = 0; i < n; ++i)
        m[i][i] = degree(rows, i);
}

void Invariant::writeDegrees(const Graph::Row rows[], int n)
{
    for (int v = 0; v < n; ++v)
        value[v][0] = degree(rows, v);
}
