#ifndef OPERSECOND_H
#define OPERSECOND_H

#include "operators/EntryPick.h"

// "SECOND": the second entry of a vector, the second column of a matrix; a single value has
// none ("Argument error").
class operSECOND : public EntryPick
{
public:
    explicit operSECOND(bool graphical);
    void recompute() override;
};

#endif
