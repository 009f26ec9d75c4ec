#include "operators/operINERTIA.h"

#include "calculus/Eig.h"
#include "operators/SymmetricMatrix.h"

operINERTIA::operINERTIA(bool graphical)
{
    initOperator("INERTIA",
                 "Inertia of a square symmetric matrix, [number of negative eigenvalues, number of zero "
                 "eigenvalues, number of positive eigenvalues].",
                 "Inertia of a square symmetric matrix.\n Number of negative eigenvalues, number of zero "
                 "eigenvalues, number of positive eigenvalues.",
                 1, graphical);
}

QString operINERTIA::formula()
{
    return prefixFormula(1);
}

void operINERTIA::recompute()
{
    if (!argumentsReady(1))
        return;
    QString why;
    const std::unique_ptr<Eig> eig = SymmetricMatrix::decompose(args[0], "INERTIA", why);
    if (!eig) {
        fail(why);
        return;
    }
    int negative = 0, zero = 0, positive = 0;
    for (double e : eig->eigvals()) {
        if (e > 1e-6)
            ++positive;
        else if (e < -1e-6)
            ++negative;
        else
            ++zero;
    }
    // The matrix stays in the storage around the three counts, which readers of the whole
    // storage have always found there.
    {
        const Argument a(args[0]);
        const int n = a.rows();
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                value[i][j] = a.at(i, j);
    }
    setResult("Inertia", 1, 3, QStringLiteral("1"), QStringLiteral("3"));
    value[0][0] = negative;
    value[0][1] = zero;
    value[0][2] = positive;
}
