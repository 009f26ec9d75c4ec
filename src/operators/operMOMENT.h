#ifndef OPERMOMENT_H
#define OPERMOMENT_H

#include "calculus/Operator.h"

// "MOMENT": for every vertex u, the sum over the other vertices v of d(u, v) w(v), the
// weights w from an n x 1 argument or else the degrees. On a disconnected graph the value is
// kept, 1e12 standing for each unreachable distance, with the error flag.
class operMOMENT : public Operator
{
public:
    explicit operMOMENT(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
