#ifndef FAMTREE_H
#define FAMTREE_H

#include "constraints/TreeFamily.h"

// 1.0 when the graph is a tree.
class famTREE : public TreeFamily
{
public:
    explicit famTREE(bool graphical);
    ~famTREE() override;

    void recompute() override;
};

#endif
