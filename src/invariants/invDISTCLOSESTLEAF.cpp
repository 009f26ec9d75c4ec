#include "invariants/invDISTCLOSESTLEAF.h"

#include <algorithm>

invDISTCLOSESTLEAF::invDISTCLOSESTLEAF(bool displayed)
{
    initInvariant("DISTCLOSESTLEAF", "Distance of the vertex to the closest leaf.", "n", "1", NodeValue, displayed);
}

invDISTCLOSESTLEAF::~invDISTCLOSESTLEAF() = default;

void invDISTCLOSESTLEAF::recompute()
{
    withConnectedDistances([this](const Distances &d, const Graph::Row *rows, int n) {
        const Graph::Row leaves = leafMask(rows, n);
        // Without a leaf (a cycle, a complete graph, a single vertex) no vertex has a value.
        if (n > 0 && !leaves) {
            setNoValue(QString());
            return;
        }
        for (int i = 0; i < n; ++i) {
            int best = n;
            for (Graph::Row r = leaves; r; r &= r - 1)
                best = std::min(best, d.hops(i, adjacency::lowest(r)));
            value[i][0] = best;
        }
    });
}
