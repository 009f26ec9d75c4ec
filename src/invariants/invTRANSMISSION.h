#ifndef INVTRANSMISSION_H
#define INVTRANSMISSION_H

#include "calculus/Invariant.h"

// Transmission of each vertex: the sum of its distances to the others.
class invTRANSMISSION : public Invariant
{
public:
    explicit invTRANSMISSION(bool displayed);
    ~invTRANSMISSION() override;

    void recompute() override;
};

#endif
