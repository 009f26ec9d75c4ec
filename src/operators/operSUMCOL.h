#ifndef OPERSUMCOL_H
#define OPERSUMCOL_H

#include "calculus/Operator.h"

// "SUMCOL": the sum of each column, as a row.
class operSUMCOL : public Operator
{
public:
    explicit operSUMCOL(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
