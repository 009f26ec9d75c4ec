#ifndef INVDISTANCE_H
#define INVDISTANCE_H

#include "calculus/Invariant.h"

// Distance matrix: the number of edges of a shortest path between two vertices, 1e12 between components.
class invDISTANCE : public Invariant
{
public:
    explicit invDISTANCE(bool displayed);
    ~invDISTANCE() override;

    void recompute() override;
};

#endif
