#include "operators/operLAPLACIANOF.h"

#include "operators/SymmetricMatrix.h"

operLAPLACIANOF::operLAPLACIANOF(bool graphical)
{
    initOperator("LAPLACIANOF",
                 "Laplacian matrix from a symmetric matrix $M$. $L=D-M$ where $D$ is a matrix whose diagonal term "
                 "$d_i=\\sum_{j=1}^n m_{ij}$.",
                 "Laplacian matrix from a symmetric matrix M.\n L=D-M where D is a matrix whose diagonal term di is "
                 "the sum of the elements of its row.",
                 1, graphical);
}

QString operLAPLACIANOF::formula()
{
    return prefixFormula(1);
}

void operLAPLACIANOF::recompute()
{
    if (!argumentsReady(1))
        return;
    const Argument a(args[0]);
    QString why = SymmetricMatrix::refusal(args[0], "LAPLACIANOF", "symetric");
    if (why.isEmpty() && !SymmetricMatrix::finite(args[0]))
        why = SymmetricMatrix::nonFinite("LAPLACIANOF");
    if (!why.isEmpty()) {
        fail(why);
        return;
    }
    const int n = a.rows();
    setResult("LaplacianOf", n, n, a.rowsLabel(), a.rowsLabel());
    // Within the tolerance the mirror entries may differ; each keeps its own value and each
    // diagonal entry sums its own row, in column order.
    for (int i = 0; i < n; ++i) {
        double *out = value[i].data();
        double degree = 0.0;
        for (int j = 0; j < n; ++j) {
            out[j] = -a.at(i, j);
            if (j != i)
                degree += a.at(i, j);
        }
        out[i] = degree;
    }
}
