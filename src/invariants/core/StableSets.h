#ifndef STABLESETS_H
#define STABLESETS_H

#include "graph/Adjacency.h"

// Cost: exponential in n in the worst case (branch and bound over vertex subsets).
// Maximum stable sets and maximum cliques. Among the maximum sets the one returned is the
// first in the lexicographic order of increasing vertex sequences, the set that a plain
// depth-first enumeration in index order records first; branch and bound reaches it without
// visiting the sets that cannot beat the record.
class StableSets
{
public:
    // Vertex set as a bitmask; its size is the stability (clique) number. Empty for n = 0.
    static adjacency::Row firstMaximumStable(const adjacency::Row rows[adjacency::MaxNodes], int n);
    static adjacency::Row firstMaximumClique(const adjacency::Row rows[adjacency::MaxNodes], int n);

    static int stabilityNumber(const adjacency::Row rows[adjacency::MaxNodes], int n);
    static int cliqueNumber(const adjacency::Row rows[adjacency::MaxNodes], int n);
};

#endif
