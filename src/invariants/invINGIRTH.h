#ifndef INVINGIRTH_H
#define INVINGIRTH_H

#include "calculus/Invariant.h"

// Edges of one shortest cycle, as a 0/1 matrix for highlighting.
class invINGIRTH : public Invariant
{
public:
    explicit invINGIRTH(bool displayed);
    ~invINGIRTH() override;

    void recompute() override;
};

#endif
