#ifndef OPERMIN_H
#define OPERMIN_H

#include "calculus/Operator.h"

// "MIN": the smallest entry of argument 1, from a ceiling of 1e12.
class operMIN : public Operator
{
public:
    explicit operMIN(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
