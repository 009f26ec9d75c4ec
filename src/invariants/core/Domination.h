#ifndef DOMINATION_H
#define DOMINATION_H

#include "graph/Adjacency.h"

// Cost: exponential in n in the worst case (bounded searches over vertex subsets).
// Minimum dominating sets. The set returned is the first minimum one in the lexicographic
// order of increasing vertex sequences, the one that the subset enumeration in that order
// records; bounds on the vertices still to dominate skip the subsets that cannot beat the
// record. The number is searched for alone, in whatever order finds it fastest. The graph
// without vertices has the empty set and the number 0.
class Domination
{
public:
    static adjacency::Row firstMinimumSet(const adjacency::Row rows[adjacency::MaxNodes], int n);
    static int number(const adjacency::Row rows[adjacency::MaxNodes], int n);
};

#endif
