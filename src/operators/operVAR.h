#ifndef OPERVAR_H
#define OPERVAR_H

#include "calculus/Operator.h"

// "VAR": the population variance of the entries of argument 1 (divisor r x c).
class operVAR : public Operator
{
public:
    explicit operVAR(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
