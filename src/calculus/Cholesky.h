#ifndef CHOLESKY_H
#define CHOLESKY_H

#include <QVector>

// The lower-triangular factor L of a symmetric positive definite matrix A = L L^T. Only the
// diagonal and the lower triangle of the input are read. A matrix that is not positive
// definite (a pivot that is not a positive finite number, NaN included) or that is smaller
// than the order asked for gives succeeded() false and a factor of zeros.
class Cholesky
{
public:
    Cholesky(QVector<QVector<double>> matrix, int n);

    QVector<QVector<double>> q() const { return factor; }
    bool succeeded() const { return success; }

private:
    QVector<QVector<double>> factor;
    bool success = true;
};

#endif
