#include "InvariantProbe.h"

#include "calculus/Calculus.h"
#include "graph/Graph.h"

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
