#ifndef EXACTCOLOURING_H
#define EXACTCOLOURING_H

#include "graph/Graph.h"

// Minimum proper vertex colouring by backtracking along a peeling order (vertices of small
// degree removed first, coloured last), starting from the first-fit colouring. The colouring
// kept is the last one that lowered the number of colours. The search stops as soon as that
// number reaches the chromatic number, found beforehand by a saturation-ordered branch and
// bound, since no later colouring could lower it again; this leaves both the number and the
// colouring unchanged and spares the search its proof of optimality.
class ExactColouring
{
public:
    // Colours the graph; returns the chromatic number (0 without vertices).
    int compute(const Graph::Row rows[Graph::MaxNodes], int n);

    int colours() const { return best; }
    // The chromatic number alone (0 without vertices).
    static int chromaticNumber(const Graph::Row rows[Graph::MaxNodes], int n);
    // Colour of v, 1 to colours().
    int colour(int v) const { return result[v]; }
    // Vertex at position k of the colouring order.
    int orderAt(int k) const { return order[k]; }

private:
    void peel(const Graph::Row rows[Graph::MaxNodes]);
    int smallestFree(const Graph::Row rows[Graph::MaxNodes], int v, int above) const;

    int n = 0;
    int best = 0;
    int order[Graph::MaxNodes] = {};
    int current[Graph::MaxNodes] = {};
    bool opener[Graph::MaxNodes] = {};
    int result[Graph::MaxNodes] = {};
};

#endif
