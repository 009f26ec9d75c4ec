#ifndef OPERSUBSTRACT_H
#define OPERSUBSTRACT_H

#include "calculus/Operator.h"

// "-": argument 1 minus arguments 2, 3 and 4 entry by entry, or a single value against
// every entry of the other argument.
class operSUBSTRACT : public Operator
{
public:
    explicit operSUBSTRACT(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
