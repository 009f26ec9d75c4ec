#ifndef FAMILYTEXTS_H
#define FAMILYTEXTS_H

#include "graph/Graph.h"

#include <QString>

// Graph texts of the named families, for tests that load them into a graph.
class FamilyTexts
{
public:
    static QString fromRows(const Graph::Row rows[], int n);
    // A family of NamedGraphs::byName on n vertices.
    static QString family(const char *name, int n);
};

#endif
