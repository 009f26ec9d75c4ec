#ifndef INVINDIAMETER_H
#define INVINDIAMETER_H

#include "calculus/Invariant.h"

// Edges of one shortest path between two vertices at the diameter's distance, for highlighting.
class invINDIAMETER : public Invariant
{
public:
    explicit invINDIAMETER(bool displayed);
    ~invINDIAMETER() override;

    void recompute() override;
};

#endif
