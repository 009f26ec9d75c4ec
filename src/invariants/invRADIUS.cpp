#include "invariants/invRADIUS.h"

invRADIUS::invRADIUS(bool displayed)
{
    initInvariant("RADIUS", "Minimum eccentricity : $r = \\min_v \\max_w d(v,w)$.", "Minimum eccentricity.", "1", "1",
                  GraphValue, displayed);
}

invRADIUS::~invRADIUS() = default;

void invRADIUS::recompute()
{
    withDistances([this](const Distances &d, const Graph::Row *, int) {
        // 1e12 with the error flag between components; 0 without vertices, like the diameter.
        value[0][0] = d.radius();
        error = !d.connected();
    });
}
