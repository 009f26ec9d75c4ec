#ifndef OPERDIV_H
#define OPERDIV_H

#include "calculus/Operator.h"

// "/": a value, vector or matrix divided by a single value, a single value divided by each
// entry, or two values of one shape term by term. A divisor below 1e-6 in magnitude stops the
// division: that entry holds 1e12 and the item is in error. Slots 3 and 4 are refused: they
// would take no part.
class operDIV : public Operator
{
public:
    explicit operDIV(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
