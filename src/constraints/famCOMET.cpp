#include "constraints/famCOMET.h"

famCOMET::famCOMET(bool graphical)
{
    initTreeFamily("COMET", "Boolean function that indicates wether the graph is a comet." + conventions()
                       + " Here a comet is a star with at least 3 leaves and a path hung on exactly one of its leaves: a "
                         "star alone, or a path, is not a comet.", graphical);
}

famCOMET::~famCOMET() = default;

void famCOMET::recompute()
{
    recomputeTree(&TreeShape::isComet);
}
