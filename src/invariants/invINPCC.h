#ifndef INVINPCC_H
#define INVINPCC_H

#include "calculus/Invariant.h"

// Edges of the breadth-first tree from the vertex last pressed in the graph view, for highlighting.
class invINPCC : public Invariant
{
public:
    explicit invINPCC(bool displayed);
    ~invINPCC() override;

    void recompute() override;
};

#endif
