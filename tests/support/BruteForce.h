#ifndef BRUTEFORCE_H
#define BRUTEFORCE_H

#include "graph/Graph.h"

#include <functional>

// Plain exhaustive answers for small graphs (n <= 10 or so), to check the exact searches.
class BruteForce
{
public:
    using Row = Graph::Row;

    // The first subset of {0..n-1} of the given size, in lexicographic order of increasing
    // vertex sequences, that satisfies the test; -1 (all bits) when none does.
    static Row firstSubset(int n, int size, const std::function<bool(Row)> &test);

    static bool isStable(const Row rows[Graph::MaxNodes], Row set);
    static bool isClique(const Row rows[Graph::MaxNodes], Row set);
    static bool dominates(const Row rows[Graph::MaxNodes], int n, Row set);
    // Whether the vertices outside `removed` induce a connected graph.
    static bool connectedWithout(const Row rows[Graph::MaxNodes], int n, Row removed);

    static Row firstMaximumStable(const Row rows[Graph::MaxNodes], int n);
    static Row firstMaximumClique(const Row rows[Graph::MaxNodes], int n);
    static Row firstMinimumDominating(const Row rows[Graph::MaxNodes], int n);
    // Smallest removal set that disconnects the graph, n - 1 when none does.
    static int connectivity(const Row rows[Graph::MaxNodes], int n);
    // Smallest k with a proper k-colouring.
    static int chromaticNumber(const Row rows[Graph::MaxNodes], int n);
};

#endif
