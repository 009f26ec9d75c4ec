#ifndef OPERSUMGE_H
#define OPERSUMGE_H

#include "calculus/Operator.h"

// "SUMGE": the sum of the entries of argument 1 not below a threshold (argument 2,
// default 0) by more than 1e-6.
class operSUMGE : public Operator
{
public:
    explicit operSUMGE(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
