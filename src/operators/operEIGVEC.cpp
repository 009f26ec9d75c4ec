#include "operators/operEIGVEC.h"

#include "calculus/Eig.h"
#include "operators/SymmetricMatrix.h"

operEIGVEC::operEIGVEC(bool graphical)
{
    initOperator("EIGENVECTORS",
                 "Eigenvectors (normalized) of the square matrix. Vectors are aranged as column vectors in the "
                 "decreasing order of the corresponding eigenvalues.",
                 "Eigenvectors (normalized) of the square matrix.\n Vectors are aranged as column vectors in the "
                 "decreasing order of the corresponding eigenvalues.",
                 1, graphical);
}

QString operEIGVEC::formula()
{
    return prefixFormula(1);
}

void operEIGVEC::recompute()
{
    if (!argumentsReady(1))
        return;
    QVector<QVector<double>> m;
    QString rowsLabel, colsLabel;
    {
        const Argument a(args[0]);
        QString why = SymmetricMatrix::refusal(args[0], "EIGENVECTORS", "symetric");
        if (why.isEmpty() && !SymmetricMatrix::finite(args[0]))
            why = SymmetricMatrix::nonFinite("EIGENVECTORS");
        if (!why.isEmpty()) {
            fail(why);
            return;
        }
        m = SymmetricMatrix::copy(args[0]);
        rowsLabel = a.rowsLabel();
        colsLabel = a.colsLabel();
    }
    const int n = m.size();
    const Eig eig(m, n);
    if (!eig.ok()) {
        fail(SymmetricMatrix::unsettled("EIGENVECTORS"));
        return;
    }
    const QVector<QVector<double>> vectors = eig.eigvecs();
    setResult("Eigenvectors", n, n, rowsLabel, colsLabel);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            value[i][j] = vectors[i][j];
}
