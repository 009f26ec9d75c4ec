#ifndef CONJECTUREENGINEPROBE_H
#define CONJECTUREENGINEPROBE_H

#include "conjectures/ConjectureEngine.h"

#include <vector>

// Reaches the steps of a conjecture engine's run in the calling thread: the added columns,
// the set-up of the weighted points and single evaluations.
class ConjectureEngineProbe : public ConjectureEngine
{
public:
    using ConjectureEngine::ConjectureEngine;

    // What a run does before its search, without the search and without leaving idle.
    void prepare()
    {
        addColumns();
        setUp();
    }
    bool evaluate() { return eval(); }
    // The text, record and touching rows that a bound with these weighted coefficients states.
    Statement stated(const QVector<double> &w) const { return state(w); }
    int dimension() const { return dim; }
    QStringList columns() const { return header; }
    QVector<double> columnWeights() const { return weights; }
    std::vector<double> weightedPoint(int p) const
    {
        return std::vector<double>(x.begin() + p * dim, x.begin() + (p + 1) * dim);
    }
};

#endif
