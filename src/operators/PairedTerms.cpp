#include "operators/PairedTerms.h"

QString PairedTerms::formula()
{
    return prefixFormula(2);
}

void PairedTerms::copyArgument(int k, double out[MaxSize][MaxSize]) const
{
    const Argument a(args[k - 1]);
    const int r = a.rows(), c = a.cols();
    for (int i = 0; i < r; ++i)
        for (int j = 0; j < c; ++j)
            out[i][j] = a.at(i, j);
}
