#include "invariants/invDIAMETER.h"

invDIAMETER::invDIAMETER(bool displayed)
{
    initInvariant("DIAMETER", "Maximum distance between pairs of vertices.", "1", "1", GraphValue, displayed);
}

invDIAMETER::~invDIAMETER() = default;

void invDIAMETER::recompute()
{
    withConnectedDistances([this](const Distances &d, const Graph::Row *, int) { value[0][0] = d.diameter(); });
}
