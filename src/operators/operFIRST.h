#ifndef OPERFIRST_H
#define OPERFIRST_H

#include "operators/EntryPick.h"

// "FIRST": the first entry of a vector or single value, the first column of a matrix.
class operFIRST : public EntryPick
{
public:
    explicit operFIRST(bool graphical);
    void recompute() override;
};

#endif
