#ifndef INVDIAMETER_H
#define INVDIAMETER_H

#include "calculus/Invariant.h"

// Diameter: the largest distance between two vertices.
class invDIAMETER : public Invariant
{
public:
    explicit invDIAMETER(bool displayed);
    ~invDIAMETER() override;

    void recompute() override;
};

#endif
