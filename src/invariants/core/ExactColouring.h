#ifndef EXACTCOLOURING_H
#define EXACTCOLOURING_H

#include "graph/Adjacency.h"

// Cost: exponential in n in the worst case (branch and bound over colourings).
// Minimum proper vertex colouring along a peeling order (vertices of small degree removed
// first, coloured last). The colouring kept is the one that the backtracking search from the
// first-fit colouring ends with: the first complete colouring with the fewest colours in that
// search's depth-first order. The chromatic number is found beforehand by a saturation-ordered
// branch and bound; bounded by it, with a forward check on the uncoloured neighbours, the
// depth-first walk reaches that same colouring directly.
class ExactColouring
{
public:
    // Colours the graph; returns the chromatic number (0 without vertices).
    int compute(const adjacency::Row rows[adjacency::MaxNodes], int n);

    int colours() const { return best; }
    // The chromatic number alone (0 without vertices).
    static int chromaticNumber(const adjacency::Row rows[adjacency::MaxNodes], int n);
    // Colour of v, 1 to colours().
    int colour(int v) const { return result[v]; }
    // Vertex at position k of the colouring order.
    int orderAt(int k) const { return order[k]; }

private:
    void peel(const adjacency::Row rows[adjacency::MaxNodes]);

    int n = 0;
    int best = 0;
    int order[adjacency::MaxNodes] = {};
    int current[adjacency::MaxNodes] = {};
    int result[adjacency::MaxNodes] = {};
};

#endif
