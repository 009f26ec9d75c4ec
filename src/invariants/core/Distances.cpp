#include "invariants/core/Distances.h"

#include <algorithm>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

using namespace adjacency;

void Distances::fill(const Row rows[MaxNodes], int count)
{
    n = std::max(0, std::min(count, int(MaxNodes)));
    sumsMade = false;
    layersMade = false;
    tableMade = false;
    const Row all = lowMask(n);
    int degrees = 0;
    for (int v = 0; v < n; ++v) {
        adj[v] = rows[v] & all & ~bit(v);
        degrees += popcount(adj[v]);
    }
    edges = degrees / 2;
    // One search from vertex 0 tells connectivity: every source reaches all vertices exactly
    // when this one does.
    Row seen = n > 0 ? bit(0) : 0;
    for (Row frontier = seen; frontier;) {
        Row next = 0;
        for (Row f = frontier; f; f &= f - 1)
            next |= adj[lowest(f)];
        frontier = next & ~seen;
        seen |= frontier;
    }
    allReached = seen == all;
}

void Distances::makeSums() const
{
    if (!tableFromTree())
        layers();
}

void Distances::makeLayers() const
{
    if (tableMade) {
        layersFromTable();
    } else {
        longest = 0;
        if (n >= AllSourcesFrom)
            growAllSources();
        else
            growBySource();
    }
    layersMade = true;
    sumsMade = true;
}

void Distances::layersFromTable() const
{
    for (int s = 0; s < n; ++s) {
        std::fill(layer[s], layer[s] + depth[s] + 1, Row(0));
        for (int w = 0; w < n; ++w)
            layer[s][hop[s][w]] |= bit(w);
    }
}

#if defined(__SSE2__)
namespace {
// The 16 bits of m as 16 bytes, 0xFF for a set bit.
inline __m128i byteMask(unsigned m)
{
    const __m128i bits = _mm_setr_epi8(1, 2, 4, 8, 16, 32, 64, -128, 1, 2, 4, 8, 16, 32, 64, -128);
    const __m128i x = _mm_unpacklo_epi64(_mm_set1_epi8(char(m & 0xFFu)), _mm_set1_epi8(char((m >> 8) & 0xFFu)));
    return _mm_cmpeq_epi8(_mm_and_si128(x, bits), bits);
}
inline __m128i load(const std::int8_t *p)
{
    return _mm_load_si128(reinterpret_cast<const __m128i *>(p));
}
inline void store(std::int8_t *p, __m128i x)
{
    _mm_store_si128(reinterpret_cast<__m128i *>(p), x);
}
} // namespace

bool Distances::tableFromTree() const
{
    if (!allReached || n < AllSourcesFrom || edges - (n - 1) > MaxChords)
        return false;
    // A breadth-first tree from vertex 0, its vertices in the order met.
    int order[MaxNodes], parent[MaxNodes];
    std::int8_t level[MaxNodes];
    Row subtree[MaxNodes];
    int met = 0;
    order[met++] = 0;
    parent[0] = -1;
    level[0] = 0;
    Row seen = bit(0);
    for (int h = 0; h < met; ++h) {
        const int u = order[h];
        for (Row f = adj[u] & ~seen; f; f &= f - 1) {
            const int w = lowest(f);
            parent[w] = u;
            level[w] = std::int8_t(level[u] + 1);
            order[met++] = w;
        }
        seen |= adj[u];
    }
    for (int v = 0; v < n; ++v)
        subtree[v] = bit(v);
    for (int i = n - 1; i > 0; --i)
        subtree[parent[order[i]]] |= subtree[order[i]];

    // The tree's distances: from the root its levels; a vertex is one step further than its
    // parent from everything outside its subtree and one step nearer to everything inside.
    // Entries from n on are never read.
    for (int w = 0; w < MaxNodes; ++w)
        hop[0][w] = w < n ? level[w] : 0;
    const __m128i one = _mm_set1_epi8(1), two = _mm_set1_epi8(2);
    for (int i = 1; i < n; ++i) {
        const int v = order[i];
        const std::int8_t *up = hop[parent[v]];
        store(hop[v], _mm_sub_epi8(_mm_add_epi8(load(up), one), _mm_and_si128(two, byteMask(subtree[v]))));
        store(hop[v] + 16, _mm_sub_epi8(_mm_add_epi8(load(up + 16), one), _mm_and_si128(two, byteMask(subtree[v] >> 16))));
    }
    // Each edge off the tree, once, as a shortcut. Distances stay below 32, so the sums fit a
    // byte; rows a and b may already hold their new values, which are true distances too.
    for (int a = 0; a < n; ++a)
        for (Row f = adj[a] & ~lowMask(a + 1); f; f &= f - 1) {
            const int b = lowest(f);
            if (parent[a] == b || parent[b] == a)
                continue;
            for (int x = 0; x < n; ++x) {
                const __m128i viaA = _mm_set1_epi8(char(hop[x][a] + 1));
                const __m128i viaB = _mm_set1_epi8(char(hop[x][b] + 1));
                for (int half = 0; half < 32; half += 16) {
                    const __m128i shortcut = _mm_min_epu8(_mm_add_epi8(viaA, load(hop[b] + half)),
                                                          _mm_add_epi8(viaB, load(hop[a] + half)));
                    store(hop[x] + half, _mm_min_epu8(load(hop[x] + half), shortcut));
                }
            }
        }

    // Row sums and largest entries, over the first n columns.
    const Row all = lowMask(n);
    const __m128i inLow = byteMask(all), inHigh = byteMask(all >> 16), zero = _mm_setzero_si128();
    longest = 0;
    for (int x = 0; x < n; ++x) {
        const __m128i low = _mm_and_si128(load(hop[x]), inLow);
        const __m128i high = _mm_and_si128(load(hop[x] + 16), inHigh);
        const __m128i sum = _mm_add_epi64(_mm_sad_epu8(low, zero), _mm_sad_epu8(high, zero));
        rowSum[x] = _mm_cvtsi128_si32(sum) + _mm_cvtsi128_si32(_mm_srli_si128(sum, 8));
        __m128i top = _mm_max_epu8(low, high);
        top = _mm_max_epu8(top, _mm_srli_si128(top, 8));
        top = _mm_max_epu8(top, _mm_srli_si128(top, 4));
        top = _mm_max_epu8(top, _mm_srli_si128(top, 2));
        top = _mm_max_epu8(top, _mm_srli_si128(top, 1));
        depth[x] = std::int8_t(_mm_cvtsi128_si32(top) & 0xFF);
        longest = std::max(longest, int(depth[x]));
    }
    tableMade = true;
    sumsMade = true;
    return true;
}
#else
bool Distances::tableFromTree() const
{
    return false;
}
#endif

void Distances::growBySource() const
{
    const Row all = lowMask(n);
    for (int s = 0; s < n; ++s) {
        Row *layers = layer[s];
        Row seen = bit(s);
        Row frontier = seen;
        layers[0] = seen;
        long long sum = 0;
        int d = 0;
        while (frontier) {
            Row next = 0;
            for (Row f = frontier; f; f &= f - 1)
                next |= adj[lowest(f)];
            next &= all & ~seen;
            if (!next)
                break;
            ++d;
            layers[d] = next;
            seen |= next;
            sum += static_cast<long long>(d) * popcount(next);
            frontier = next;
        }
        depth[s] = std::int8_t(d);
        rowSum[s] = sum;
        longest = std::max(longest, d);
    }
}

void Distances::growAllSources() const
{
    // Distance is symmetric, so the vertices at d hops from v are also the sources that reach
    // v in d hops: ball_d(v) is ball_(d-1)(v) united with the last layers, at d - 1 hops, of
    // v's neighbours, and only the neighbours whose ball grew in the last round have one.
    // Round d reads the layers of round d - 1 only, so the order within a round does not
    // matter; they are kept side by side for it, in the first of two buffers.
    const Row all = lowMask(n);
    Row ball[MaxNodes], buffers[2][MaxNodes];
    Row *last = buffers[0], *next = buffers[1];
    Row active = 0, grew = 0;
    int degrees = 0;
    for (int v = 0; v < n; ++v) {
        const Row near = adj[v];
        degrees += popcount(near);
        ball[v] = near | bit(v);
        last[v] = near;
        layer[v][0] = bit(v);
        layer[v][1] = near;
        depth[v] = near ? 1 : 0;
        rowSum[v] = popcount(near);
        if (near) {
            grew |= bit(v);
            if (ball[v] != all)
                active |= bit(v);
        }
    }
    if (grew)
        longest = 1;
    // In a graph of more than two thirds of the pairs few vertices lie outside a ball of
    // radius 1: a vertex outside a ball joins it when one of its neighbours is inside, which
    // costs less than uniting the neighbours' layers there.
    const bool fromOutside = 3 * degrees > 2 * n * (n - 1);
    const bool dense = 4 * degrees > n * (n - 1);
    for (int d = 2; active; ++d) {
        Row stillActive = 0, grewNow = 0;
        for (Row a = active; a; a &= a - 1) {
            const int v = lowest(a);
            const Row old = ball[v];
            Row b = old;
            if (fromOutside) {
                for (Row w = all & ~old; w; w &= w - 1)
                    b |= (adj[lowest(w)] & old) ? bit(lowest(w)) : 0;
            } else if (dense) {
                // A whole ball takes nothing more: in a dense graph a few neighbours fill it.
                for (Row u = adj[v] & grew; u && b != all; u &= u - 1)
                    b |= last[lowest(u)];
            } else {
                for (Row u = adj[v] & grew; u; u &= u - 1)
                    b |= last[lowest(u)];
            }
            // Written whether or not the ball grew, without a branch: a layer beyond the
            // depth is never read, nor the last layer of a vertex that did not grow.
            const Row fresh = b & ~old;
            ball[v] = b;
            next[v] = fresh;
            layer[v][d] = fresh;
            depth[v] = fresh ? std::int8_t(d) : depth[v];
            rowSum[v] += static_cast<long long>(d) * popcount(fresh);
            grewNow |= fresh ? bit(v) : 0;
            stillActive |= fresh && b != all ? bit(v) : 0;
        }
        if (grewNow)
            longest = d;
        active = stillActive;
        grew = grewNow;
        std::swap(last, next);
    }
}

void Distances::makeTable() const
{
    layers();
    for (int s = 0; s < n; ++s) {
        std::int8_t *row = hop[s];
        std::fill(row, row + n, std::int8_t(Unreached));
        for (int d = 0; d <= depth[s]; ++d)
            for (Row f = layer[s][d]; f; f &= f - 1)
                row[lowest(f)] = std::int8_t(d);
    }
    tableMade = true;
}

Row Distances::sphere(int s, int d) const
{
    layers();
    if (d >= 0)
        return d <= depth[s] ? layer[s][d] : 0;
    Row out = 0;
    for (int j = 0; j < n; ++j)
        if (hops(s, j) == d)
            out |= bit(j);
    return out;
}

double Distances::eccentricity(int v) const
{
    // A vertex reaches all others exactly when the graph is connected; then its last layer
    // is its eccentricity.
    if (!allReached)
        return Infinity;
    sums();
    return double(depth[v]);
}

double Distances::radius() const
{
    if (n == 0)
        return 0.0;
    // On a disconnected graph every vertex misses one.
    if (!allReached)
        return Infinity;
    sums();
    int r = depth[0];
    for (int i = 1; i < n; ++i)
        r = std::min(r, int(depth[i]));
    return r;
}

int Distances::peripheralVertex() const
{
    sums();
    for (int v = 0; v < n; ++v)
        if (eccentricity(v) == double(longest))
            return v;
    return 0;
}

long long Distances::wiener() const
{
    sums();
    long long total = 0;
    for (int s = 0; s < n; ++s)
        total += rowSum[s];
    return total / 2;
}

double Distances::harary() const
{
    const Table &h = table();
    double total = 0.0;
    for (int i = 1; i < n; ++i)
        for (int j = 0; j < i; ++j)
            if (h[i][j] > 0)
                total += 1.0 / h[i][j];
    return total;
}

double Distances::transmission(int v) const
{
    // Whole numbers far below 2^53: the sum is exact in any order, so the row's sum of hops
    // and 1e12 for each vertex out of reach give the table's sum.
    if (allReached) {
        sums();
        return double(rowSum[v]);
    }
    layers();
    int reached = 0;
    for (int d = 0; d <= depth[v]; ++d)
        reached += popcount(layer[v][d]);
    return double(rowSum[v]) + double(n - reached) * Infinity;
}

double Distances::averageDistance() const
{
    if (n < 2)
        return 0.0;
    return 2.0 * double(wiener()) / double(n * (n - 1));
}
