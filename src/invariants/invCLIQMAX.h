#ifndef INVCLIQMAX_H
#define INVCLIQMAX_H

#include "calculus/Invariant.h"

// Clique number: the size of a largest clique.
class invCLIQMAX : public Invariant
{
public:
    explicit invCLIQMAX(bool displayed);
    ~invCLIQMAX() override;

    void recompute() override;
};

#endif
