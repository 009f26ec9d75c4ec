#ifndef INVZAGREBM2_H
#define INVZAGREBM2_H

#include "calculus/Invariant.h"

// Second Zagreb index: sum over the edges of d(i) d(j).
class invZAGREBM2 : public Invariant
{
public:
    explicit invZAGREBM2(bool displayed);
    ~invZAGREBM2() override;

    void recompute() override;
};

#endif
