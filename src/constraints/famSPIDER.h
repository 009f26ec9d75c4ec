#ifndef FAMSPIDER_H
#define FAMSPIDER_H

#include "constraints/TreeFamily.h"

// 1.0 when the tree has at most one vertex of degree 3 or more; the single edge is not a spider.
class famSPIDER : public TreeFamily
{
public:
    explicit famSPIDER(bool graphical);
    ~famSPIDER() override;

    void recompute() override;
};

#endif
