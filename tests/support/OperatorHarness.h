#ifndef OPERATORHARNESS_H
#define OPERATORHARNESS_H

#include "calculus/BuildCalculus.h"
#include "calculus/Operator.h"

#include <QString>
#include <QVector>

class Graph;

using Matrix = QVector<QVector<double>>;

// An argument of fixed value for the operator tests: a matrix with its dimension labels and
// formula text, or, when failing, an item in error.
class FixedItem : public Operator
{
public:
    explicit FixedItem(QString text);
    void set(const Matrix &m, const QString &rowsLabel = "NA", const QString &colsLabel = "NA");
    void setFailing(bool b) { failing = b; }
    // A shape beyond the storage, claimed without writing it: what a faulty item could hand on.
    void claimShape(int r, int c)
    {
        claimedRows = r;
        claimedCols = c;
    }
    QString formula() override { return text; }
    void recompute() override;

private:
    Matrix matrix;
    QString rows = "NA";
    QString cols = "NA";
    QString text;
    bool failing = false;
    int claimedRows = -1;
    int claimedCols = -1;
};

// One graph with the items of a test, all owned: operators made by key through the factory,
// fixed arguments and invariants. evaluate() recomputes an item after its arguments on a new
// graph identifier, as the board does in its calculation order.
class OperatorHarness
{
public:
    OperatorHarness();
    ~OperatorHarness();
    OperatorHarness(const OperatorHarness &) = delete;
    OperatorHarness &operator=(const OperatorHarness &) = delete;

    Graph &graph() { return *g; }
    void setGraphText(const QString &text);
    // Null when the factory does not make the key.
    Calculus *make(const QString &key, bool displayed = false);
    FixedItem *fixed(const Matrix &m, const QString &rowsLabel = "NA", const QString &colsLabel = "NA",
                     const QString &text = "X");
    // The operator of the key over one fixed argument, computed.
    Calculus *over(const QString &key, const Matrix &m, const QString &rowsLabel = "NA",
                   const QString &colsLabel = "NA");
    static bool setArg(Calculus *item, int slot, Calculus *arg);
    void evaluate(Calculus *item);
    // The value window of an item, row by row.
    static Matrix valueOf(Calculus *item);
    static Matrix column(const QVector<double> &v);
    // Within a relative 1e-9, NaN matching NaN.
    static bool close(double a, double b);
    // The item's value has the shape of `expected` and entries close to its entries.
    static bool matches(Calculus *item, const Matrix &expected);

private:
    void computeTree(Calculus *item, int depth);

    Graph *g;
    BuildCalculus factory;
    QVector<Calculus *> items;
};

#endif
