#include "operators/operDETERMINANT.h"

#include "calculus/Eig.h"
#include "operators/SymmetricMatrix.h"

#include <cmath>

operDETERMINANT::operDETERMINANT(bool graphical)
{
    initOperator("DETERMINANT", "Determinant of the square symmetric matrix.", 1, graphical);
}

QString operDETERMINANT::formula()
{
    return prefixFormula(1);
}

void operDETERMINANT::recompute()
{
    if (!argumentsReady(1))
        return;
    QString why;
    const std::unique_ptr<Eig> eig = SymmetricMatrix::decompose(args[0], "DETERMINANT", why);
    if (!eig) {
        fail(why);
        return;
    }
    // The zero tests come before each factor, so a product may end below 1e-6 unforced
    // (1e-4 x 1e-4) while a third factor after it would be taken as 0.
    double p = 1.0;
    for (double e : eig->eigvals()) {
        if (std::fabs(e) < 1e-6 || std::fabs(p) < 1e-6)
            p = 0.0;
        p = e * p;
    }
    setSingleResult("DETERMINANT");
    value[0][0] = p;
}
