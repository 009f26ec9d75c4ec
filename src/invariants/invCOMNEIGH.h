#ifndef INVCOMNEIGH_H
#define INVCOMNEIGH_H

#include "calculus/Invariant.h"

// Number of common neighbours of every pair of vertices.
class invCOMNEIGH : public Invariant
{
public:
    explicit invCOMNEIGH(bool displayed);
    ~invCOMNEIGH() override;

    void recompute() override;
};

#endif
