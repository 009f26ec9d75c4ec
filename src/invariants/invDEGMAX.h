#ifndef INVDEGMAX_H
#define INVDEGMAX_H

#include "calculus/Invariant.h"

// Largest degree.
class invDEGMAX : public Invariant
{
public:
    explicit invDEGMAX(bool displayed);
    ~invDEGMAX() override;

    void recompute() override;
};

#endif
