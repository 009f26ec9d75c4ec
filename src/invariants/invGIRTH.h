#ifndef INVGIRTH_H
#define INVGIRTH_H

#include "calculus/Invariant.h"

// Girth: the length of a shortest cycle, 1e12 (in error) without a cycle.
class invGIRTH : public Invariant
{
public:
    explicit invGIRTH(bool displayed);
    ~invGIRTH() override;

    void recompute() override;
};

#endif
