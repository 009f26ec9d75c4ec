#ifndef INVDBETWEENNESS_H
#define INVDBETWEENNESS_H

#include "calculus/Invariant.h"

// Edge betweenness with each pair weighted by 1 over its distance.
class invDBETWEENNESS : public Invariant
{
public:
    explicit invDBETWEENNESS(bool displayed);
    ~invDBETWEENNESS() override;

    void recompute() override;
};

#endif
