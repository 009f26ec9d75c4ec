#include "constraints/famCATERPILLAR.h"

famCATERPILLAR::famCATERPILLAR(bool graphical)
{
    initTreeFamily("CATERPILLAR", "Boolean function that indicates wether the graph is a caterpillar." + conventions(), graphical);
}

famCATERPILLAR::~famCATERPILLAR() = default;

void famCATERPILLAR::recompute()
{
    recomputeTree(&TreeShape::isCaterpillar);
}
