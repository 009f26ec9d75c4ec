#ifndef OPERNBVALUES_H
#define OPERNBVALUES_H

#include "calculus/Operator.h"

// "NBVALUES": how many distinct entries argument 1 holds, an entry within 1e-6 of one
// already counted being a repeat (so the count follows the row-major order of the entries).
class operNBVALUES : public Operator
{
public:
    explicit operNBVALUES(bool graphical);
    QString formula() override;
    void recompute() override;
};

#endif
