#ifndef INVPLATT_H
#define INVPLATT_H

#include "calculus/Invariant.h"

// Platt index: sum over the edges of d(i) + d(j) - 2.
class invPLATT : public Invariant
{
public:
    explicit invPLATT(bool displayed);
    ~invPLATT() override;

    void recompute() override;
};

#endif
