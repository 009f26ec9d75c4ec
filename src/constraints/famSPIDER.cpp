#include "constraints/famSPIDER.h"

famSPIDER::famSPIDER(bool graphical)
{
    initTreeFamily("SPIDER", "Boolean function that indicates wether the graph is a spider." + conventions()
                       + " A path of at least 3 vertices is a spider; the single edge (2 vertices) is not.", graphical);
}

famSPIDER::~famSPIDER() = default;

void famSPIDER::recompute()
{
    recomputeTree(&TreeShape::isSpider);
}
