#ifndef INVECCENTRICITY_H
#define INVECCENTRICITY_H

#include "calculus/Invariant.h"

// Eccentricity of each vertex: its largest distance to another vertex.
class invECCENTRICITY : public Invariant
{
public:
    explicit invECCENTRICITY(bool displayed);
    ~invECCENTRICITY() override;

    void recompute() override;
};

#endif
