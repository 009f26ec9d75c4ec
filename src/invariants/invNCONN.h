#ifndef INVNCONN_H
#define INVNCONN_H

#include "calculus/Invariant.h"

// Vertex connectivity: the fewest vertices whose removal disconnects the graph.
class invNCONN : public Invariant
{
public:
    explicit invNCONN(bool displayed);
    ~invNCONN() override;

    void recompute() override;
};

#endif
