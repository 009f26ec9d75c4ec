#ifndef OPERANGLE_H
#define OPERANGLE_H

#include "operators/operCORR.h"

// "ANGLE": the angle in radians, from 0 to pi, between two vectors of one shape: the arc cosine
// of what "CORR" gives them, with the same checks and failures.
class operANGLE : public operCORR
{
public:
    explicit operANGLE(bool graphical);

protected:
    double fromCosine(double cosine) const override;
};

#endif
