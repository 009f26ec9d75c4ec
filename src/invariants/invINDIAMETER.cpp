#include "invariants/invINDIAMETER.h"

#include "invariants/core/BreadthFirstTree.h"

invINDIAMETER::invINDIAMETER(bool displayed)
{
    initInvariant("INDIAMETER", "Edges belonging to the diameter of the graph.", "n", "n", GraphValue, displayed);
}

invINDIAMETER::~invINDIAMETER() = default;

void invINDIAMETER::recompute()
{
    withConnectedDistances([this](const Distances &d, const Graph::Row *rows, int n) {
        // a is the smallest vertex whose eccentricity is the diameter, b the first vertex its
        // search reaches at that distance; the path is b's way back to a in that search.
        BreadthFirstTree tree;
        tree.grow(rows, n, d.peripheralVertex());
        Graph::Row marked[Graph::MaxNodes] = {};
        tree.markPath(tree.firstAtDepth(d.diameter()), marked);
        writeAdjacency(value, marked, n, 1.0);
    });
}
