#ifndef INVDOMINATION_H
#define INVDOMINATION_H

#include "calculus/Invariant.h"

// Domination number: the size of a smallest dominating set.
class invDOMINATION : public Invariant
{
public:
    explicit invDOMINATION(bool displayed);
    ~invDOMINATION() override;

    void recompute() override;
};

#endif
