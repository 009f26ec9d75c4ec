#ifndef INVNUMERO_H
#define INVNUMERO_H

#include "calculus/Invariant.h"

// The numbers 1 to n, one per vertex.
class invNUMERO : public Invariant
{
public:
    explicit invNUMERO(bool displayed);
    ~invNUMERO() override;

    void recompute() override;
};

#endif
