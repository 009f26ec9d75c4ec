#ifndef INVONEMAT_H
#define INVONEMAT_H

#include "calculus/Invariant.h"

// The n x n matrix of ones.
class invONEMAT : public Invariant
{
public:
    explicit invONEMAT(bool displayed);
    ~invONEMAT() override;

    void recompute() override;
};

#endif
