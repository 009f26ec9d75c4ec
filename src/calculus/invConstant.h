#ifndef INVCONSTANT_H
#define INVCONSTANT_H

#include "calculus/Operator.h"

// The constant item "CONSTANT": a number, vector or matrix typed by the user, copied once
// from its optional argument 1 ("Clone"), or read from the problem text. The only item
// whose value does not depend on the graph.
//
// The item keeps its own copy of the definition, which the dialog hands over at every
// change of its table; a computation reads that copy, never the dialog.
class invConstant : public Operator
{
public:
    explicit invConstant(bool displayed);
    ~invConstant() override;

    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;
    bool setLink2(Link *) override { return false; }
    bool setLink3(Link *) override { return false; }
    bool setLink4(Link *) override { return false; }
    QString formula() override { return name; }
    bool setArg2(Calculus *) override { return false; }
    bool setArg3(Calculus *) override { return false; }
    bool setArg4(Calculus *) override { return false; }
    QString specificInformationToSave() override;
    void recompute() override;

    // Loads a matrix read row-major from the problem text. Refuses, changing nothing, a size
    // beyond 32 x 32 or a number of values other than rows x cols.
    bool loadData(int rows, int cols, QVector<double> values);

private:
    void define(int rows, int cols, const QVector<QVector<double>> &m);
    // Shows a definition in the dialog's table, from whichever thread it was made in.
    void showInDialog(int rows, int cols, const QVector<double> &values);
    void setLabelsFromCounts();

    QVector<QVector<double>> defined;
    int definedRows = 0;
    int definedCols = 0;
    // The counts that the dimension labels show.
    int labelRows = 1;
    int labelCols = 1;
};

#endif
