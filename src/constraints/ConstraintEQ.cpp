#include "constraints/ConstraintEQ.h"

ConstraintEQ::ConstraintEQ(bool displayed)
    : ComparisonConstraint("==", "The first and second arguments should be equal.", Relation::Equal, displayed)
{
}
