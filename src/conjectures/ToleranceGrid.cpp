#include "conjectures/ToleranceGrid.h"

#include <cmath>
#include <cstring>

namespace {

// From this magnitude on the neighbours of a double are more than the tolerance away.
constexpr double Exact = 17179869184.0;  // 2^34
constexpr double CellsPerUnit = 64.0;
// Cells start off the integers and simple fractions, where table values cluster.
constexpr double CellShift = 0.6180339887498949;
// Beyond this many coordinates near a cell edge, a scan is cheaper than the cells.
constexpr int MaxEdgeCoordinates = 6;

// Non-decreasing in v over (-Exact, Exact); an exact key outside.
int64_t cellOf(double v)
{
    if (std::fabs(v) < Exact)
        return int64_t(std::floor(v * CellsPerUnit + CellShift));
    int64_t bits;
    static_assert(sizeof bits == sizeof v, "double is 64 bits");
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

uint64_t mix(uint64_t h, int64_t code)
{
    h ^= uint64_t(code) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
    return h;
}

uint64_t finish(uint64_t h)
{
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    return h;
}

} // namespace

ToleranceGrid::ToleranceGrid(int dimension)
{
    reset(dimension);
}

void ToleranceGrid::reset(int dimension)
{
    dim = dimension < 0 ? 0 : dimension;
    count = 0;
    coords.clear();
    firstInCell.clear();
    nextInCell.clear();
    low.assign(size_t(dim), 0);
    high.assign(size_t(dim), 0);
}

bool ToleranceGrid::near(const double *a, const double *b) const
{
    for (int i = 0; i < dim; ++i)
        if (!(std::fabs(a[i] - b[i]) <= Tolerance))
            return false;
    return true;
}

bool ToleranceGrid::nearInCell(uint64_t key, const double *x) const
{
    const auto it = firstInCell.find(key);
    if (it == firstInCell.end())
        return false;
    for (int p = it->second; p >= 0; p = nextInCell[size_t(p)])
        if (near(point(p), x))
            return true;
    return false;
}

// Also gives the key of x's own cell.
bool ToleranceGrid::nearAny(const double *x, uint64_t &key) const
{
    int edges = 0;
    uint64_t h = 0;
    for (int i = 0; i < dim; ++i) {
        const double v = x[i];
        const int64_t own = cellOf(v);
        low[size_t(i)] = high[size_t(i)] = own;
        if (std::fabs(v) < Exact) {
            // One step outwards covers the rounding of v -/+ tolerance; the clamp keeps the ends
            // in the range where cells are monotone, which every point within tolerance is in.
            const double limit = std::nextafter(Exact, 0.0);
            const double a = std::fmax(std::nextafter(v - Tolerance, -HUGE_VAL), -limit);
            const double b = std::fmin(std::nextafter(v + Tolerance, HUGE_VAL), limit);
            low[size_t(i)] = cellOf(a);
            high[size_t(i)] = cellOf(b);
            if (low[size_t(i)] != high[size_t(i)])
                ++edges;
        }
        h = mix(h, own);
    }
    key = finish(h);

    if (edges == 0)
        return nearInCell(key, x);
    if (edges > MaxEdgeCoordinates) {
        for (int p = 0; p < count; ++p)
            if (near(point(p), x))
                return true;
        return false;
    }
    // Every combination of the candidate cells; the cell ranges are 1 or 2 wide (the interval
    // is far narrower than a cell).
    std::vector<int64_t> pick(low);
    for (;;) {
        uint64_t g = 0;
        for (int i = 0; i < dim; ++i)
            g = mix(g, pick[size_t(i)]);
        if (nearInCell(finish(g), x))
            return true;
        int i = 0;
        while (i < dim && pick[size_t(i)] == high[size_t(i)]) {
            pick[size_t(i)] = low[size_t(i)];
            ++i;
        }
        if (i == dim)
            return false;
        ++pick[size_t(i)];
    }
}

bool ToleranceGrid::containsNear(const double *x) const
{
    uint64_t key = 0;
    return nearAny(x, key);
}

bool ToleranceGrid::insertIfNew(const double *x)
{
    uint64_t key = 0;
    if (nearAny(x, key))
        return false;
    coords.insert(coords.end(), x, x + dim);
    auto it = firstInCell.find(key);
    if (it == firstInCell.end()) {
        nextInCell.push_back(-1);
        firstInCell.emplace(key, count);
    } else {
        nextInCell.push_back(it->second);
        it->second = count;
    }
    ++count;
    return true;
}
