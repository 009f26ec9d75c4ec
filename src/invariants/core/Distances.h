#ifndef DISTANCES_H
#define DISTANCES_H

#include "graph/Adjacency.h"

#include <cstdint>

// All-pairs breadth-first distances of one adjacency snapshot, filled once and read by every
// distance item of a computation. Searches grow whole layers with bitmask unions, which gives
// the same hop counts as a vertex-by-vertex queue. Unreached pairs read as 1e12, the system's
// infinity.
//
// The fill itself only copies the rows and tells whether the graph is connected; the rest is
// made on the first read that needs it. So the items on a disconnected graph that give no
// value (Wiener, diameter) pay for nothing more, and those that need only eccentricities or
// sums never pay for what they do not read. Three ways, by graph:
// - below 16 vertices, the layers of each source in turn;
// - from 16 on, the layers of all sources at once, one round per distance (a vertex's next
//   ball is its ball united with the last layers of its neighbours);
// - from 16 on, for a connected graph with at most 8 edges more than a spanning tree (what a
//   search near a long tree meets), the pair table itself: the tree's distances row by row
//   (a vertex's row is its parent's, one less inside its subtree and one more outside), then
//   each further edge as a shortcut (d(x, y) := min(d(x, y), d(x, a) + 1 + d(b, y), ...)),
//   16 entries at a time; the sums and eccentricities are read off the table, the layers
//   only when asked for.
// Reads change the object: one object is never read by two threads at once.
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
        sums();
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

    // From this order on the layers are grown for all sources at once, and a connected graph
    // with at most MaxChords edges beyond a spanning tree is measured from the tree.
    static constexpr int AllSourcesFrom = 16;
    static constexpr int MaxChords = 8;

private:
    using Table = std::int8_t[adjacency::MaxNodes][adjacency::MaxNodes];
    const Table &table() const
    {
        // The tree's way makes the table itself; otherwise it is written from the layers.
        if (!tableMade)
            sums();
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
    // The row sums, eccentricities and diameter.
    void sums() const
    {
        if (!sumsMade)
            makeSums();
    }
    void makeLayers() const;
    void makeSums() const;
    void growBySource() const;
    void growAllSources() const;
    void layersFromTable() const;
    // False, with nothing made, when the graph is not one for the tree's way.
    bool tableFromTree() const;

    int n = 0;
    bool allReached = true;
    int edges = 0;
    // The rows within the first n vertices, without the diagonal.
    adjacency::Row adj[adjacency::MaxNodes] = {};
    mutable bool sumsMade = false;
    mutable bool layersMade = false;
    mutable int longest = 0;
    // layer[s][d]: the vertices at d hops from s, for d = 0 to depth[s].
    mutable adjacency::Row layer[adjacency::MaxNodes][adjacency::MaxNodes] = {};
    mutable std::int8_t depth[adjacency::MaxNodes] = {};
    mutable long long rowSum[adjacency::MaxNodes] = {};
    mutable bool tableMade = false;
    alignas(16) mutable Table hop = {};
};

#endif
