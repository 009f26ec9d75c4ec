#ifndef INVTRIANGLES_H
#define INVTRIANGLES_H

#include "calculus/Invariant.h"

// Number of triangles.
class invTRIANGLES : public Invariant
{
public:
    explicit invTRIANGLES(bool displayed);
    ~invTRIANGLES() override;

    void recompute() override;
};

#endif
