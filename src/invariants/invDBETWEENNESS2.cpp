#include "invariants/invDBETWEENNESS2.h"

invDBETWEENNESS2::invDBETWEENNESS2(bool displayed)
{
    initInvariant("DBETW2",
                  "Distance-Betweenness-2 $db^2_{ij}$, a modified version of Freeman's betweenness: the number of "
                  "shortest paths among all pairs of vertices that are using the edge $(i,j)$ weighted by "
                  "$1/(\\mbox{path length})^2$.",
                  "Distance-Betweenness-2 dbij, a modified version of Freeman's betweenness: the number of shortest "
                  "paths among all pairs of vertices that are using the edge (i,j) weighted by 1/(path length)^2.",
                  "n", "n", NotInsertable, displayed);
}

invDBETWEENNESS2::~invDBETWEENNESS2() = default;

void invDBETWEENNESS2::recompute()
{
    writeBetweenness(Betweenness::BySquaredDistance, false);
}
