#include "operators/operEIG.h"

#include "calculus/Eig.h"
#include "operators/SymmetricMatrix.h"

operEIG::operEIG(bool graphical)
{
    initOperator("EIGENVALUES", "Eigenvalues of the square symmetric matrix.", 1, graphical);
}

QString operEIG::formula()
{
    return prefixFormula(1);
}

void operEIG::recompute()
{
    if (!argumentsReady(1))
        return;
    QVector<QVector<double>> m;
    QString rowsLabel;
    {
        const Argument a(args[0]);
        QString why = SymmetricMatrix::refusal(args[0], "EIG", "symetric");
        if (why.isEmpty() && !SymmetricMatrix::finite(args[0]))
            why = SymmetricMatrix::nonFinite("EIG");
        if (!why.isEmpty()) {
            fail(why);
            return;
        }
        m = SymmetricMatrix::copy(args[0]);
        rowsLabel = a.rowsLabel();
    }
    const int n = m.size();
    const Eig eig(m, n);
    // Entries near the largest double overflow in the rotations; NaN results are no value.
    if (!eig.ok()) {
        fail(SymmetricMatrix::unsettled("EIG"));
        return;
    }
    const QVector<double> values = eig.eigvals();
    setResult("Eigenvalues", n, 1, rowsLabel, QStringLiteral("1"));
    for (int i = 0; i < n; ++i)
        value[i][0] = values[i];
}
