#include "operators/operSUMGE.h"

operSUMGE::operSUMGE(bool graphical)
{
    initOperator("SUMGE",
                 "Summation of the terms of a matrix that are greater than or equal to the second argument. By "
                 "default, the value of the second argument is 0.",
                 "Summation of the terms of a matrix that are greater than or equal to the second argument.\n By "
                 "default, the value of the second argument is 0.",
                 2, graphical);
}

// The threshold shows in the formula although the computation has a default for it.
QString operSUMGE::formula()
{
    return prefixFormula(2);
}

void operSUMGE::recompute()
{
    // An empty argument 1 sums to 0; it is not an error.
    if (!argumentsReady(1, MissingArguments, false))
        return;
    const double threshold = numberArgument(2, 0.0) - 1e-6;
    setSingleResult(name);
    double s = 0.0;
    Argument(args[0]).forEach([&](double x) {
        if (x >= threshold)
            s += x;
    });
    value[0][0] = s;
}
