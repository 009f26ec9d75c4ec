#ifndef OPERDIAG_H
#define OPERDIAG_H

#include "calculus/Operator.h"

// "DIAG": the diagonal matrix of a row or column vector.
class operDIAG : public Operator
{
public:
    explicit operDIAG(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
