#ifndef OPEREUCLIDIANDIST_H
#define OPEREUCLIDIANDIST_H

#include "calculus/Operator.h"

// "EUCLIDIANDIST": the Euclidean distance between two values of one shape, vectors and matrices
// alike.
class operEUCLIDIANDIST : public Operator
{
public:
    explicit operEUCLIDIANDIST(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
