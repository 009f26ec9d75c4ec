#include "invariants/invNUMERO.h"

invNUMERO::invNUMERO(bool displayed)
{
    initInvariant("NUMERO", "Vector of size n with numbers from 1 to n.", "n", "1", NodeValue, displayed);
}

invNUMERO::~invNUMERO() = default;

void invNUMERO::recompute()
{
    const int n = readGraph(nullptr);
    for (int v = 0; v < n; ++v)
        value[v][0] = v + 1;
}
