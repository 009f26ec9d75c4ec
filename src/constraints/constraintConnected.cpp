#include "constraints/constraintConnected.h"

#include "calculus/CalculusDisplay.h"

constraintConnected::constraintConnected(bool displayed)
{
    name = "CONNECTED";
    latexDescription = "The graph should be connected.";
    description = latexDescription;
    // The complement is taken on the snapshot; the shared graph is never inverted.
    complementSnapshot = true;
    this->displayed = displayed;
    if (!displayed)
        return;
    auto *d = new CalculusDisplay(name, description);
    d->enableInvertGraph(true);
    setupDisplay(d);
}

QString constraintConnected::formula()
{
    return name + (invertGraph() ? "(GBAR)" : "(G)");
}

int constraintConnected::components(const Graph::Row rows[], int n)
{
    Graph::Row unseen = adjacency::lowMask(n);
    int count = 0;
    // One breadth-first sweep per component, a whole frontier at a time.
    while (unseen) {
        Graph::Row reached = unseen & (~unseen + 1);
        Graph::Row frontier = reached;
        while (frontier) {
            Graph::Row next = 0;
            for (Graph::Row f = frontier; f; f &= f - 1)
                next |= rows[__builtin_ctz(f)];
            frontier = next & ~reached;
            reached |= next;
        }
        unseen &= ~reached;
        ++count;
    }
    return count;
}

void constraintConnected::recompute()
{
    if (!graph) {
        nbRows = 0;
        nbCols = 0;
        error = true;
        return;
    }
    Graph::Row rows[Graph::MaxNodes];
    const int n = adjacencySnapshot(rows);
    value[0][0] = n < 2 ? 0.0 : double(components(rows, n) - 1);
    nbRows = 1;
    nbCols = 1;
}
