#include "invariants/invDOMINATION.h"

#include "invariants/core/Domination.h"

invDOMINATION::invDOMINATION(bool displayed)
{
    initInvariant("DOMINATION",
                  "Cardinality of the minimum dominating set $S$ such that $\\forall v \\in V$ either $v\\in S$, or "
                  "$(v,w)\\in E$ and $w \\in S$.",
                  "Cardinality of the minimum dominating set S such that for all vertex v, either v is in S, or v is "
                  "adjacent to a vertex in S.",
                  "1", "1", GraphValue, displayed);
}

invDOMINATION::~invDOMINATION() = default;

void invDOMINATION::recompute()
{
    Graph::Row rows[Graph::MaxNodes];
    const int n = readGraph(rows);
    // The graph without vertices is dominated by the empty set: 0.
    if (n >= 0)
        value[0][0] = Domination::number(rows, n);
}
