#ifndef INVCHROMATICVAL_H
#define INVCHROMATICVAL_H

#include "calculus/Invariant.h"

// Colour of each vertex in a minimum proper colouring.
class invCHROMATICVAL : public Invariant
{
public:
    explicit invCHROMATICVAL(bool displayed);
    ~invCHROMATICVAL() override;

    void recompute() override;
};

#endif
