#ifndef OPERFLOOR_H
#define OPERFLOOR_H

#include "calculus/Operator.h"

// "FLOOR": the floor of every entry, with no tolerance, in the argument's shape and labels.
class operFLOOR : public Operator
{
public:
    explicit operFLOOR(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
