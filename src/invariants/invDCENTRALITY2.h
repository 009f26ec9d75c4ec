#ifndef INVDCENTRALITY2_H
#define INVDCENTRALITY2_H

#include "calculus/Invariant.h"

// Sum of the squared-distance-weighted betweenness of the edges at each vertex.
class invDCENTRALITY2 : public Invariant
{
public:
    explicit invDCENTRALITY2(bool displayed);
    ~invDCENTRALITY2() override;

    void recompute() override;
};

#endif
