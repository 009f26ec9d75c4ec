#ifndef INVSTABLEMAX_H
#define INVSTABLEMAX_H

#include "calculus/Invariant.h"

// Stability number: the size of a largest stable set.
class invSTABLEMAX : public Invariant
{
public:
    explicit invSTABLEMAX(bool displayed);
    ~invSTABLEMAX() override;

    void recompute() override;
};

#endif
