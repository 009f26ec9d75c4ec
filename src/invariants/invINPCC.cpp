#include "invariants/invINPCC.h"

#include "invariants/core/BreadthFirstTree.h"

invINPCC::invINPCC(bool displayed)
{
    initInvariant("INPCC",
                  "Is the edge in the shortest path tree from the last selected node (only one such tree is "
                  "considered). Function for hilight purpose only.",
                  "n", "n", NotInsertable, displayed);
}

invINPCC::~invINPCC() = default;

void invINPCC::recompute()
{
    Graph::Row adj[Graph::MaxNodes];
    const int n = readGraph(adj);
    if (n < 0)
        return;
    // A pressed vertex outside the graph leaves the zero matrix, without error.
    const int root = graph->getLastClickedNode();
    BreadthFirstTree tree;
    tree.grow(adj, n, root);
    Graph::Row marked[Graph::MaxNodes] = {};
    for (int v = 0; v < n; ++v)
        tree.markPath(v, marked);
    writeAdjacency(value, marked, n, 1.0);
    error = root >= 0 && root < n && !tree.reachedAll();
}
