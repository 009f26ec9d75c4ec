#ifndef CONSTRAINTLE_H
#define CONSTRAINTLE_H

#include "constraints/ComparisonConstraint.h"

// "<=": a cell above its bound by more than 1e-6 adds its squared difference.
class ConstraintLE : public ComparisonConstraint
{
public:
    explicit ConstraintLE(bool displayed);
};

#endif
