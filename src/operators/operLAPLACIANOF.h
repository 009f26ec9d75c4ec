#ifndef OPERLAPLACIANOF_H
#define OPERLAPLACIANOF_H

#include "calculus/Operator.h"

// "LAPLACIANOF": D - M for a square symmetric matrix M, where D is diagonal and holds the
// sum of the off-diagonal entries of each row (the diagonal of M counts for nothing).
class operLAPLACIANOF : public Operator
{
public:
    explicit operLAPLACIANOF(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
