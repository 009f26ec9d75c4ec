#ifndef INVDBETWEENNESS2_H
#define INVDBETWEENNESS2_H

#include "calculus/Invariant.h"

// Edge betweenness with each pair weighted by 1 over its squared distance.
class invDBETWEENNESS2 : public Invariant
{
public:
    explicit invDBETWEENNESS2(bool displayed);
    ~invDBETWEENNESS2() override;

    void recompute() override;
};

#endif
