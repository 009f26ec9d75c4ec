#ifndef INVCLOSENESS_H
#define INVCLOSENESS_H

#include "calculus/Invariant.h"

// Closeness of each vertex: 1 over the sum of its distances.
class invCLOSENESS : public Invariant
{
public:
    explicit invCLOSENESS(bool displayed);
    ~invCLOSENESS() override;

    void recompute() override;
};

#endif
