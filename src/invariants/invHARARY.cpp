#include "invariants/invHARARY.h"

invHARARY::invHARARY(bool displayed)
{
    initInvariant("HARARY",
                  "Harary index, $\\sum_{v,w \\in V} \\frac{1}{d(v,w)}$, where $d(v,w)$ is the geodesic distance between "
                  "vertices $v$ and $w$.",
                  "Harary index = Sum{v,w in V} [1/(d(v,w))], where d(v,w) is the geodesic distance between the vertices "
                  "v and w.",
                  "1", "1", GraphValue, displayed);
}

invHARARY::~invHARARY() = default;

void invHARARY::recompute()
{
    withConnectedDistances([this](const Distances &d, const Graph::Row *, int) { value[0][0] = d.harary(); });
}
