#ifndef INVDEGMIN_H
#define INVDEGMIN_H

#include "calculus/Invariant.h"

// Smallest degree.
class invDEGMIN : public Invariant
{
public:
    explicit invDEGMIN(bool displayed);
    ~invDEGMIN() override;

    void recompute() override;
};

#endif
