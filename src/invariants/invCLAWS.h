#ifndef INVCLAWS_H
#define INVCLAWS_H

#include "calculus/Invariant.h"

// Number of vertices of degree 3 whose neighbours are pairwise non-adjacent.
class invCLAWS : public Invariant
{
public:
    explicit invCLAWS(bool displayed);
    ~invCLAWS() override;

    void recompute() override;
};

#endif
