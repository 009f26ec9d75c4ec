#include "constraints/ConstraintGT.h"

ConstraintGT::ConstraintGT(bool displayed)
    : ComparisonConstraint(">", "The first  argument should be greater than the second.", Relation::Greater, displayed)
{
}
