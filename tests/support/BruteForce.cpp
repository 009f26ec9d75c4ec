#include "BruteForce.h"

namespace {
using Row = Graph::Row;
using adjacency::bit;

bool firstFrom(int n, int from, int left, Row chosen, const std::function<bool(Row)> &test, Row &found)
{
    if (left == 0) {
        if (!test(chosen))
            return false;
        found = chosen;
        return true;
    }
    for (int v = from; v <= n - left; ++v)
        if (firstFrom(n, v + 1, left - 1, chosen | bit(v), test, found))
            return true;
    return false;
}

bool colourable(const Row rows[Graph::MaxNodes], int n, int k, int v, int *colour)
{
    if (v == n)
        return true;
    for (int c = 0; c < k; ++c) {
        bool free = true;
        for (int u = 0; u < v; ++u)
            if ((rows[v] & bit(u)) && colour[u] == c)
                free = false;
        if (!free)
            continue;
        colour[v] = c;
        if (colourable(rows, n, k, v + 1, colour))
            return true;
    }
    return false;
}
} // namespace

Graph::Row BruteForce::firstSubset(int n, int size, const std::function<bool(Row)> &test)
{
    Row found = ~Row(0);
    firstFrom(n, 0, size, 0, test, found);
    return found;
}

bool BruteForce::isStable(const Row rows[Graph::MaxNodes], Row set)
{
    for (Row r = set; r; r &= r - 1)
        if (rows[adjacency::lowest(r)] & set)
            return false;
    return true;
}

bool BruteForce::isClique(const Row rows[Graph::MaxNodes], Row set)
{
    for (Row r = set; r; r &= r - 1) {
        const int v = adjacency::lowest(r);
        if (((rows[v] | bit(v)) & set) != set)
            return false;
    }
    return true;
}

bool BruteForce::dominates(const Row rows[Graph::MaxNodes], int n, Row set)
{
    for (int v = 0; v < n; ++v)
        if (!(set & bit(v)) && !(rows[v] & set))
            return false;
    return true;
}

bool BruteForce::connectedWithout(const Row rows[Graph::MaxNodes], int n, Row removed)
{
    const Row all = adjacency::lowMask(n) & ~removed;
    if (!all)
        return true;
    Row seen = all & (~all + 1);
    for (Row grown = seen; grown;) {
        Row next = 0;
        for (Row r = grown; r; r &= r - 1)
            next |= rows[adjacency::lowest(r)];
        grown = next & all & ~seen;
        seen |= grown;
    }
    return seen == all;
}

Graph::Row BruteForce::firstMaximumStable(const Row rows[Graph::MaxNodes], int n)
{
    for (int size = n; size > 0; --size) {
        const Row s = firstSubset(n, size, [&](Row set) { return isStable(rows, set); });
        if (s != ~Row(0))
            return s;
    }
    return 0;
}

Graph::Row BruteForce::firstMaximumClique(const Row rows[Graph::MaxNodes], int n)
{
    for (int size = n; size > 0; --size) {
        const Row s = firstSubset(n, size, [&](Row set) { return isClique(rows, set); });
        if (s != ~Row(0))
            return s;
    }
    return 0;
}

Graph::Row BruteForce::firstMinimumDominating(const Row rows[Graph::MaxNodes], int n)
{
    for (int size = 1; size <= n; ++size) {
        const Row s = firstSubset(n, size, [&](Row set) { return dominates(rows, n, set); });
        if (s != ~Row(0))
            return s;
    }
    return 0;
}

int BruteForce::connectivity(const Row rows[Graph::MaxNodes], int n)
{
    for (int size = 0; size <= n - 2; ++size)
        if (firstSubset(n, size, [&](Row set) { return !connectedWithout(rows, n, set); }) != ~Row(0))
            return size;
    return n - 1;
}

int BruteForce::chromaticNumber(const Row rows[Graph::MaxNodes], int n)
{
    int colour[Graph::MaxNodes];
    for (int k = 1;; ++k)
        if (colourable(rows, n, k, 0, colour))
            return k;
}
