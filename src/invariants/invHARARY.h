#ifndef INVHARARY_H
#define INVHARARY_H

#include "calculus/Invariant.h"

// Harary index: the sum of the reciprocal distances of all unordered vertex pairs.
class invHARARY : public Invariant
{
public:
    explicit invHARARY(bool displayed);
    ~invHARARY() override;

    void recompute() override;
};

#endif
