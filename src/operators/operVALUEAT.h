#ifndef OPERVALUEAT_H
#define OPERVALUEAT_H

#include "calculus/Operator.h"

// "VALUE AT": the entry of a vector (argument 1) at a 1-based position (argument 2).
class operVALUEAT : public Operator
{
public:
    explicit operVALUEAT(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
