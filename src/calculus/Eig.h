#ifndef EIG_H
#define EIG_H

#include <QString>
#include <QVector>

// Eigenvalues and eigenvectors of a real symmetric matrix by Jacobi plane rotations, each
// zeroing the off-diagonal entry of largest magnitude. Eigenvalues come largest first;
// eigenvector k is column k of the eigenvector matrix.
//
// Everything is computed in the constructor. A matrix with a NaN or infinite entry, one
// smaller than the order asked for, or one whose rotations do not settle within a fixed
// budget ends the decomposition: ok() is then false, errorText() says why, and every
// eigenvalue and eigenvector entry is NaN so that nothing downstream mistakes it for a result.
class Eig
{
public:
    Eig(QVector<QVector<double>> matrix, int n);
    ~Eig();

    QVector<double> eigvals() const { return values; }
    QVector<QVector<double>> eigvecs() const;
    QVector<double> eigvec(int i) const;

    bool ok() const { return errorMessage.isEmpty(); }
    QString errorText() const { return errorMessage; }

private:
    void decompose(const QVector<QVector<double>> &matrix);
    void fail(const QString &why);

    QVector<double> values;
    // Kept transposed: row k of this n x n block is eigenvector k, so rotations and column
    // swaps touch contiguous memory.
    QVector<double> vectorsT;
    int order;
    QString errorMessage;
};

#endif
