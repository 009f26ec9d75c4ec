#ifndef INVK4_H
#define INVK4_H

#include "calculus/Invariant.h"

// Number of complete subgraphs on four vertices.
class invK4 : public Invariant
{
public:
    explicit invK4(bool displayed);
    ~invK4() override;

    void recompute() override;
};

#endif
