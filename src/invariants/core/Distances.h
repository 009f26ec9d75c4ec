#ifndef DISTANCES_H
#define DISTANCES_H

#include "graph/Adjacency.h"

#include <cstdint>

// All-pairs breadth-first distances of one adjacency snapshot, filled once and read by every
// distance item of a computation. Searches grow whole layers with bitmask unions, which gives
// the same hop counts as a vertex-by-vertex queue. Unreached pairs read as 1e12, the system's
// infinity.
//
// The fill itself only copies the rows and tells whether the graph is connected; the layers of
// every source are grown on the first read that needs them, and the pair table is written
// from them on its first read. So the items on a disconnected graph that give no value
// (Wiener, diameter) never pay for the layers, and those that need only eccentricities or sums
// never pay for the table. Below 16 vertices the layers are grown source by source; from 16
// on, all sources at once, one round per distance (a vertex's next ball is its ball united
// with the last layers of its neighbours), which is faster there on every kind of graph but
// the bare path. Reads change the object: one object is never read by two threads at once.
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
    int diameter() const
    {
        layers();
        return longest;
    }
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

    // From this order on the layers are grown for all sources at once.
    static constexpr int AllSourcesFrom = 16;

private:
    using Table = std::int8_t[adjacency::MaxNodes][adjacency::MaxNodes];
    const Table &table() const
    {
        if (!tableMade)
            makeTable();
        return hop;
    }
    void makeTable() const;
    void layers() const
    {
        if (!layersMade)
            makeLayers();
    }
    void makeLayers() const;
    void growBySource() const;
    void growAllSources() const;

    int n = 0;
    bool allReached = true;
    // The rows within the first n vertices, without the diagonal.
    adjacency::Row adj[adjacency::MaxNodes] = {};
    mutable bool layersMade = false;
    mutable int longest = 0;
    // layer[s][d]: the vertices at d hops from s, for d = 0 to depth[s].
    mutable adjacency::Row layer[adjacency::MaxNodes][adjacency::MaxNodes] = {};
    mutable std::int8_t depth[adjacency::MaxNodes] = {};
    mutable long long rowSum[adjacency::MaxNodes] = {};
    mutable bool tableMade = false;
    mutable Table hop = {};
};

#endif
