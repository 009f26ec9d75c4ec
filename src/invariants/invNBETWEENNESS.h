#ifndef INVNBETWEENNESS_H
#define INVNBETWEENNESS_H

#include "calculus/Invariant.h"

// Flow betweenness of the edges, normalised by the geometric mean of the row sums.
class invNBETWEENNESS : public Invariant
{
public:
    explicit invNBETWEENNESS(bool displayed);
    ~invNBETWEENNESS() override;

    void recompute() override;
};

#endif
