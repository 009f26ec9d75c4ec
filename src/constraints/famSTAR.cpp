#include "constraints/famSTAR.h"

famSTAR::famSTAR(bool graphical)
{
    initTreeFamily("STAR", "Boolean function that indicates wether the graph is a star." + conventions(), graphical);
}

famSTAR::~famSTAR() = default;

void famSTAR::recompute()
{
    recomputeTree(&TreeShape::isStar);
}
