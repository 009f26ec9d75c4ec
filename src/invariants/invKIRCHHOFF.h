#ifndef INVKIRCHHOFF_H
#define INVKIRCHHOFF_H

#include "calculus/Invariant.h"

// Kirchhoff index from the Laplacian spectrum; connected graphs of 3 or more vertices only.
class invKIRCHHOFF : public Invariant
{
public:
    explicit invKIRCHHOFF(bool displayed);
    ~invKIRCHHOFF() override;

    void recompute() override;
};

#endif
