#include "invariants/invCENTRALITY.h"

invCENTRALITY::invCENTRALITY(bool displayed)
{
    initInvariant("CENTRALITY", "Betweenness adjusted centrality : Sum of betweenness of edges adjacent to v.", "n", "1",
                  NodeValue, displayed);
}

invCENTRALITY::~invCENTRALITY() = default;

void invCENTRALITY::recompute()
{
    writeBetweenness(Betweenness::Plain, true);
}
