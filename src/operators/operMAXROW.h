#ifndef OPERMAXROW_H
#define OPERMAXROW_H

#include "calculus/Operator.h"

// "MAXROW": the largest entry of each row, as a column (floor -1e12).
class operMAXROW : public Operator
{
public:
    explicit operMAXROW(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
