#ifndef INVDCENTRALITY_H
#define INVDCENTRALITY_H

#include "calculus/Invariant.h"

// Sum of the distance-weighted betweenness of the edges at each vertex.
class invDCENTRALITY : public Invariant
{
public:
    explicit invDCENTRALITY(bool displayed);
    ~invDCENTRALITY() override;

    void recompute() override;
};

#endif
