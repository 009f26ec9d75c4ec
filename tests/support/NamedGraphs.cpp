#include "NamedGraphs.h"

#include <cstdint>
#include <cstring>

void NamedGraphs::addEdge(Graph::Row rows[Graph::MaxNodes], int i, int j)
{
    rows[i] |= adjacency::bit(j);
    rows[j] |= adjacency::bit(i);
}

int NamedGraphs::empty(Graph::Row rows[Graph::MaxNodes], int n)
{
    for (int i = 0; i < Graph::MaxNodes; ++i)
        rows[i] = 0;
    return n;
}

int NamedGraphs::path(Graph::Row rows[Graph::MaxNodes], int n)
{
    empty(rows, n);
    for (int i = 1; i < n; ++i)
        addEdge(rows, i - 1, i);
    return n;
}

int NamedGraphs::cycle(Graph::Row rows[Graph::MaxNodes], int n)
{
    path(rows, n);
    if (n >= 3)
        addEdge(rows, 0, n - 1);
    return n;
}

int NamedGraphs::star(Graph::Row rows[Graph::MaxNodes], int n)
{
    empty(rows, n);
    for (int i = 1; i < n; ++i)
        addEdge(rows, 0, i);
    return n;
}

int NamedGraphs::complete(Graph::Row rows[Graph::MaxNodes], int n)
{
    empty(rows, n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < i; ++j)
            addEdge(rows, i, j);
    return n;
}

int NamedGraphs::completeBipartite(Graph::Row rows[Graph::MaxNodes], int a, int b)
{
    empty(rows, a + b);
    for (int i = 0; i < a; ++i)
        for (int j = a; j < a + b; ++j)
            addEdge(rows, i, j);
    return a + b;
}

int NamedGraphs::petersen(Graph::Row rows[Graph::MaxNodes])
{
    empty(rows, 10);
    for (int i = 0; i < 5; ++i) {
        addEdge(rows, i, (i + 1) % 5);
        addEdge(rows, 5 + i, 5 + (i + 2) % 5);
        addEdge(rows, i, i + 5);
    }
    return 10;
}

int NamedGraphs::fromEdges(Graph::Row rows[Graph::MaxNodes], int n, std::initializer_list<std::pair<int, int>> edges)
{
    empty(rows, n);
    for (const auto &e : edges)
        addEdge(rows, e.first, e.second);
    return n;
}

int NamedGraphs::random(Graph::Row rows[Graph::MaxNodes], int n, double p, unsigned seed)
{
    empty(rows, n);
    std::uint64_t state = seed * 6364136223846793005ull + 1442695040888963407ull;
    for (int i = 1; i < n; ++i)
        for (int j = 0; j < i; ++j) {
            state = state * 6364136223846793005ull + 1442695040888963407ull;
            if (double(state >> 11) / double(std::uint64_t(1) << 53) < p)
                addEdge(rows, i, j);
        }
    return n;
}

int NamedGraphs::byName(const char *family, Graph::Row rows[Graph::MaxNodes], int n)
{
    if (!std::strcmp(family, "empty"))
        return empty(rows, n);
    if (!std::strcmp(family, "path"))
        return path(rows, n);
    if (!std::strcmp(family, "cycle"))
        return cycle(rows, n);
    if (!std::strcmp(family, "star"))
        return star(rows, n);
    if (!std::strcmp(family, "complete"))
        return complete(rows, n);
    if (!std::strcmp(family, "petersen"))
        return petersen(rows);
    if (!std::strcmp(family, "bipartite"))
        return completeBipartite(rows, n / 2, n - n / 2);
    return -1;
}
