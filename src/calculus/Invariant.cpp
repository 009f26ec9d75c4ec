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

void Invariant::initInvariant(const QString &key, const QString &latex, const QString &plain,
                              const QString &rowsLabel, const QString &colsLabel, Explorer option, bool displayed)
{
    name = key;
    complementSnapshot = true;
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
    const int n = rows ? adjacencySnapshot(rows) : graph->getNbNodes();
    // Compared by character: this runs once per item and candidate graph.
    auto perVertex = [](const QString &label) { return label.size() == 1 && label.at(0) == QLatin1Char('n'); };
    nbRows = perVertex(sRows) ? n : 1;
    nbCols = perVertex(sCols) ? n : 1;
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

void Invariant::writeMembership(Graph::Row set, int n)
{
    for (int v = 0; v < n; ++v)
        value[v][0] = ((set >> v) & 1u) ? 1.0 : 0.0;
}

void Invariant::writeBetweenness(Betweenness::Weight weight, bool rowSums)
{
    withConnectedDistances([&](const Distances &d, const Graph::Row *rows, int n) {
        Betweenness b;
        b.compute(rows, d, weight);
        if (!rowSums) {
            writeMatrix(n, [&b](int i, int j) { return b.at(i, j); });
            return;
        }
        for (int v = 0; v < n; ++v)
            value[v][0] = b.rowSum(v);
    });
}
