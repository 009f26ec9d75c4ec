#ifndef CONSTRAINTLT_H
#define CONSTRAINTLT_H

#include "constraints/ComparisonConstraint.h"

// "<": a cell not below its bound by at least 1e-6 adds its squared difference plus 1.
class ConstraintLT : public ComparisonConstraint
{
public:
    explicit ConstraintLT(bool displayed);
};

#endif
