#ifndef INVCENTRALITY_H
#define INVCENTRALITY_H

#include "calculus/Invariant.h"

// Sum of the betweenness of the edges at each vertex.
class invCENTRALITY : public Invariant
{
public:
    explicit invCENTRALITY(bool displayed);
    ~invCENTRALITY() override;

    void recompute() override;
};

#endif
