#ifndef SOLUTION_H
#define SOLUTION_H

#include "calculus/Eval.h"

#include <QString>

// One evaluated graph: its graph text and its own copy of the evaluation record.
class Solution
{
public:
    Solution(Eval *e, QString graphText);
    explicit Solution(Solution *other);
    ~Solution() = default;

    Eval *getValue() { return &value; }
    const Eval *getValue() const { return &value; }
    QString getGraph() const { return graph; }
    // For a solution whose text is written once an archive has taken it: the worker makes
    // the text only for the few candidates its own local archive accepts.
    void setGraph(QString text) { graph = std::move(text); }
    int sizeZ() const { return value.sizeZ(); }
    int size() const { return value.size(); }
    double violation(int i) const;
    void display() const;

private:
    QString graph;
    Eval value;
};

#endif
