#ifndef INVSLLAPLACIAN_H
#define INVSLLAPLACIAN_H

#include "calculus/Invariant.h"

// Signless Laplacian matrix D + A.
class invSLLAPLACIAN : public Invariant
{
public:
    explicit invSLLAPLACIAN(bool displayed);
    ~invSLLAPLACIAN() override;

    void recompute() override;
};

#endif
