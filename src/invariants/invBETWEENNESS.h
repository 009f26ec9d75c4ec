#ifndef INVBETWEENNESS_H
#define INVBETWEENNESS_H

#include "calculus/Invariant.h"

// Edge betweenness: the share of the shortest paths of every vertex pair that run along each edge.
class invBETWEENNESS : public Invariant
{
public:
    explicit invBETWEENNESS(bool displayed);
    ~invBETWEENNESS() override;

    void recompute() override;
};

#endif
