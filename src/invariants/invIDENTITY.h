#ifndef INVIDENTITY_H
#define INVIDENTITY_H

#include "calculus/Invariant.h"

// Identity matrix of order n.
class invIDENTITY : public Invariant
{
public:
    explicit invIDENTITY(bool displayed);
    ~invIDENTITY() override;

    void recompute() override;
};

#endif
