#include "invariants/invDCENTRALITY.h"

invDCENTRALITY::invDCENTRALITY(bool displayed)
{
    initInvariant("DCENTRALITY", "Sum of DBETWEENNESS of adjacent edges.", "n", "1", NodeValue, displayed);
}

invDCENTRALITY::~invDCENTRALITY() = default;

void invDCENTRALITY::recompute()
{
    writeBetweenness(Betweenness::ByDistance, true);
}
