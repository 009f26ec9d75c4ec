#ifndef CONSTRAINTEQ_H
#define CONSTRAINTEQ_H

#include "constraints/ComparisonConstraint.h"

// "==": each cell adds its squared difference, with no tolerance.
class ConstraintEQ : public ComparisonConstraint
{
public:
    explicit ConstraintEQ(bool displayed);
};

#endif
