#ifndef OPEREIGVEC_H
#define OPEREIGVEC_H

#include "calculus/Operator.h"

// "EIGENVECTORS": the unit eigenvectors of a square symmetric matrix as columns, in the
// order of "EIGENVALUES" of the same matrix.
class operEIGVEC : public Operator
{
public:
    explicit operEIGVEC(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
