#ifndef INVEINCLIQMAX_H
#define INVEINCLIQMAX_H

#include "calculus/Invariant.h"

// The edges of the first maximum clique, marked for highlighting.
class invEINCLIQMAX : public Invariant
{
public:
    explicit invEINCLIQMAX(bool displayed);
    ~invEINCLIQMAX() override;

    void recompute() override;
};

#endif
