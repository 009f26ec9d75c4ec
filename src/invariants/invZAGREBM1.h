#ifndef INVZAGREBM1_H
#define INVZAGREBM1_H

#include "calculus/Invariant.h"

// First Zagreb index: sum of the squared degrees.
class invZAGREBM1 : public Invariant
{
public:
    explicit invZAGREBM1(bool displayed);
    ~invZAGREBM1() override;

    void recompute() override;
};

#endif
