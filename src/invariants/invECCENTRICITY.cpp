#include "invariants/invECCENTRICITY.h"

invECCENTRICITY::invECCENTRICITY(bool displayed)
{
    initInvariant("ECCENTRICITY",
                  "Maximum distance from a vertex to other vertices: $e_v = \\max_w d(v,w)$ where $d(v,w)$ denotes the "
                  "geodesic distance between the vertex $v$ and the vertex $w$.",
                  "Maximum distance from a vertex to other vertices.", "n", "1", NodeValue, displayed);
}

invECCENTRICITY::~invECCENTRICITY() = default;

void invECCENTRICITY::recompute()
{
    withDistances([this](const Distances &d, const Graph::Row *, int n) {
        // On a disconnected graph every vertex misses one, so every entry is 1e12.
        for (int i = 0; i < n; ++i)
            value[i][0] = d.eccentricity(i);
        error = !d.connected();
    });
}
