#ifndef OPERSUM_H
#define OPERSUM_H

#include "calculus/Operator.h"

// "SUM": the sum of the entries of argument 1.
class operSUM : public Operator
{
public:
    explicit operSUM(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
