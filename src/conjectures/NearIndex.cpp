#include "conjectures/NearIndex.h"

#include <algorithm>
#include <cmath>

NearIndex::NearIndex(int dimension, double maxTolerance)
    : dim(std::max(dimension, 0)), largest(std::max(maxTolerance, 0.0)), rootDim(std::sqrt(double(dim)))
{
    // Two points within the sum of two tolerances in every coordinate lie at most
    // rootDim * 2 * largest apart along a unit direction: with cells a little over twice that
    // wide, the range a lookup covers meets at most two.
    width = std::max(4.2 * rootDim * largest, 1e-9);
    // Fixed directions, spread over every coordinate; the same in every run.
    directions.resize(size_t(Projections) * size_t(dim));
    uint64_t state = 0x2545f4914f6cdd1dULL;
    for (int k = 0; k < Projections; ++k) {
        double length = 0.0;
        for (int i = 0; i < dim; ++i) {
            state ^= state << 13;
            state ^= state >> 7;
            state ^= state << 17;
            const double v = double(state >> 11) / double(uint64_t(1) << 53) * 2.0 - 1.0;
            directions[size_t(k) * size_t(dim) + size_t(i)] = v;
            length += v * v;
        }
        length = std::sqrt(length);
        for (int i = 0; i < dim && length > 0.0; ++i)
            directions[size_t(k) * size_t(dim) + size_t(i)] /= length;
    }
}

double NearIndex::project(int k, const double *point) const
{
    const double *d = directions.data() + size_t(k) * size_t(dim);
    double s = 0.0;
    for (int i = 0; i < dim; ++i)
        s += d[i] * point[i];
    return s;
}

int64_t NearIndex::cellOf(double p) const
{
    const double c = std::floor(p / width);
    // Far out (or not a number) all share the last cell: they are still compared one by one.
    constexpr double Last = 4e18;
    return int64_t(c > -Last && c < Last ? c : (c < 0 ? -Last : Last));
}

uint64_t NearIndex::hash(const int64_t *cell)
{
    uint64_t h = 0;
    for (int k = 0; k < Projections; ++k) {
        h ^= uint64_t(cell[k]) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
        h ^= h >> 33;
        h *= 0xff51afd7ed558ccdULL;
    }
    return h;
}

bool NearIndex::within(int entry, const double *point, double tolerance) const
{
    const double *q = points.data() + size_t(entry) * size_t(dim);
    // A little over the sum: the caller decides at the edge, by its own rule.
    const double reach = (tolerance + tolerances[size_t(entry)]) * (1.0 + 1e-9) + 1e-15;
    for (int i = 0; i < dim; ++i)
        if (!(std::fabs(q[i] - point[i]) <= reach))
            return false;
    return true;
}

void NearIndex::insert(int id, const double *point, double tolerance)
{
    const int entry = int(ids.size());
    ids.push_back(id);
    points.insert(points.end(), point, point + dim);
    tolerances.push_back(clamp(tolerance));
    int64_t at[Projections];
    for (int k = 0; k < Projections; ++k)
        at[k] = cellOf(project(k, point));
    cells[hash(at)].push_back(entry);
}
