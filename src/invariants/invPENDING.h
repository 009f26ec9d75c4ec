#ifndef INVPENDING_H
#define INVPENDING_H

#include "calculus/Invariant.h"

// Number of vertices of degree 1.
class invPENDING : public Invariant
{
public:
    explicit invPENDING(bool displayed);
    ~invPENDING() override;

    void recompute() override;
};

#endif
