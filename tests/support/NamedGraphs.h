#ifndef NAMEDGRAPHS_H
#define NAMEDGRAPHS_H

#include "graph/Graph.h"

#include <initializer_list>
#include <utility>

// Adjacency snapshots of the graph families with known closed forms. Each call fills rows
// (all 32 of them) and returns the vertex count.
class NamedGraphs
{
public:
    static int empty(Graph::Row rows[Graph::MaxNodes], int n);
    static int path(Graph::Row rows[Graph::MaxNodes], int n);
    static int cycle(Graph::Row rows[Graph::MaxNodes], int n);
    // Centre 0, leaves 1..n-1.
    static int star(Graph::Row rows[Graph::MaxNodes], int n);
    static int complete(Graph::Row rows[Graph::MaxNodes], int n);
    // Parts 0..a-1 and a..a+b-1.
    static int completeBipartite(Graph::Row rows[Graph::MaxNodes], int a, int b);
    // Outer cycle 0..4, inner pentagram 5..9, spokes i - (i + 5).
    static int petersen(Graph::Row rows[Graph::MaxNodes]);
    static int fromEdges(Graph::Row rows[Graph::MaxNodes], int n, std::initializer_list<std::pair<int, int>> edges);
    // Seeded G(n, p) from a small linear congruential generator, reproducible everywhere.
    static int random(Graph::Row rows[Graph::MaxNodes], int n, double p, unsigned seed);
    // By family name: "empty", "path", "cycle", "star", "complete", "petersen" (n ignored),
    // "bipartite" (K_{n/2,n/2}); returns the vertex count, -1 for an unknown name.
    static int byName(const char *family, Graph::Row rows[Graph::MaxNodes], int n);
    static void addEdge(Graph::Row rows[Graph::MaxNodes], int i, int j);
};

#endif
