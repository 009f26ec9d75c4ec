#include "operators/operNBEQ.h"

#include <cmath>

operNBEQ::operNBEQ(bool graphical)
{
    initOperator("NBEQ",
                 "Frequency of a given value in the vector or matrix provided as first argument args=[matrix or "
                 "vector,value (default=0),epsilon (default=1e-6)].",
                 "Frequency of a given value in the vector or matrix provided as first argument. Args=[matrix or "
                 "vector,value (default=0),epsilon (default=1e-6)].",
                 3, graphical);
}

QString operNBEQ::formula()
{
    return prefixFormula(1);
}

void operNBEQ::recompute()
{
    // An empty argument 1 counts nothing; it is not an error.
    if (!argumentsReady(1, MissingArguments, false))
        return;
    const double v = numberArgument(2, 0.0);
    const double eps = numberArgument(3, 1e-6);
    setSingleResult(name);
    double count = 0.0;
    Argument(args[0]).forEach([&](double x) {
        if (std::fabs(x - v) < eps)
            count += 1.0;
    });
    value[0][0] = count;
}
