#include "constraints/ConstraintLT.h"

ConstraintLT::ConstraintLT(bool displayed)
    : ComparisonConstraint("<", "The first  argument should be less than the second.", Relation::Less, displayed)
{
}
