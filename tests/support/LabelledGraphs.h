#ifndef LABELLEDGRAPHS_H
#define LABELLEDGRAPHS_H

#include <QByteArray>
#include <QString>
#include <QVector>

// Every labelled graph on n vertices, each given by a mask over the vertex pairs, and the two
// text forms the explorer reads, written here from the formats' definitions alone.
namespace LabelledGraphs {
// Pair k of the column order (0,1), (0,2), (1,2), (0,3), ...: the order graph6 packs bits in.
struct Pair {
    int i, j;
};
QVector<Pair> columnPairs(int n);

// Whether the graph of `mask` (bit k = column pair k) has the edge {a, b}.
bool hasEdge(int n, quint64 mask, int a, int b);

// graph6 line: the count plus 63, then the column-order bits in groups of six, high bit
// first, padded with zeros, each group plus 63.
QByteArray graph6(int n, quint64 mask);
// Graph text: the count, a blank, then '1' or '0' for (i, j), i = 1 .. n-1, j = 0 .. i-1.
QString graphText(int n, quint64 mask);

int edgeCount(int n, quint64 mask);
int degree(int n, quint64 mask, int v);
bool connected(int n, quint64 mask);
} // namespace LabelledGraphs

#endif
