#ifndef INVSIZE_H
#define INVSIZE_H

#include "calculus/Invariant.h"

// Number of edges.
class invSIZE : public Invariant
{
public:
    explicit invSIZE(bool displayed);
    ~invSIZE() override;

    void recompute() override;
};

#endif
