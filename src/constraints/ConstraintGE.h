#ifndef CONSTRAINTGE_H
#define CONSTRAINTGE_H

#include "constraints/ComparisonConstraint.h"

// ">=": a cell short of its bound by more than 1e-6 adds its squared difference.
class ConstraintGE : public ComparisonConstraint
{
public:
    explicit ConstraintGE(bool displayed);
};

#endif
