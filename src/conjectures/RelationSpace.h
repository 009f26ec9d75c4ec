#ifndef RELATIONSPACE_H
#define RELATIONSPACE_H

#include <QVector>
#include <atomic>
#include <vector>

// The rows given to a conjecture search, as they tell relations apart: every row of the table
// (augmented with the squared and product columns, not weighted), with its graph number. The rows
// searched are those with a value in every column. Made once per search and shared by its jobs,
// read-only, from any thread.
//
// Rows that satisfy an identity (twice SIZE is the sum of the degrees) lie in a smaller space,
// in which a bound can be tilted about the identity without changing its values on those rows.
// An identity is a direction on which every row searched takes one value within the scale rule,
// judged at the identity's own scale (1e-9 of the largest magnitude of its terms on a row
// searched), checked on the rows themselves.
//
// The rows decide when two bounds are one relation (sameRelation): their slacks agree up to one
// positive factor on every row searched. The key of a bound only finds candidates for that test:
// its coefficients in the rows' own units (each column centred and divided by its spread), with
// their parts along the identities removed, divided by what is left, and the constant these give
// on the rows' mean.
class RelationSpace
{
public:
    // On each row, two values are one when they agree within this much of the magnitudes of the
    // terms that make them.
    static constexpr double ScaleRule = 1e-9;
    // The widest a key's tolerance gets: a lookup finds candidates within it.
    static constexpr double MaxTolerance = 1e-3;

    RelationSpace() = default;
    // count rows of dim values each, row after row, the first `raw` of each as the table gives
    // them, with per value whether it is exact (a product rounded by the multiplication is not),
    // and the graph of each row. Stops early, leaving a space that is not complete(), when
    // *cancelled turns true.
    RelationSpace(std::vector<double> rows, std::vector<char> exact, QVector<int> graphs, int dim, int raw,
                  const std::atomic<bool> *cancelled = nullptr);

    bool complete() const { return done; }
    int dimension() const { return dim; }
    int nbRows() const { return count; }
    const double *row(int r) const { return values.data() + size_t(r) * size_t(dim); }
    const char *exactRow(int r) const { return exact.data() + size_t(r) * size_t(dim); }
    int graph(int r) const { return graphs[r]; }
    bool searched(int r) const { return isSearched[size_t(r)] != 0; }
    int nbIdentities() const { return int(identities.size()); }

    // Whether the table's columns (the first `raw` of each row) hold exactly these values, bit
    // for bit: the rows of another job of the same search.
    bool sameRows(const double *rawRows, int rows, int width) const;
    bool sameRows(const RelationSpace &other) const;

    // The key of the bound sum coefs[i] x[i] <= offset (coefs as written, times a common scale):
    // dim + 1 numbers, all 0 when the bound has one value on every row searched (an identity
    // itself) or lies so near the identities that the rounding of its coefficients could move
    // its key further than MaxTolerance; none when coefs has another length or no row is
    // searched. *tolerance receives the radius within which keys are candidates for one relation.
    QVector<double> key(const QVector<double> &coefs, double offset, double *tolerance) const;

    // The bound w (one coefficient per column) turned about the identities into the form with the
    // fewest terms, at unit length, among those that take the same values as w, up to a constant,
    // on every row where the form is judged (every row with a value in each of its columns): w
    // has a value on each of those rows and the identities used hold there. w itself when no such
    // form has fewer terms. Confined, w's columns are every one with a coefficient other than 0,
    // however small, and any form that keeps to their rows will do, however many terms it has:
    // for a text that, left without w's least terms, is read on rows w says nothing of.
    QVector<double> sparsest(const QVector<double> &w, bool confined = false) const;

    // Whether the bounds a . x <= offsetA on the rows of sa and b . x <= offsetB on those of sb
    // (the same table's rows: sa.sameRows(sb)) are one relation: on every row searched by both,
    // their slacks (offset minus the left side) agree up to one positive factor within the scale
    // rule.
    static bool sameRelation(const RelationSpace &sa, const QVector<double> &a, double offsetA, const RelationSpace &sb,
                             const QVector<double> &b, double offsetB);

    // v (of the matrix's order) moved towards the kernel of the symmetric positive semi-definite
    // matrix by two steps of inverse iteration with the shift, at unit length: its parts along
    // the other eigenvectors shrink by shift / eigenvalue each step. False, v unchanged, when the
    // shifted matrix is not positive definite.
    static bool towardsKernel(QVector<QVector<double>> matrix, double shift, std::vector<double> &v);

private:
    void findIdentities(const std::atomic<bool> *cancelled);
    // Row r in the rows' units, into z.
    void units(int r, double *z) const;
    // Whether sum a[j] x[j] takes one value on every row searched, within the scale rule of the
    // largest magnitude of its terms on those rows.
    bool holdsOnRows(const std::vector<double> &a) const;

    int dim = 0;
    int raw = 0;
    int count = 0;
    int nbSearched = 0;
    bool done = false;
    std::vector<double> values;
    std::vector<char> exact;
    QVector<int> graphs;
    std::vector<char> isSearched;
    std::vector<double> mean, spread, largest;  // per column, on the rows searched
    std::vector<std::vector<double>> identities;  // orthonormal, in the rows' units
    double reach = 0.0;  // the largest distance of a row searched from the mean, in the rows' units
};

#endif
