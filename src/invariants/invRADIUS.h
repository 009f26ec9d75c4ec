#ifndef INVRADIUS_H
#define INVRADIUS_H

#include "calculus/Invariant.h"

// Radius: the smallest eccentricity.
class invRADIUS : public Invariant
{
public:
    explicit invRADIUS(bool displayed);
    ~invRADIUS() override;

    void recompute() override;
};

#endif
