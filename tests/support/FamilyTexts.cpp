#include "FamilyTexts.h"

#include "NamedGraphs.h"

QString FamilyTexts::fromRows(const Graph::Row rows[], int n)
{
    QString bits;
    for (int i = 1; i < n; ++i)
        for (int j = 0; j < i; ++j)
            bits += ((rows[i] >> j) & 1u) ? '1' : '0';
    return QString::number(n) + ' ' + bits;
}

QString FamilyTexts::family(const char *name, int n)
{
    Graph::Row rows[Graph::MaxNodes] = {};
    const int count = NamedGraphs::byName(name, rows, n);
    return fromRows(rows, count);
}
