#ifndef FAMCOMET_H
#define FAMCOMET_H

#include "constraints/TreeFamily.h"

// 1.0 when the tree is a star with at least 3 leaves and a path hung on exactly one leaf.
class famCOMET : public TreeFamily
{
public:
    explicit famCOMET(bool graphical);
    ~famCOMET() override;

    void recompute() override;
};

#endif
