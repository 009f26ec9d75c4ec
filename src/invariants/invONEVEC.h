#ifndef INVONEVEC_H
#define INVONEVEC_H

#include "calculus/Invariant.h"

// The column of n ones.
class invONEVEC : public Invariant
{
public:
    explicit invONEVEC(bool displayed);
    ~invONEVEC() override;

    void recompute() override;
};

#endif
