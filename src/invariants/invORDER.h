#ifndef INVORDER_H
#define INVORDER_H

#include "calculus/Invariant.h"

// Number of vertices.
class invORDER : public Invariant
{
public:
    explicit invORDER(bool displayed);
    ~invORDER() override;

    void recompute() override;
};

#endif
