#ifndef BOARDITEMS_H
#define BOARDITEMS_H

#include "calculus/CalculusDisplay.h"
#include "calculus/Constraint.h"
#include "calculus/Family.h"
#include "calculus/Invariant.h"
#include "calculus/Operator.h"

#include <functional>

class Graph;

// Small items of every board category for the board tests: each computes its value with a
// function of the graph (and of its arguments), counts its recomputes and can be told to fail.
using ValueFn = std::function<QVector<QVector<double>>(Graph *, Calculus *const args[4])>;

template <class Base>
class Scripted : public Base
{
public:
    Scripted(QString key, ValueFn f, bool isDisplayed = false) : fn(std::move(f))
    {
        this->name = key;
        this->displayed = isDisplayed;
        if (isDisplayed)
            this->setupDisplay(new CalculusDisplay(key, "scripted item"));
    }

    QString formula() override { return formulaText.isEmpty() ? this->name : formulaText; }
    void paint(QPainter *, const QStyleOptionGraphicsItem *, QWidget *) override {}
    void recompute() override
    {
        ++recomputes;
        if (fail) {
            this->nbRows = 0;
            this->nbCols = 0;
            this->error = true;
            return;
        }
        const QVector<QVector<double>> m = fn(this->graph, this->args);
        this->nbRows = m.size();
        this->nbCols = m.isEmpty() ? 0 : m[0].size();
        for (int i = 0; i < m.size(); ++i)
            for (int j = 0; j < m[i].size(); ++j)
                this->value[i][j] = m[i][j];
    }

    ValueFn fn;
    int recomputes = 0;
    bool fail = false;
    QString formulaText;
};

using ScriptedInvariant = Scripted<Invariant>;
using ScriptedOperator = Scripted<Operator>;
using ScriptedFamily = Scripted<Family>;
using ScriptedConstraint = Scripted<Constraint>;

// Value functions used across the board tests.
namespace values {
// A constant column.
ValueFn column(QVector<double> v);
// The vertex count and the edge count of the graph as 1 x 1 values.
ValueFn order();
ValueFn size();
// The degree of every vertex as a column.
ValueFn degrees();
// Argument 1's first column, unchanged.
ValueFn firstArg();
} // namespace values

#endif
