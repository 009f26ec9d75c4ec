#ifndef TOLERANCEGRID_H
#define TOLERANCEGRID_H

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

// A set of points of one dimension that answers "is a held point equal to x within 1e-6 in
// every coordinate?" by looking only in the grid cells such a point can occupy, instead of
// scanning every held point: the conjecture search feeds tens of thousands of table rows.
//
// Each coordinate is cut into cells 1/64 wide. A coordinate's cell is a non-decreasing
// function of its value, so a point within 1e-6 lies in a cell between those of the two ends
// of x's tolerance interval: the same cell, or for a coordinate close to a cell edge, also
// the neighbouring one. Magnitudes from 2^34 on, where doubles are further apart than the
// tolerance, only match exactly and are keyed by value. When too many coordinates lie near
// an edge the lookup falls back to a scan, so the answer never depends on the cut.
class ToleranceGrid
{
public:
    static constexpr double Tolerance = 1e-6;

    explicit ToleranceGrid(int dimension = 0);

    // Empties the set and sets the dimension of the points it takes.
    void reset(int dimension);

    int dimension() const { return dim; }
    int size() const { return count; }

    // x has dimension() entries.
    bool containsNear(const double *x) const;
    // Appends x unless a held point is within the tolerance; true when appended.
    bool insertIfNew(const double *x);

    // The held points, row by row in order of insertion.
    const std::vector<double> &coordinates() const { return coords; }
    const double *point(int i) const { return coords.data() + std::size_t(i) * std::size_t(dim); }

private:
    bool nearAny(const double *x, uint64_t &key) const;
    bool nearInCell(uint64_t key, const double *x) const;
    bool near(const double *a, const double *b) const;

    int dim = 0;
    int count = 0;
    std::vector<double> coords;
    std::unordered_map<uint64_t, int> firstInCell;  // cell key -> latest point inserted there
    std::vector<int> nextInCell;  // per point: the previous point of its cell, or -1
    mutable std::vector<int64_t> low, high;  // per coordinate: cell range of the tolerance interval
};

#endif
