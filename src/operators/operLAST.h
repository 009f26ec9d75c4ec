#ifndef OPERLAST_H
#define OPERLAST_H

#include "operators/EntryPick.h"

// "LAST": the last entry of a vector or single value, the last column of a matrix.
class operLAST : public EntryPick
{
public:
    explicit operLAST(bool graphical);
    void recompute() override;
};

#endif
