#ifndef INVARIANT_H
#define INVARIANT_H

#include "calculus/Calculus.h"
#include "graph/Graph.h"
#include "invariants/core/Betweenness.h"
#include "invariants/core/SharedDistances.h"

// The base of the graph invariants: no argument; may be the argument of other items.
class Invariant : public Calculus
{
public:
    Invariant();

    bool setLink1(Link *) override { return false; }
    bool setLink2(Link *) override { return false; }
    bool setLink3(Link *) override { return false; }
    bool setLink4(Link *) override { return false; }
    QString formula() override;
    bool setLinkTo(Link *l) override { return registerLinkTo(l); }
    bool setArg1(Calculus *) override { return false; }
    bool setArg2(Calculus *) override { return false; }
    bool setArg3(Calculus *) override { return false; }
    bool setArg4(Calculus *) override { return false; }
    void setParam(int) override {}
    int getParam() override { return -1; }
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

protected:
    enum Explorer { GraphValue, NodeValue, NotInsertable };

    // The constructor steps every invariant shares: key, help texts, dimension labels and,
    // for a displayed item, its dialog with the complement box and the explorer option.
    void initInvariant(const QString &key, const QString &latex, const QString &plain, const QString &rowsLabel,
                       const QString &colsLabel, Explorer option, bool displayed);
    void initInvariant(const QString &key, const QString &text, const QString &rowsLabel, const QString &colsLabel,
                       Explorer option, bool displayed)
    {
        initInvariant(key, text, text, rowsLabel, colsLabel, option, displayed);
    }

    // The graph of one computation, read in one piece: the symmetric adjacency rows (when
    // rows is not null) and the vertex count n, which is returned after the value's shape has
    // been set from the labels ("1" or n). Without a graph: no value, the error flag, -1.
    int readGraph(Graph::Row *rows);
    // As readGraph, and with fewer than `fewest` vertices also no value, the error flag and -1.
    int readGraph(Graph::Row *rows, int fewest)
    {
        const int n = readGraph(rows);
        if (n < 0 || n >= fewest)
            return n;
        setNoValue(QString());
        return -1;
    }

    // The frame of the distance items: reads the graph (as readGraph) and calls
    // use(distances, rows, n) with its breadth-first distances, which every distance item
    // computed on the same adjacency shares.
    template <class Use>
    void withDistances(Use use)
    {
        Graph::Row rows[Graph::MaxNodes];
        const int n = readGraph(rows);
        if (n >= 0)
            SharedDistances::forThisThread().use(rows, n, [&](const Distances &d) { use(d, rows, n); });
    }
    // As withDistances for the items without a value on a disconnected graph: no value and
    // the error flag there, use is not called.
    template <class Use>
    void withConnectedDistances(Use use)
    {
        withDistances([&](const Distances &d, const Graph::Row *rows, int n) {
            if (d.connected())
                use(d, rows, n);
            else
                setNoValue(QString());
        });
    }

    static int degree(const Graph::Row rows[], int v) { return adjacency::popcount(rows[v]); }
    static int edgeCount(const Graph::Row rows[], int n)
    {
        int twice = 0;
        for (int v = 0; v < n; ++v)
            twice += degree(rows, v);
        return twice / 2;
    }
    // The vertices of degree 1, as a mask.
    static Graph::Row leafMask(const Graph::Row rows[], int n)
    {
        Graph::Row leaves = 0;
        for (int v = 0; v < n; ++v)
            if (degree(rows, v) == 1)
                leaves |= adjacency::bit(v);
        return leaves;
    }
    // The vertices above v, as a mask.
    static Graph::Row above(int v) { return adjacency::above(v); }

    // Entry (i, j) of the n x n block of the value from at(i, j).
    template <class At>
    void writeMatrix(int n, At at)
    {
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                value[i][j] = at(i, j);
    }
    // Column 0 of rows 0 to n-1: 1.0 for the vertices of the set, 0.0 for the others.
    void writeMembership(Graph::Row set, int n);
    // The edge betweenness items: on a connected graph the n x n matrix of the weight or, with
    // rowSums, the total of each vertex's edges in column 0; no value and the error flag on a
    // disconnected graph.
    void writeBetweenness(Betweenness::Weight weight, bool rowSums);

    // The n x n block of m: edgeValue for an edge, 0.0 elsewhere (so on the diagonal).
    static void writeAdjacency(QVector<QVector<double>> &m, const Graph::Row rows[], int n, double edgeValue);
    // As writeAdjacency, then the degrees on the diagonal: D - A with -1.0, D + A with 1.0.
    static void writeLaplacian(QVector<QVector<double>> &m, const Graph::Row rows[], int n, double edgeValue);
    // The degrees of vertices 0 to n-1 into column 0 of the value.
    void writeDegrees(const Graph::Row rows[], int n);
    // Writes the degrees (as writeDegrees) and sums term(d(i), d(j)) over the edges {i, j},
    // i ascending, then j ascending.
    template <class Term>
    double sumOverEdges(const Graph::Row rows[], int n, Term term)
    {
        writeDegrees(rows, n);
        double sum = 0.0;
        for (int i = 0; i < n; ++i)
            for (Graph::Row r = rows[i] & above(i); r; r &= r - 1) {
                const int j = adjacency::lowest(r);
                sum += term(value[i][0], value[j][0]);
            }
        return sum;
    }
};

#endif
