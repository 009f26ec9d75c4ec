#include "LabelledGraphs.h"

namespace LabelledGraphs {
QVector<Pair> columnPairs(int n)
{
    QVector<Pair> pairs;
    for (int j = 1; j < n; ++j)
        for (int i = 0; i < j; ++i)
            pairs.append({i, j});
    return pairs;
}

bool hasEdge(int n, quint64 mask, int a, int b)
{
    const QVector<Pair> pairs = columnPairs(n);
    for (int k = 0; k < pairs.size(); ++k)
        if ((pairs[k].i == a && pairs[k].j == b) || (pairs[k].i == b && pairs[k].j == a))
            return (mask >> k) & 1u;
    return false;
}

QByteArray graph6(int n, quint64 mask)
{
    QByteArray out(1, char(n + 63));
    const int bits = n * (n - 1) / 2;
    for (int start = 0; start < bits; start += 6) {
        int group = 0;
        for (int b = 0; b < 6; ++b) {
            const int k = start + b;
            group = (group << 1) | ((k < bits && ((mask >> k) & 1u)) ? 1 : 0);
        }
        out.append(char(group + 63));
    }
    return out;
}

QString graphText(int n, quint64 mask)
{
    QString text = QString::number(n) + ' ';
    for (int i = 1; i < n; ++i)
        for (int j = 0; j < i; ++j)
            text += hasEdge(n, mask, i, j) ? '1' : '0';
    return text;
}

int edgeCount(int n, quint64 mask)
{
    int count = 0;
    for (int k = 0; k < n * (n - 1) / 2; ++k)
        count += (mask >> k) & 1u;
    return count;
}

int degree(int n, quint64 mask, int v)
{
    int d = 0;
    for (int w = 0; w < n; ++w)
        d += w != v && hasEdge(n, mask, v, w);
    return d;
}

bool connected(int n, quint64 mask)
{
    if (n <= 1)
        return true;
    QVector<bool> seen(n, false);
    QVector<int> stack{0};
    seen[0] = true;
    int reached = 1;
    while (!stack.isEmpty()) {
        const int v = stack.takeLast();
        for (int w = 0; w < n; ++w)
            if (!seen[w] && hasEdge(n, mask, v, w)) {
                seen[w] = true;
                ++reached;
                stack.append(w);
            }
    }
    return reached == n;
}
} // namespace LabelledGraphs
