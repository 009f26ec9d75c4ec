#ifndef OPERCHOLESKY_H
#define OPERCHOLESKY_H

#include "calculus/Operator.h"

// "CHOLESKY": the lower triangular factor L of a symmetric positive definite matrix, L L^T = A.
class operCHOLESKY : public Operator
{
public:
    explicit operCHOLESKY(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
