#ifndef OPERSORT_H
#define OPERSORT_H

#include "calculus/Operator.h"

// "SORT": a vector with its entries in non-increasing order. Equal entries keep their
// order and a NaN stays where it is, the entries on each side sorted apart.
class operSORT : public Operator
{
public:
    explicit operSORT(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
