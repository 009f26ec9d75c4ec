#ifndef OPERABS_H
#define OPERABS_H

#include "calculus/Operator.h"

// "ABS": the absolute value of every entry, in the argument's shape and labels.
class operABS : public Operator
{
public:
    explicit operABS(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
