#ifndef OPERANGLE_H
#define OPERANGLE_H

#include "calculus/Operator.h"

// "ANGLE": the angle in radians, from 0 to pi, between two vectors of one shape: the arc cosine
// of the value "CORR" gives them.
class operANGLE : public Operator
{
public:
    explicit operANGLE(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
