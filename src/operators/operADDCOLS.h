#ifndef OPERADDCOLS_H
#define OPERADDCOLS_H

#include "calculus/Operator.h"

// "ADDCOLS": argument 1 with the columns of arguments 2, 3 and 4 appended, in that order, each
// present one of the same row count. The result never holds more than 32 columns. The labels
// stay "NA" / "NA".
class operADDCOLS : public Operator
{
public:
    explicit operADDCOLS(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
