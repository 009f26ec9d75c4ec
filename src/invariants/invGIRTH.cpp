#include "invariants/invGIRTH.h"

#include "invariants/core/BreadthFirstTree.h"
#include "invariants/core/Distances.h"
#include "invariants/core/Girth.h"

invGIRTH::invGIRTH(bool displayed)
{
    initInvariant("GIRTH", "Girth, the size of the smallest cycle in the graph.", "1", "1", GraphValue, displayed);
}

invGIRTH::~invGIRTH() = default;

void invGIRTH::recompute()
{
    Graph::Row adj[Graph::MaxNodes];
    const int n = readGraph(adj);
    if (n < 0)
        return;
    Girth girth;
    girth.compute(adj, n);
    BreadthFirstTree fromFirst;
    fromFirst.grow(adj, n, 0);
    // The shortest cycle over all components is kept also when the graph is disconnected.
    value[0][0] = girth.hasCycle() ? double(girth.girth()) : Distances::Infinity;
    error = !girth.hasCycle() || !fromFirst.reachedAll();
}
