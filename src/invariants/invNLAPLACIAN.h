#ifndef INVNLAPLACIAN_H
#define INVNLAPLACIAN_H

#include "calculus/Invariant.h"

// Normalized Laplacian matrix: 1 on the diagonal, -1 / sqrt(d(i) d(j)) for an edge.
class invNLAPLACIAN : public Invariant
{
public:
    explicit invNLAPLACIAN(bool displayed);
    ~invNLAPLACIAN() override;

    void recompute() override;

private:
    QVector<double> degrees;
};

#endif
