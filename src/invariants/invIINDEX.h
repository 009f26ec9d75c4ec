#ifndef INVIINDEX_H
#define INVIINDEX_H

#include "calculus/Invariant.h"

// I-index: for each vertex, the split ratios of every pair of its neighbours.
class invIINDEX : public Invariant
{
public:
    explicit invIINDEX(bool displayed);
    ~invIINDEX() override;

    void recompute() override;
};

#endif
