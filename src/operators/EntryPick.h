#ifndef ENTRYPICK_H
#define ENTRYPICK_H

#include "calculus/Operator.h"

// The frame of "FIRST", "SECOND" and "LAST": one entry of a vector or single value (1 x 1,
// labels "1"/"1"), or one column of a matrix (r x 1, argument 1's rows label and "1").
class EntryPick : public Operator
{
public:
    QString formula() override;

protected:
    enum class Position { First, Second, Last };
    void pick(Position position);
};

#endif
