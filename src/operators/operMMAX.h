#ifndef OPERMMAX_H
#define OPERMMAX_H

#include "calculus/Operator.h"

// "MMAX": the entry-by-entry maximum of two to four arguments, or of a single value and
// every entry of the other argument. A NaN on either side keeps the running entry.
class operMMAX : public Operator
{
public:
    explicit operMMAX(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
