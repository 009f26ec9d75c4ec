#ifndef INVHARMONIC_H
#define INVHARMONIC_H

#include "calculus/Invariant.h"

// Harmonic value of each vertex: the sum of its reciprocal distances to the others.
class invHARMONIC : public Invariant
{
public:
    explicit invHARMONIC(bool displayed);
    ~invHARMONIC() override;

    void recompute() override;
};

#endif
