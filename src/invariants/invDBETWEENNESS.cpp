#include "invariants/invDBETWEENNESS.h"

invDBETWEENNESS::invDBETWEENNESS(bool displayed)
{
    initInvariant("DBETW",
                  "Distance-Betweenness $db_{ij}$, a modified version of Freeman's betweenness: the number of shortest "
                  "paths among all pairs of vertices that are using the edge $(i,j)$ weighted by "
                  "$1/\\mbox{path length}$.",
                  "Distance-Betweenness dbij, a modified version of Freeman's betweenness: the number of shortest paths "
                  "among all pairs of vertices that are using the edge (i,j) weighted by 1/(path length).",
                  "n", "n", NotInsertable, displayed);
}

invDBETWEENNESS::~invDBETWEENNESS() = default;

void invDBETWEENNESS::recompute()
{
    writeBetweenness(Betweenness::ByDistance, false);
}
