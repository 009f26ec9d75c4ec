#ifndef OPERMMIN_H
#define OPERMMIN_H

#include "calculus/Operator.h"

// "MMIN": the entry-by-entry minimum of two to four arguments, or of a single value and
// every entry of the other argument. A NaN on either side gives the later term.
class operMMIN : public Operator
{
public:
    explicit operMMIN(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
