#ifndef SYMMETRICEIGENVALUES_H
#define SYMMETRICEIGENVALUES_H

#include <QString>
#include <QVector>

// The eigenvalues alone of a real symmetric matrix, largest first: Householder reduction to
// tridiagonal form, then implicit QL steps with Wilkinson shifts. Several times faster than
// Eig's Jacobi rotations, for the items whose results never show an eigenvector.
//
// The outcome is Eig's wherever the two could differ: a matrix smaller than its order or
// with a non-finite entry, one that is not exactly symmetric, one with entries near the largest
// double, and one whose QL steps do not settle within their cap or leave a non-finite value
// are all handed to Eig itself, so every failure and its text stay those of Eig.
class SymmetricEigenvalues
{
public:
    SymmetricEigenvalues(const QVector<QVector<double>> &matrix, int n);

    QVector<double> eigvals() const { return values; }
    bool ok() const { return errorMessage.isEmpty(); }
    QString errorText() const { return errorMessage; }

    // The core on an exactly symmetric n x n row-major block a (overwritten), n <= 32: the
    // eigenvalues, largest first, into out[0..n-1]. False when the steps did not settle or
    // gave a non-finite value; out is then unspecified.
    static bool compute(double *a, int n, double *out);

private:
    QVector<double> values;
    QString errorMessage;
};

#endif
