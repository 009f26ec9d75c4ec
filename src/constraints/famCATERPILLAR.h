#ifndef FAMCATERPILLAR_H
#define FAMCATERPILLAR_H

#include "constraints/TreeFamily.h"

// 1.0 when removing the leaves of the tree leaves a path.
class famCATERPILLAR : public TreeFamily
{
public:
    explicit famCATERPILLAR(bool graphical);
    ~famCATERPILLAR() override;

    void recompute() override;
};

#endif
