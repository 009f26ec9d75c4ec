#ifndef OPERNORMALIZEMAT_H
#define OPERNORMALIZEMAT_H

#include "calculus/Operator.h"

// "NORMALIZEMAT": from a vector v of vertex values, the n x n matrix with 1/sqrt(v_i v_j)
// for each edge {i, j} and 0 elsewhere.
class operNORMALIZEMAT : public Operator
{
public:
    explicit operNORMALIZEMAT(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
