#include "invariants/invMODULARITY.h"

invMODULARITY::invMODULARITY(bool displayed)
{
    initInvariant("MODULARITY", "Modularity matrix", "n", "n", NotInsertable, displayed);
    degrees.fill(0.0, Graph::MaxNodes);
}

invMODULARITY::~invMODULARITY() = default;

void invMODULARITY::recompute()
{
    Graph::Row adj[Graph::MaxNodes];
    const int n = readGraph(adj);
    double twoM = 0.0;
    for (int i = 0; i < n; ++i) {
        double *row = value[i].data();
        degrees[i] = 0.0;
        for (int j = 0; j < n; ++j) {
            if ((adj[i] >> j) & 1u) {
                degrees[i] += 1.0;
                row[j] = 1.0;
                twoM += 1.0;
            } else {
                row[j] = 0.0;
            }
        }
    }
    // Without an edge the matrix stays zero rather than dividing by 0.
    if (twoM < 0.99)
        return;
    for (int i = 0; i < n; ++i) {
        double *row = value[i].data();
        for (int j = 0; j < n; ++j)
            row[j] -= (degrees[i] * degrees[j]) / twoM;
    }
}
