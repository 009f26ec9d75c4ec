#ifndef INVDISTCLOSESTLEAF_H
#define INVDISTCLOSESTLEAF_H

#include "calculus/Invariant.h"

// Distance of each vertex to its nearest leaf (vertex of degree 1).
class invDISTCLOSESTLEAF : public Invariant
{
public:
    explicit invDISTCLOSESTLEAF(bool displayed);
    ~invDISTCLOSESTLEAF() override;

    void recompute() override;
};

#endif
