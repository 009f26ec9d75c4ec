#ifndef OPERIFGE_H
#define OPERIFGE_H

#include "calculus/Operator.h"

// "IFGE": term by term, argument 3's entry where argument 1's is at least argument 2's less
// 1e-6, argument 4's elsewhere (also where the comparison is undecided, a NaN). Arguments 1
// and 2 share a shape, as do 3 and 4, and 1 and 2 are at least as large as 3.
class operIFGE : public Operator
{
public:
    explicit operIFGE(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
