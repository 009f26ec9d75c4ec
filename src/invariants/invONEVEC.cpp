#include "invariants/invONEVEC.h"

invONEVEC::invONEVEC(bool displayed)
{
    initInvariant("ONEVEC", "Column vector of 1's.", "n", "1", NodeValue, displayed);
}

invONEVEC::~invONEVEC() = default;

void invONEVEC::recompute()
{
    const int n = readGraph(nullptr);
    for (int i = 0; i < n; ++i)
        value[i][0] = 1.0;
}
