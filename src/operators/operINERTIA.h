#ifndef OPERINERTIA_H
#define OPERINERTIA_H

#include "calculus/Operator.h"

// "INERTIA": the row [negative, zero, positive] counting the eigenvalues of a square
// symmetric matrix, those within 1e-6 of 0 (bounds included) as zero.
class operINERTIA : public Operator
{
public:
    explicit operINERTIA(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
