#include "invariants/invDCENTRALITY2.h"

invDCENTRALITY2::invDCENTRALITY2(bool displayed)
{
    initInvariant("DCENTRALITY2", "Sum of DBETWEENNESS2 of adjacent edges.", "n", "1", NodeValue, displayed);
}

invDCENTRALITY2::~invDCENTRALITY2() = default;

void invDCENTRALITY2::recompute()
{
    writeBetweenness(Betweenness::BySquaredDistance, true);
}
