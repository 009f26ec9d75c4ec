#ifndef INVINDOMINATION_H
#define INVINDOMINATION_H

#include "calculus/Invariant.h"

// Membership of each vertex in the first minimum dominating set.
class invINDOMINATION : public Invariant
{
public:
    explicit invINDOMINATION(bool displayed);
    ~invINDOMINATION() override;

    void recompute() override;
};

#endif
