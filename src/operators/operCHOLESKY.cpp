#include "operators/operCHOLESKY.h"

#include "calculus/Cholesky.h"
#include "operators/SymmetricMatrix.h"

operCHOLESKY::operCHOLESKY(bool graphical)
{
    initOperator("CHOLESKY", "Cholesky decomposition (of a square matrix with non negative entries).", 1,
                 graphical);
}

QString operCHOLESKY::formula()
{
    return prefixFormula(1);
}

void operCHOLESKY::recompute()
{
    if (!argumentsReady(1))
        return;
    int n;
    bool finite;
    {
        const Argument a(args[0]);
        const QString why = SymmetricMatrix::refusal(args[0], "CHOLESKY", "simmetric");
        if (!why.isEmpty()) {
            fail(why);
            return;
        }
        n = a.rows();
        finite = SymmetricMatrix::finite(args[0]);
        setResult("Cholesky", n, n, a.rowsLabel(), a.colsLabel());
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                value[i][j] = a.at(i, j);
    }
    // A non-finite entry has no factor, even above the diagonal, which the factorisation
    // never reads; the argument's entries stay in the storage after the refusal.
    const Cholesky factor(value, n);
    if (!finite || !factor.succeeded()) {
        fail("CHOLESKY matrix not positive definite");
        return;
    }
    const QVector<QVector<double>> l = factor.q();
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            value[i][j] = l[i][j];
}
