#ifndef OPERMAXCOL_H
#define OPERMAXCOL_H

#include "calculus/Operator.h"

// "MAXCOL": the largest entry of each column, as a row (floor -1e12).
class operMAXCOL : public Operator
{
public:
    explicit operMAXCOL(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
