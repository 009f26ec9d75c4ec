#ifndef INVRANDIC_H
#define INVRANDIC_H

#include "calculus/Invariant.h"

// Randic index: sum over the edges of 1 / sqrt(d(i) d(j)).
class invRANDIC : public Invariant
{
public:
    explicit invRANDIC(bool displayed);
    ~invRANDIC() override;

    void recompute() override;
};

#endif
