#include "invariants/invNBETWEENNESS.h"

#include "invariants/core/FlowBetweenness.h"

invNBETWEENNESS::invNBETWEENNESS(bool displayed)
{
    initInvariant("NBETWEENNESS", "Normalized Betweenness matrix.", "n", "n", NotInsertable, displayed);
}

invNBETWEENNESS::~invNBETWEENNESS() = default;

void invNBETWEENNESS::recompute()
{
    withDistances([this](const Distances &d, const Graph::Row *rows, int n) {
        // A disconnected graph leaves the n x n zero matrix with the error flag. A lone vertex
        // has no flow and gets 0 rather than 0 / 0.
        FlowBetweenness flow;
        error = !flow.compute(rows, d);
        writeMatrix(n, [&flow](int i, int j) { return flow.at(i, j); });
    });
}
