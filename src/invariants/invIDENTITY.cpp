#include "invariants/invIDENTITY.h"

invIDENTITY::invIDENTITY(bool displayed)
{
    initInvariant("IDENTITY", "A matrix of order $n$ with 1 on the main diagonal and 0 on all other entries.",
                  "n", "n", NotInsertable, displayed);
}

invIDENTITY::~invIDENTITY() = default;

void invIDENTITY::recompute()
{
    const int n = readGraph(nullptr);
    for (int i = 0; i < n; ++i) {
        double *row = value[i].data();
        for (int j = 0; j < n; ++j)
            row[j] = i == j ? 1.0 : 0.0;
    }
}
