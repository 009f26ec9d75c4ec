#include "constraints/ConstraintGE.h"

ConstraintGE::ConstraintGE(bool displayed)
    : ComparisonConstraint(">=", "The first  argument should be greater than or equal to the second.", Relation::GreaterOrEqual, displayed)
{
}
