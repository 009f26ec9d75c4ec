#ifndef OPERMULT_H
#define OPERMULT_H

#include "calculus/Operator.h"

// "*": the matrix product of two arguments, or a single value scaling the other argument.
class operMULT : public Operator
{
public:
    explicit operMULT(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
