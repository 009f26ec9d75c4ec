#ifndef INVAVDIST_H
#define INVAVDIST_H

#include "calculus/Invariant.h"

// Average distance of a vertex pair.
class invAVDIST : public Invariant
{
public:
    explicit invAVDIST(bool displayed);
    ~invAVDIST() override;

    void recompute() override;
};

#endif
