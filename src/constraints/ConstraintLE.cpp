#include "constraints/ConstraintLE.h"

ConstraintLE::ConstraintLE(bool displayed)
    : ComparisonConstraint("<=", "The first  argument should be less than or equal to the second.", Relation::LessOrEqual, displayed)
{
}
