#ifndef OPERMANHATTANDIST_H
#define OPERMANHATTANDIST_H

#include "operators/PairedTerms.h"

// "MANHATTANDIST": the sum of the absolute differences of matching entries of two
// arguments of one shape.
class operMANHATTANDIST : public PairedTerms
{
public:
    explicit operMANHATTANDIST(bool graphical);
    void recompute() override;
};

#endif
