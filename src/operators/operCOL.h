#ifndef OPERCOL_H
#define OPERCOL_H

#include "calculus/Operator.h"

// "COLUMN": column k of argument 1 as a column vector, k (counted from 1) the truncated single
// value of argument 2.
class operCOL : public Operator
{
public:
    explicit operCOL(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
