#ifndef OPERTRANSPOSE_H
#define OPERTRANSPOSE_H

#include "calculus/Operator.h"

// "TRANSPOSE": the transpose of argument 1, its dimension labels exchanged.
class operTRANSPOSE : public Operator
{
public:
    explicit operTRANSPOSE(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
