#include "operators/operVAR.h"

operVAR::operVAR(bool graphical)
{
    initOperator("VAR", "Variance of a vector or matrix.", 1, graphical);
}

QString operVAR::formula()
{
    return prefixFormula(1);
}

void operVAR::recompute()
{
    if (!argumentsReady(1))
        return;
    setSingleResult(name);
    const Argument a(args[0]);
    const double count = double(a.rows() * a.cols());
    // Each entry is divided before it is added, which keeps large entries from overflowing.
    double mean = 0.0;
    a.forEach([&](double x) { mean += x / count; });
    double q = 0.0;
    a.forEach([&](double x) { q += (x - mean) * (x - mean); });
    value[0][0] = q / count;
}
