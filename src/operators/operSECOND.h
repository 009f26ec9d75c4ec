#ifndef OPERSECOND_H
#define OPERSECOND_H

#include "operators/EntryPick.h"

// "SECOND": the second entry of a vector or single value, the second column of a matrix.
class operSECOND : public EntryPick
{
public:
    explicit operSECOND(bool graphical);
    void recompute() override;
};

#endif
