#ifndef INVLAPLACIAN_H
#define INVLAPLACIAN_H

#include "calculus/Invariant.h"

// Laplacian matrix L = D - A.
class invLAPLACIAN : public Invariant
{
public:
    explicit invLAPLACIAN(bool displayed);
    ~invLAPLACIAN() override;

    void recompute() override;
};

#endif
