#ifndef INVENERGY_H
#define INVENERGY_H

#include "calculus/Invariant.h"

// Graph energy: the sum of the absolute eigenvalues of the adjacency matrix.
class invENERGY : public Invariant
{
public:
    explicit invENERGY(bool displayed);
    ~invENERGY() override;

    void recompute() override;

private:
    QVector<QVector<double>> adjacency;
};

#endif
