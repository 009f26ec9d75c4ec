#ifndef OPERCENTER_H
#define OPERCENTER_H

#include "calculus/Operator.h"

// "CENTER": argument 1 less the mean of all its entries, a matrix's diagonal included.
class operCENTER : public Operator
{
public:
    explicit operCENTER(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
