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
    QString why;
    const std::unique_ptr<Eig> eig = SymmetricMatrix::decompose(args[0], "EIG", why);
    if (!eig) {
        fail(why);
        return;
    }
    const QVector<double> values = eig->eigvals();
    setResult("Eigenvalues", values.size(), 1, args[0]->getSRows(), QStringLiteral("1"));
    for (int i = 0; i < values.size(); ++i)
        value[i][0] = values[i];
}
