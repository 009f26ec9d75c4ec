#ifndef CONSTRAINTGT_H
#define CONSTRAINTGT_H

#include "constraints/ComparisonConstraint.h"

// ">": a cell not above its bound by at least 1e-6 adds its squared difference plus 1.
class ConstraintGT : public ComparisonConstraint
{
public:
    explicit ConstraintGT(bool displayed);
};

#endif
