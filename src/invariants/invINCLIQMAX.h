#ifndef INVINCLIQMAX_H
#define INVINCLIQMAX_H

#include "calculus/Invariant.h"

// Membership of each vertex in the first maximum clique.
class invINCLIQMAX : public Invariant
{
public:
    explicit invINCLIQMAX(bool displayed);
    ~invINCLIQMAX() override;

    void recompute() override;
};

#endif
