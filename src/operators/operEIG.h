#ifndef OPEREIG_H
#define OPEREIG_H

#include "calculus/Operator.h"

// "EIGENVALUES": the eigenvalues of a square symmetric matrix, largest first, as a column.
class operEIG : public Operator
{
public:
    explicit operEIG(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
