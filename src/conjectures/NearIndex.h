#ifndef NEARINDEX_H
#define NEARINDEX_H

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

// Points of one dimension, each with its own tolerance (at most a fixed largest one), found
// again from any point within the sum of the two tolerances in every coordinate without a scan:
// they are hashed on three fixed projections, in cells at least twice as wide as any such pair
// of points can lie apart along a projection, so that a lookup visits at most two cells per
// projection; the points held there are compared coordinate by coordinate.
//
// Entries are never removed: the caller gives each an id and passes over those it has dropped.
class NearIndex
{
public:
    explicit NearIndex(int dimension = 0, double maxTolerance = 0.0);

    int dimension() const { return dim; }
    // A tolerance above the largest is taken as the largest.
    void insert(int id, const double *point, double tolerance);

    // visit(id) for every point held within tolerance + its own tolerance of point, in every
    // coordinate.
    template <typename Visit>
    void near(const double *point, double tolerance, Visit &&visit) const
    {
        tolerance = clamp(tolerance);
        int64_t low[Projections], high[Projections];
        const double reach = (tolerance + largest) * rootDim * (1.0 + 1e-9) + 1e-12;
        for (int k = 0; k < Projections; ++k) {
            const double p = project(k, point);
            low[k] = cellOf(p - reach);
            high[k] = cellOf(p + reach);
        }
        int64_t at[Projections];
        for (int combination = 0; combination < (1 << Projections); ++combination) {
            bool inRange = true;
            for (int k = 0; k < Projections; ++k) {
                at[k] = (combination >> k & 1) ? high[k] : low[k];
                inRange = inRange && ((combination >> k & 1) == 0 || high[k] != low[k]);
            }
            if (!inRange)
                continue;
            const auto it = cells.find(hash(at));
            if (it == cells.end())
                continue;
            for (int e : it->second)
                if (within(e, point, tolerance))
                    visit(ids[std::size_t(e)]);
        }
    }

private:
    static constexpr int Projections = 3;

    double clamp(double tolerance) const { return tolerance < largest ? tolerance : largest; }
    double project(int k, const double *point) const;
    int64_t cellOf(double p) const;
    static uint64_t hash(const int64_t *cell);
    bool within(int entry, const double *point, double tolerance) const;

    int dim = 0;
    double largest = 0.0;
    double rootDim = 0.0;
    double width = 1.0;  // of a cell along a projection
    std::vector<double> directions;  // Projections x dim, each of unit length
    std::vector<double> points;  // per entry, dim values
    std::vector<double> tolerances;
    std::vector<int> ids;
    std::unordered_map<uint64_t, std::vector<int>> cells;
};

#endif
