#ifndef FAMLOBSTER_H
#define FAMLOBSTER_H

#include "constraints/TreeFamily.h"

// 1.0 when removing the leaves of the tree leaves a caterpillar.
class famLOBSTER : public TreeFamily
{
public:
    explicit famLOBSTER(bool graphical);
    ~famLOBSTER() override;

    void recompute() override;
};

#endif
