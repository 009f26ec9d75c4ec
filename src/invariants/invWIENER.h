#ifndef INVWIENER_H
#define INVWIENER_H

#include "calculus/Invariant.h"

// Wiener index: the sum of the distances of all unordered vertex pairs.
class invWIENER : public Invariant
{
public:
    explicit invWIENER(bool displayed);
    ~invWIENER() override;

    void recompute() override;
};

#endif
