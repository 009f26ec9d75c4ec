#ifndef INVBALABAN_H
#define INVBALABAN_H

#include "calculus/Invariant.h"

// Balaban index, from the transmissions of the ends of every edge.
class invBALABAN : public Invariant
{
public:
    explicit invBALABAN(bool displayed);
    ~invBALABAN() override;

    void recompute() override;
};

#endif
