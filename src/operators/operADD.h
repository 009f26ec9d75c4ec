#ifndef OPERADD_H
#define OPERADD_H

#include "calculus/Operator.h"

// "+": the term-by-term sum of two to four values, vectors or matrices, in argument order.
// A single value stands for every entry of the other terms; when argument 1 or 2 is one, every
// further term is added too (broadcast when single), never dropped.
class operADD : public Operator
{
public:
    explicit operADD(bool graphical);
    QString formula() override;
    void recompute() override;

private:
    void sumWithBroadcast();
};

#endif
