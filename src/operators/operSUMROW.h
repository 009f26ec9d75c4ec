#ifndef OPERSUMROW_H
#define OPERSUMROW_H

#include "calculus/Operator.h"

// "SUMROW": the sum of each row, as a column.
class operSUMROW : public Operator
{
public:
    explicit operSUMROW(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
