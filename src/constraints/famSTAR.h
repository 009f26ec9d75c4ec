#ifndef FAMSTAR_H
#define FAMSTAR_H

#include "constraints/TreeFamily.h"

// 1.0 when one vertex is adjacent to all others in a tree (K2 and P3 included).
class famSTAR : public TreeFamily
{
public:
    explicit famSTAR(bool graphical);
    ~famSTAR() override;

    void recompute() override;
};

#endif
