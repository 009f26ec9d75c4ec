#include "GraphText.h"

#include "NamedGraphs.h"

QString GraphText::of(const Graph::Row rows[Graph::MaxNodes], int n)
{
    QString bits;
    for (int i = 1; i < n; ++i)
        for (int j = 0; j < i; ++j)
            bits += ((rows[i] >> j) & 1u) ? '1' : '0';
    return QString::number(n) + ' ' + bits;
}

QString GraphText::family(const char *name, int n)
{
    Graph::Row rows[Graph::MaxNodes];
    const int order = NamedGraphs::byName(name, rows, n);
    return of(rows, order);
}
