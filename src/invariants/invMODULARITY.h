#ifndef INVMODULARITY_H
#define INVMODULARITY_H

#include "calculus/Invariant.h"

// Modularity matrix B = A - k k^T / 2m; the zero matrix without edges.
class invMODULARITY : public Invariant
{
public:
    explicit invMODULARITY(bool displayed);
    ~invMODULARITY() override;

    void recompute() override;

private:
    QVector<double> degrees;
};

#endif
