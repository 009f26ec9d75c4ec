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
    QString why;
    const std::unique_ptr<Eig> eig = SymmetricMatrix::decompose(args[0], "EIGENVECTORS", why);
    if (!eig) {
        fail(why);
        return;
    }
    const QVector<QVector<double>> vectors = eig->eigvecs();
    const int n = vectors.size();
    setResult("Eigenvectors", n, n, args[0]->getSRows(), args[0]->getSCols());
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            value[i][j] = vectors[i][j];
}
