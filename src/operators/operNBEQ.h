#ifndef OPERNBEQ_H
#define OPERNBEQ_H

#include "calculus/Operator.h"

// "NBEQ": how many entries of argument 1 lie within a tolerance (argument 3, default
// 1e-6) of a value (argument 2, default 0).
class operNBEQ : public Operator
{
public:
    explicit operNBEQ(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
