#include "operators/operIFGE.h"

#include "operators/ValueBlock.h"

operIFGE::operIFGE(bool graphical)
{
    initOperator("IFGE",
                 "If the first argument is larger or equal to the second (term by term, of same dimension). "
                 "Returns the third value, vector or matrix. Otherwise the fourth value, vector or matrix is "
                 "returned.",
                 "If the first argument is larger or equal to the second (term by term, of same dimension).\n "
                 "returns the third value, vector or matrix.\n Otherwise the fourth value, vector or matrix is "
                 "returned.",
                 4, graphical);
}

QString operIFGE::formula()
{
    return prefixFormula(4);
}

void operIFGE::recompute()
{
    // A missing argument keeps the labels of the last value.
    if (!argumentsReady(4, MissingArguments, false, true))
        return;
    for (const Calculus *a : args)
        if (a->getNbRows() <= 0 || a->getNbCols() <= 0) {
            fail(ArgumentError);
            return;
        }
    Calculus *a1 = args[0], *a2 = args[1], *a3 = args[2], *a4 = args[3];
    const int r = a3->getNbRows(), c = a3->getNbCols();
    // The comparison reads arguments 1 and 2 over argument 3's shape: smaller ones would be read
    // outside their value.
    if (a1->getNbRows() != a2->getNbRows() || a1->getNbCols() != a2->getNbCols() || r != a4->getNbRows()
        || c != a4->getNbCols() || a1->getNbRows() < r || a1->getNbCols() < c) {
        fail(QStringLiteral("ARG SIZE ERROR"));
        return;
    }
    setResult(name, r, c, a3->getSRows(), a3->getSCols());
    bool chooseThird[MaxSize][MaxSize];
    {
        const ValueBlock first(args[0]);
        const Argument second(args[1]);
        for (int i = 0; i < r; ++i)
            for (int j = 0; j < c; ++j)
                chooseThird[i][j] = first.at(i, j) >= second.at(i, j) + (-1e-6);
    }
    for (int k = 3; k <= 4; ++k) {
        const Argument choice(args[k - 1]);
        for (int i = 0; i < r; ++i)
            for (int j = 0; j < c; ++j)
                if (chooseThird[i][j] == (k == 3))
                    value[i][j] = choice.at(i, j);
    }
}
