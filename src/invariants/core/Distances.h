#ifndef DISTANCES_H
#define DISTANCES_H

#include "graph/Adjacency.h"

#include <cstdint>

// All-pairs breadth-first distances of one adjacency snapshot, filled once and read by every
// distance item of a computation. Each search grows whole layers with bitmask unions, which
// gives the same hop counts as a vertex-by-vertex queue. Unreached pairs read as 1e12, the
// system's infinity.
//
// The fill keeps the layers as masks; the pair table is written from them on its first read,
// so items that need only eccentricities or sums (diameter, radius, Wiener) never pay for it.
// That makes reads change the object: one object is never read by two threads at once.
class Distances
{
public:
    static constexpr double Infinity = 1e12;
    static constexpr int Unreached = -1;

    Distances() = default;
    Distances(const adjacency::Row rows[adjacency::MaxNodes], int n) { fill(rows, n); }

    void fill(const adjacency::Row rows[adjacency::MaxNodes], int n);

    int order() const { return n; }
    // True for every graph whose searches reached all vertices, the graph without vertices
    // included (nothing was searched).
    bool connected() const { return allReached; }

    // Hop count from i to j, Unreached when there is no path.
    int hops(int i, int j) const { return table()[i][j]; }
    // The same as a table entry: 1e12 when there is no path.
    double at(int i, int j) const
    {
        const int h = table()[i][j];
        return h < 0 ? Infinity : double(h);
    }
    // Vertices at exactly d hops from s (d = 0 is s itself).
    adjacency::Row sphere(int s, int d) const;

    // Largest entry of row v, 1e12 when v misses a vertex.
    double eccentricity(int v) const;
    // Largest finite distance over all pairs (0 without pairs).
    int diameter() const { return longest; }
    // Smallest eccentricity; 1e12 on a disconnected graph, 0 without vertices.
    double radius() const;
    // Smallest vertex whose eccentricity equals the diameter (0 without vertices).
    int peripheralVertex() const;

    // Sum of the distances of all unordered pairs, unreached pairs left out.
    long long wiener() const;
    // Sum over the unordered pairs of 1 / distance, summed as (i, j), i ascending, j < i.
    double harary() const;
    // Sum of row v in column order, 1e12 for each vertex that v does not reach.
    double transmission(int v) const;
    // 2 W / (n (n - 1)); 0 when there is no pair.
    double averageDistance() const;

private:
    using Table = std::int8_t[adjacency::MaxNodes][adjacency::MaxNodes];
    const Table &table() const
    {
        if (!tableMade)
            makeTable();
        return hop;
    }
    void makeTable() const;

    int n = 0;
    bool allReached = true;
    int longest = 0;
    // layer[s][d]: the vertices at d hops from s, for d = 0 to depth[s].
    adjacency::Row layer[adjacency::MaxNodes][adjacency::MaxNodes] = {};
    std::int8_t depth[adjacency::MaxNodes] = {};
    mutable bool tableMade = false;
    mutable Table hop = {};
    long long rowSum[adjacency::MaxNodes] = {};
};

#endif
