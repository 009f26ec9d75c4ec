#ifndef INVADJACENCY_H
#define INVADJACENCY_H

#include "calculus/Invariant.h"

// Adjacency matrix of the graph.
class invADJACENCY : public Invariant
{
public:
    explicit invADJACENCY(bool displayed);
    ~invADJACENCY() override;

    void recompute() override;
};

#endif
