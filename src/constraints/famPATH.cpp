#include "constraints/famPATH.h"

famPATH::famPATH(bool graphical)
{
    initTreeFamily("PATH", "Boolean function that indicates wether the graph is a path." + conventions(), graphical);
}

famPATH::~famPATH() = default;

void famPATH::recompute()
{
    recomputeTree(&TreeShape::isPath);
}
