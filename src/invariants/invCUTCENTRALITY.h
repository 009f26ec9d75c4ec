#ifndef INVCUTCENTRALITY_H
#define INVCUTCENTRALITY_H

#include "calculus/Invariant.h"

// Cut centrality: for each vertex, the normalised cut values of the splits by its edges.
class invCUTCENTRALITY : public Invariant
{
public:
    explicit invCUTCENTRALITY(bool displayed);
    ~invCUTCENTRALITY() override;

    void recompute() override;
};

#endif
