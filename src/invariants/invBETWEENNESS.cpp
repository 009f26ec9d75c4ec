#include "invariants/invBETWEENNESS.h"

invBETWEENNESS::invBETWEENNESS(bool displayed)
{
    initInvariant("BETWEENNESS",
                  "Betweenness $b_{ij}$ (Freeman): the number of shortest paths among all pairs of vertices that are "
                  "using the edge $(i,j)$.",
                  "Betweenness bij (Freeman): the number of shortest paths among all pairs of vertices that are using "
                  "the edge (i,j).",
                  "n", "n", NotInsertable, displayed);
}

invBETWEENNESS::~invBETWEENNESS() = default;

void invBETWEENNESS::recompute()
{
    writeBetweenness(Betweenness::Plain, false);
}
