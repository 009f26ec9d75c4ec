#ifndef OPERCEIL_H
#define OPERCEIL_H

#include "calculus/Operator.h"

// "CEIL": the ceiling of every entry, with no tolerance (2 + 1e-7 gives 3), in the argument's
// shape and labels.
class operCEIL : public Operator
{
public:
    explicit operCEIL(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
