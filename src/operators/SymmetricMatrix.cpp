#include "operators/SymmetricMatrix.h"

#include "calculus/Calculus.h"
#include "calculus/Eig.h"

#include <QMutexLocker>
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

std::unique_ptr<Eig> SymmetricMatrix::decompose(Calculus *a, const QString &prefix, QString &why)
{
    QVector<QVector<double>> m;
    {
        QMutexLocker locker(&a->getValueLock());
        why = refusal(a, prefix, QStringLiteral("symetric"));
        if (why.isEmpty() && !finite(a))
            why = nonFinite(prefix);
        if (!why.isEmpty())
            return nullptr;
        const int n = a->getNbRows();
        m = QVector<QVector<double>>(n, QVector<double>(n));
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                m[i][j] = a->entry(i, j);
    }
    std::unique_ptr<Eig> eig(new Eig(m, m.size()));
    if (!eig->ok()) {
        why = prefix + QStringLiteral(" decomposition failed");
        return nullptr;
    }
    return eig;
}
