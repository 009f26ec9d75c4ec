#include "BoardItems.h"

#include "graph/Graph.h"

#include <QMutexLocker>

namespace values {
ValueFn column(QVector<double> v)
{
    return [v](Graph *, Calculus *const *) {
        QVector<QVector<double>> m;
        for (double x : v)
            m.append(QVector<double>{x});
        return m;
    };
}

ValueFn order()
{
    return [](Graph *g, Calculus *const *) { return QVector<QVector<double>>{{double(g->getNbNodes())}}; };
}

ValueFn size()
{
    return [](Graph *g, Calculus *const *) { return QVector<QVector<double>>{{double(g->getNbEdges())}}; };
}

ValueFn degrees()
{
    return [](Graph *g, Calculus *const *) {
        Graph::Row rows[Graph::MaxNodes];
        const int n = g->snapshot(rows);
        QVector<QVector<double>> m;
        for (int i = 0; i < n; ++i)
            m.append(QVector<double>{double(adjacency::popcount(rows[i]))});
        return m;
    };
}

ValueFn firstArg()
{
    return [](Graph *, Calculus *const args[4]) {
        QVector<QVector<double>> m;
        if (!args[0])
            return m;
        QMutexLocker locker(&args[0]->getValueLock());
        for (int i = 0; i < args[0]->getNbRows(); ++i)
            m.append(QVector<double>{args[0]->entry(i, 0)});
        return m;
    };
}
} // namespace values
