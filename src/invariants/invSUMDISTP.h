#ifndef INVSUMDISTP_H
#define INVSUMDISTP_H

#include "calculus/Invariant.h"

// Sum of the distances of each vertex to the leaves (vertices of degree 1).
class invSUMDISTP : public Invariant
{
public:
    explicit invSUMDISTP(bool displayed);
    ~invSUMDISTP() override;

    void recompute() override;
};

#endif
