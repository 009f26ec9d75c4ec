#ifndef INVARIANTPROBE_H
#define INVARIANTPROBE_H

#include "calculus/BuildCalculus.h"
#include "graph/Graph.h"

#include <QHash>
#include <QPair>
#include <QString>
#include <QVector>

class Calculus;

// Computes invariant items, made by the factory from their keys, on one test graph: the
// tests of the invariant library compare what it reads out with known values.
class InvariantProbe
{
public:
    InvariantProbe();
    ~InvariantProbe();

    Graph &graph() { return *g; }
    // The graph on n vertices with the given edges.
    void setGraph(int n, const QVector<QPair<int, int>> &edges);
    // Graph text: the vertex count, a blank, one '0'/'1' per pair of the lower triangle.
    void setGraphText(const QString &text);
    // The graph of n vertices whose adjacency rows are given.
    void setRows(const Graph::Row rows[], int n);

    // The undisplayed item of the key, made once per key and option, computed on the
    // current graph (on its complement with the option); null when the factory does not
    // make the key.
    Calculus *compute(const QString &key, bool complement = false);
    // The value window of an item, row by row.
    static QVector<QVector<double>> valueOf(Calculus *item);
    // Entry (0, 0) of a computed scalar; NaN when the item has no value.
    double scalar(const QString &key, bool complement = false);

    static QString completeGraphText(int n);

    using Matrix = QVector<QVector<double>>;
    // Equal within a relative tolerance of 1e-9 (absolute below 1).
    static bool close(double a, double b);
    // Same shape and entries close to each other.
    static bool same(const Matrix &a, const Matrix &b);
    // The shape and the entries, for failure messages.
    static QString show(const Matrix &m);

private:
    Graph *g;
    BuildCalculus factory;
    QHash<QString, Calculus *> items;
};

#endif
