#ifndef ADJACENCY_H
#define ADJACENCY_H

#include <cstdint>

// The adjacency of a graph of at most 32 vertices as row bitmasks: bit j of row i is the
// entry (i, j). Everything that computes on a graph reads rows through these helpers, so
// this header depends on the standard library only.
namespace adjacency {

using Row = std::uint32_t;
constexpr int MaxNodes = 32;

// The one-vertex set {j}.
constexpr Row bit(int j) { return Row(1) << j; }
// The vertices 0 to count-1.
constexpr Row lowMask(int count) { return count >= MaxNodes ? ~Row(0) : bit(count) - 1; }
// The vertices above v (none for v = 31: the shift of 2 wraps to 0).
constexpr Row above(int v) { return ~((Row(2) << v) - 1); }
inline bool has(Row set, int j) { return (set >> j) & 1u; }
inline int popcount(Row set) { return __builtin_popcount(set); }
// The smallest vertex of a non-empty set.
inline int lowest(Row set) { return __builtin_ctz(set); }

// Calls visit(v) for every vertex v of the set, in increasing order.
template <class Visit>
inline void forEachBit(Row set, Visit visit)
{
    for (; set; set &= set - 1)
        visit(__builtin_ctz(set));
}

// Replaces the graph on vertices 0 to n-1 by its complement, in place.
inline void complement(Row rows[MaxNodes], int n)
{
    const Row inside = lowMask(n);
    for (int i = 0; i < n; ++i)
        rows[i] = ~rows[i] & inside & ~bit(i);
}

} // namespace adjacency

#endif
