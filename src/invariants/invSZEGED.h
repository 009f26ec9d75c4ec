#ifndef INVSZEGED_H
#define INVSZEGED_H

#include "calculus/Invariant.h"

// Szeged index: over the edges, the product of the numbers of vertices nearer to either end.
class invSZEGED : public Invariant
{
public:
    explicit invSZEGED(bool displayed);
    ~invSZEGED() override;

    void recompute() override;
};

#endif
