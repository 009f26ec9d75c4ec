#ifndef FAMPATH_H
#define FAMPATH_H

#include "constraints/TreeFamily.h"

// 1.0 when the graph is a tree with exactly 2 leaves.
class famPATH : public TreeFamily
{
public:
    explicit famPATH(bool graphical);
    ~famPATH() override;

    void recompute() override;
};

#endif
