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

// The 8 x 8 bit block held one row per byte (row r in byte r, column c in bit c of it),
// transposed by three rounds of swaps.
inline std::uint64_t transpose8(std::uint64_t x)
{
    std::uint64_t t = (x ^ (x >> 7)) & 0x00AA00AA00AA00AAull;
    x ^= t ^ (t << 7);
    t = (x ^ (x >> 14)) & 0x0000CCCC0000CCCCull;
    x ^= t ^ (t << 14);
    t = (x ^ (x >> 28)) & 0x00000000F0F0F0F0ull;
    x ^= t ^ (t << 28);
    return x;
}

// The whole 32 x 32 bit matrix transposed in place by five rounds of swaps of ever smaller
// blocks: a fixed cost, below that of the 8 x 8 blocks from about 16 vertices on.
inline void transpose32(Row a[MaxNodes])
{
    Row m = 0x0000FFFFu;
    for (int j = 16; j; j >>= 1, m ^= m << j)
        for (int k = 0; k < MaxNodes; k = (k + j + 1) & ~j) {
            const Row t = ((a[k] >> j) ^ a[k + j]) & m;
            a[k + j] ^= t;
            a[k] ^= t << j;
        }
}

// out[i] = bit j set for every j < count whose src[j] holds bit i, for i < count; the rows
// from count on are 0. Done by 8 x 8 blocks, whose cost follows the order, or whole above 16.
inline void transpose(const Row src[MaxNodes], int count, Row out[MaxNodes])
{
    const Row inside = lowMask(count);
    if (count > 16) {
        for (int i = 0; i < MaxNodes; ++i)
            out[i] = i < count ? src[i] & inside : 0;
        transpose32(out);
        return;
    }
    for (int i = 0; i < MaxNodes; ++i)
        out[i] = 0;
    const int blocks = (count + 7) / 8;
    for (int bi = 0; bi < blocks; ++bi) {
        const int top = bi * 8;
        const int rowsHere = count - top < 8 ? count - top : 8;
        for (int bj = 0; bj < blocks; ++bj) {
            std::uint64_t x = 0;
            for (int r = 0; r < rowsHere; ++r)
                x |= std::uint64_t(((src[top + r] & inside) >> (8 * bj)) & 0xFFu) << (8 * r);
            if (!x)
                continue;
            x = transpose8(x);
            for (int r = 0; r < 8 && 8 * bj + r < count; ++r)
                out[8 * bj + r] |= Row((x >> (8 * r)) & 0xFFu) << top;
        }
    }
}

} // namespace adjacency

#endif
