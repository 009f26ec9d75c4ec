#ifndef SYMMETRICMATRIX_H
#define SYMMETRICMATRIX_H

#include <QString>
#include <QVector>

#include <memory>

class Calculus;
class Eig;

// The argument checks shared by the operators that read one square symmetric matrix
// (eigen-decomposition, determinant, inertia, Cholesky factor, Laplacian).
class SymmetricMatrix
{
public:
    // Why the argument is not a square symmetric matrix of order 2 or more, in the order the
    // checks are made, or an empty text when it is one:
    //   "<prefix> needs a square matrix", "<prefix> needs a matrix as argument" (1 x 1),
    //   "<prefix> needs a <symmetricWord> matrix" (a mirror pair more than 1e-6 apart).
    // A pair whose difference is not a number passes the symmetry test; finite() catches it.
    // The caller holds the argument's value lock.
    static QString refusal(const Calculus *a, const QString &prefix, const QString &symmetricWord);
    // Every entry of the argument's square block is a finite number (value lock held).
    static bool finite(const Calculus *a);
    static QString nonFinite(const QString &prefix) { return prefix + QStringLiteral(" needs finite entries"); }

    // The decomposition of a present, non-empty argument, taken under its value lock and
    // decomposed after it: null, with `why` set, when refusal() gives a text, when an entry
    // is not finite ("<prefix> needs finite entries") or when the rotations gave no numbers
    // ("<prefix> decomposition failed": finite entries near the largest double overflow).
    static std::unique_ptr<Eig> decompose(Calculus *a, const QString &prefix, QString &why);
};

#endif
