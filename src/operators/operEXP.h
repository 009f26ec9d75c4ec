#ifndef OPEREXP_H
#define OPEREXP_H

#include "calculus/Operator.h"

// "EXP": the exponential of every entry, in the argument's shape and labels; an overflow gives
// +inf, not an error.
class operEXP : public Operator
{
public:
    explicit operEXP(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
