#ifndef SYMMETRICMATRIX_H
#define SYMMETRICMATRIX_H

#include <QString>
#include <QVector>

class Calculus;

// The argument checks and the copy shared by the operators that read one square symmetric
// matrix (eigen-decomposition, determinant, inertia, Cholesky factor, Laplacian). Every
// function reads the argument's storage: the caller holds the argument's value lock.
class SymmetricMatrix
{
public:
    // Why the argument is not a square symmetric matrix of order 2 or more, in the order the
    // checks are made, or an empty text when it is one:
    //   "<prefix> needs a square matrix", "<prefix> needs a matrix as argument" (1 x 1),
    //   "<prefix> needs a <symmetricWord> matrix" (a mirror pair more than 1e-6 apart).
    // A pair whose difference is not a number passes the symmetry test; finite() catches it.
    static QString refusal(const Calculus *a, const QString &prefix, const QString &symmetricWord);
    // Every entry of the argument's square block is a finite number.
    static bool finite(const Calculus *a);
    // The argument's square block, row by row.
    static QVector<QVector<double>> copy(const Calculus *a);

    // The refusals of input no decomposition can take.
    static QString nonFinite(const QString &prefix) { return prefix + QStringLiteral(" needs finite entries"); }
    // A decomposition that gave no numbers: rotations that overflowed or never settled.
    static QString unsettled(const QString &prefix) { return prefix + QStringLiteral(" decomposition failed"); }
};

#endif
