#include "invariants/invINDOMINATION.h"

#include "invariants/core/Domination.h"

invINDOMINATION::invINDOMINATION(bool displayed)
{
    initInvariant("INDOMINATION", "Vertices in a minimum domination set. To be used for display purpose.", "n", "1",
                  GraphValue, displayed);
}

invINDOMINATION::~invINDOMINATION() = default;

void invINDOMINATION::recompute()
{
    Graph::Row rows[Graph::MaxNodes];
    const int n = readGraph(rows);
    if (n >= 0)
        writeMembership(Domination::firstMinimumSet(rows, n), n);
}
