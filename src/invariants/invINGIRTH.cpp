#include "invariants/invINGIRTH.h"

#include "invariants/core/BreadthFirstTree.h"
#include "invariants/core/Girth.h"

invINGIRTH::invINGIRTH(bool displayed)
{
    initInvariant("INGIRTH",
                  "Is the edge in the smallest cycle (only one such cycle is considered). Function for hilight purpose "
                  "only.",
                  "n", "n", NotInsertable, displayed);
}

invINGIRTH::~invINGIRTH() = default;

void invINGIRTH::recompute()
{
    Graph::Row adj[Graph::MaxNodes];
    const int n = readGraph(adj);
    if (n < 0)
        return;
    // The first shortest cycle met (roots, then breadth-first order, then neighbours in index
    // order). Without a cycle the matrix is zero, so no mark of an earlier graph survives.
    Girth girth;
    girth.compute(adj, n);
    writeAdjacency(value, girth.cycle(), n, 1.0);
    BreadthFirstTree fromFirst;
    fromFirst.grow(adj, n, 0);
    error = !girth.hasCycle() || !fromFirst.reachedAll();
}
