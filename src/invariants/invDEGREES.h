#ifndef INVDEGREES_H
#define INVDEGREES_H

#include "calculus/Invariant.h"

// Degree of every vertex.
class invDEGREES : public Invariant
{
public:
    explicit invDEGREES(bool displayed);
    ~invDEGREES() override;

    void recompute() override;
};

#endif
