#ifndef CONSTRAINTCONNECTED_H
#define CONSTRAINTCONNECTED_H

#include "calculus/Constraint.h"
#include "graph/Graph.h"

// "CONNECTED": the violation is the number of connected components of the graph (of its
// complement with the "Complement" option) minus 1. Takes no argument.
class constraintConnected : public Constraint
{
public:
    explicit constraintConnected(bool displayed);

    bool setLink1(Link *) override { return false; }
    bool setLink2(Link *) override { return false; }
    QString formula() override;
    bool setArg1(Calculus *) override { return false; }
    bool setArg2(Calculus *) override { return false; }
    void recompute() override;

    // The number of connected components of the graph on vertices 0..n-1 given by its
    // symmetric adjacency rows.
    static int components(const Graph::Row rows[], int n);
};

#endif
