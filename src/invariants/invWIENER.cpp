#include "invariants/invWIENER.h"

invWIENER::invWIENER(bool displayed)
{
    initInvariant("WIENER",
                  "Wiener index, $\\sum_{v,w \\in V} d(v,w)$, where $d(v,w)$ is the geodesic distance between vertices $v$ "
                  "and $w$.",
                  "Wiener index, sum of distances between pairs of vertices in the graph.", "1", "1", GraphValue,
                  displayed);
}

invWIENER::~invWIENER() = default;

void invWIENER::recompute()
{
    withConnectedDistances([this](const Distances &d, const Graph::Row *, int) { value[0][0] = double(d.wiener()); });
}
