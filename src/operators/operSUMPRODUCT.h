#ifndef OPERSUMPRODUCT_H
#define OPERSUMPRODUCT_H

#include "operators/PairedTerms.h"

// "SUMPRODUCT": the sum of the products of matching entries of two arguments of one shape.
class operSUMPRODUCT : public PairedTerms
{
public:
    explicit operSUMPRODUCT(bool graphical);
    void recompute() override;
};

#endif
