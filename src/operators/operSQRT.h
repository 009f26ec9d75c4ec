#ifndef OPERSQRT_H
#define OPERSQRT_H

#include "calculus/Operator.h"

// "SQRT": the square root of every entry; entries within 1e-6 of zero give 0 and entries
// below -1e-6 put the item in error.
class operSQRT : public Operator
{
public:
    explicit operSQRT(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
