#include "invariants/invONEMAT.h"

#include <algorithm>

invONEMAT::invONEMAT(bool displayed)
{
    initInvariant("ONEMAT", "Matrix of 1's.", "n", "n", NotInsertable, displayed);
}

invONEMAT::~invONEMAT() = default;

void invONEMAT::recompute()
{
    const int n = readGraph(nullptr);
    for (int i = 0; i < n; ++i)
        std::fill_n(value[i].data(), n, 1.0);
}
