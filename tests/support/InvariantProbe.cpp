#include "InvariantProbe.h"

#include "calculus/Calculus.h"
#include "graph/Graph.h"

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <limits>

InvariantProbe::InvariantProbe()
    : g(new Graph("probe", false))
{
}

InvariantProbe::~InvariantProbe()
{
    qDeleteAll(items);
    delete g;
}

void InvariantProbe::setGraph(int n, const QVector<QPair<int, int>> &edges)
{
    QString bits;
    for (int i = 1; i < n; ++i)
        for (int j = 0; j < i; ++j)
            bits += (edges.contains({i, j}) || edges.contains({j, i})) ? '1' : '0';
    setGraphText(QString::number(n) + ' ' + bits);
}

void InvariantProbe::setGraphText(const QString &text)
{
    g->loadCurrentGraph(text);
}

void InvariantProbe::setRows(const Graph::Row rows[], int n)
{
    QString bits;
    for (int i = 1; i < n; ++i)
        for (int j = 0; j < i; ++j)
            bits += ((rows[i] >> j) & 1u) ? '1' : '0';
    setGraphText(QString::number(n) + ' ' + bits);
}

Calculus *InvariantProbe::compute(const QString &key, bool complement)
{
    const QString slot = key + (complement ? "/complement" : "");
    Calculus *item = items.value(slot, nullptr);
    if (!item) {
        item = factory.makeCalculus(key, false);
        if (!item)
            return nullptr;
        item->setInvertGraph(complement);
        item->setGraph(g);
        items.insert(slot, item);
    }
    item->compute(true);
    return item;
}

QVector<QVector<double>> InvariantProbe::valueOf(Calculus *item)
{
    QVector<QVector<double>> m(item->getNbRows(), QVector<double>(item->getNbCols()));
    for (int i = 0; i < m.size(); ++i)
        for (int j = 0; j < m[i].size(); ++j)
            m[i][j] = item->entry(i, j);
    return m;
}

double InvariantProbe::scalar(const QString &key, bool complement)
{
    Calculus *item = compute(key, complement);
    if (!item || item->getNbRows() < 1 || item->getNbCols() < 1)
        return std::numeric_limits<double>::quiet_NaN();
    return item->entry(0, 0);
}

QString InvariantProbe::completeGraphText(int n)
{
    return QString::number(n) + ' ' + QString(n * (n - 1) / 2, '1');
}

bool InvariantProbe::close(double a, double b)
{
    return std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(b));
}

bool InvariantProbe::same(const Matrix &a, const Matrix &b)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i) {
        if (a[i].size() != b[i].size())
            return false;
        for (int j = 0; j < a[i].size(); ++j)
            if (!close(a[i][j], b[i][j]))
                return false;
    }
    return true;
}

QString InvariantProbe::show(const Matrix &m)
{
    QStringList lines;
    for (const auto &row : m) {
        QStringList cells;
        for (double x : row)
            cells << QString::number(x, 'g', 12);
        lines << cells.join(' ');
    }
    return QString("%1x%2 [").arg(m.size()).arg(m.isEmpty() ? 0 : m[0].size()) + lines.join("; ") + "]";
}
