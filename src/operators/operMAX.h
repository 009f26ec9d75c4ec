#ifndef OPERMAX_H
#define OPERMAX_H

#include "calculus/Operator.h"

// "MAX": the largest entry of argument 1, from a floor of -1e12.
class operMAX : public Operator
{
public:
    explicit operMAX(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
