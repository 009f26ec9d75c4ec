#ifndef RELATIONSPACE_H
#define RELATIONSPACE_H

#include <QVector>
#include <vector>

// The rows a conjecture search works on, as they tell relations apart. Rows that satisfy an
// identity (twice SIZE is the sum of the degrees) lie in a smaller space, in which a bound can
// be tilted about the identity without changing its value on any row: such copies are one
// relation. The key of a bound removes that freedom: its coefficients in the rows' own units
// (each column centred and divided by its spread), with their parts along the identities
// removed, divided by what is left, and the constant these give on the rows' mean.
//
// Two bounds whose keys agree within the sum of their tolerances take the same values on every
// row, up to a positive factor, within what six written digits of their coefficients can tell.
// A bound found turned about an identity is best written in its form with the fewest terms
// (sparsest()), which every turned copy shares.
class RelationSpace
{
public:
    // A coefficient's tolerance is capped here: beyond it a bound is almost all identity, and
    // its written digits say too little of the rest to tell it from its neighbours.
    static constexpr double MaxTolerance = 1e-3;

    RelationSpace() = default;
    // count rows of dim values each, row after row, all finite.
    RelationSpace(const std::vector<double> &rows, int count, int dim);

    int dimension() const { return dim; }
    int nbIdentities() const { return int(identities.size()); }

    // The key of the bound sum coefs[i] x[i] <= offset (coefs as written, times a common scale):
    // dim + 1 numbers, all 0 when the bound has one value on every row (it is an identity
    // itself); none when coefs has another length or there are no rows. *tolerance receives how
    // far each number may be off through the rounding of the written coefficients.
    QVector<double> key(const QVector<double> &coefs, double offset, double *tolerance) const;

    // The bound w (one coefficient per column) turned about the identities of the rows into the
    // form with the fewest terms, at unit length: on every row it differs from w by a constant.
    // w itself when no form has fewer terms, when it is an identity, or when there are none.
    QVector<double> sparsest(const QVector<double> &w) const;

    // v (of the matrix's order) moved towards the kernel of the symmetric positive semi-definite
    // matrix by two steps of inverse iteration with the shift, at unit length: its parts along
    // the other eigenvectors shrink by shift / eigenvalue each step. False, v unchanged, when the
    // shifted matrix is not positive definite.
    static bool towardsKernel(QVector<QVector<double>> matrix, double shift, std::vector<double> &v);

    // Whether two keys are one relation.
    static bool same(const QVector<double> &a, double toleranceA, const QVector<double> &b, double toleranceB);

private:
    int dim = 0;
    std::vector<double> mean, spread, largest;  // per column; largest: the largest magnitude
    std::vector<std::vector<double>> identities;  // orthonormal, in the rows' units
    double reach = 0.0;  // the largest distance of a row from the mean, in the rows' units
};

#endif
