#ifndef GRAPHTEXT_H
#define GRAPHTEXT_H

#include "graph/Graph.h"

#include <QString>

// Graph texts for tests: the vertex count, a blank, one '0'/'1' per pair of the lower
// triangle, row by row.
class GraphText
{
public:
    static QString of(const Graph::Row rows[Graph::MaxNodes], int n);
    // A family of NamedGraphs::byName on n vertices.
    static QString family(const char *name, int n);
};

#endif
