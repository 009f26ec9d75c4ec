#ifndef INVCHROMATIC_H
#define INVCHROMATIC_H

#include "calculus/Invariant.h"

// Chromatic number.
class invCHROMATIC : public Invariant
{
public:
    explicit invCHROMATIC(bool displayed);
    ~invCHROMATIC() override;

    void recompute() override;
};

#endif
