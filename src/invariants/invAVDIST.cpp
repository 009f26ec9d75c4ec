#include "invariants/invAVDIST.h"

#include <iostream>

invAVDIST::invAVDIST(bool displayed)
{
    initInvariant("AVDIST", "Average geodesic distance between pairs of vertices.", "1", "1", GraphValue, displayed);
}

invAVDIST::~invAVDIST() = default;

void invAVDIST::recompute()
{
    withDistances([this](const Distances &d, const Graph::Row *, int n) {
        if (!d.connected()) {
            error = true;
            value[0][0] = Distances::Infinity;
            return;
        }
        // Without a pair (one vertex or none) the average is 0, as the Wiener index is.
        const double average = d.averageDistance();
        if (average > n)
            std::cerr << "ERROR IN AVDIST" << std::endl;
        value[0][0] = average;
    });
}
