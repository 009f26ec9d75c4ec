#ifndef OPERDETERMINANT_H
#define OPERDETERMINANT_H

#include "calculus/Operator.h"

// "DETERMINANT": the product of the eigenvalues of a square symmetric matrix, largest first,
// where a factor or a running product below 1e-6 in magnitude makes the product 0.
class operDETERMINANT : public Operator
{
public:
    explicit operDETERMINANT(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
