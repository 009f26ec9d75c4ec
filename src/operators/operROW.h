#ifndef OPERROW_H
#define OPERROW_H

#include "calculus/Operator.h"

// "ROW": one row of argument 1, its 1-based number given by argument 2.
class operROW : public Operator
{
public:
    explicit operROW(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
