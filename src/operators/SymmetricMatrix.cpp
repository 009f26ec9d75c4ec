#include "operators/SymmetricMatrix.h"

#include "calculus/Calculus.h"

#include <cmath>

QString SymmetricMatrix::refusal(const Calculus *a, const QString &prefix, const QString &symmetricWord)
{
    const int n = a->getNbRows();
    if (a->getNbCols() != n)
        return prefix + QStringLiteral(" needs a square matrix");
    if (n == 1)
        return prefix + QStringLiteral(" needs a matrix as argument");
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            if (std::fabs(a->entry(i, j) - a->entry(j, i)) > 1e-6)
                return prefix + QStringLiteral(" needs a ") + symmetricWord + QStringLiteral(" matrix");
    return QString();
}

bool SymmetricMatrix::finite(const Calculus *a)
{
    const int n = a->getNbRows();
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            if (!std::isfinite(a->entry(i, j)))
                return false;
    return true;
}

QVector<QVector<double>> SymmetricMatrix::copy(const Calculus *a)
{
    const int n = a->getNbRows();
    QVector<QVector<double>> m(n, QVector<double>(n));
    for (int i = 0; i < n; ++i) {
        double *row = m[i].data();
        for (int j = 0; j < n; ++j)
            row[j] = a->entry(i, j);
    }
    return m;
}
