#ifndef INVINSTABLEMAX_H
#define INVINSTABLEMAX_H

#include "calculus/Invariant.h"

// Membership of each vertex in the first maximum stable set.
class invINSTABLEMAX : public Invariant
{
public:
    explicit invINSTABLEMAX(bool displayed);
    ~invINSTABLEMAX() override;

    void recompute() override;
};

#endif
