#include "operators/operNBVALUES.h"

#include <cmath>

operNBVALUES::operNBVALUES(bool graphical)
{
    initOperator("NBVALUES", "Number of different values in a vector/matrix.", 1, graphical);
}

QString operNBVALUES::formula()
{
    return prefixFormula(1);
}

namespace {
// Small non-negative integers (distances, degrees, counts) are looked up in a table rather
// than against every value kept so far; other entries take the plain scan.
constexpr int IntegerRange = 1024;
} // namespace

void operNBVALUES::recompute()
{
    if (!argumentsReady(1))
        return;
    setSingleResult(name);
    // Values kept so far, first-visited members of their groups; a 32 x 32 argument keeps at
    // most 1024.
    double kept[MaxSize * MaxSize];
    int count = 0;
    // near[k]: a kept value lies within 1e-6 of the integer k. No two integers can share
    // one, so for an integer entry near[k] answers exactly what the scan would.
    bool near[IntegerRange] = {};
    auto keep = [&](double x) {
        kept[count++] = x;
        if (x > -1.0 && x < IntegerRange + 1.0) {
            const double k = std::nearbyint(x);
            if (k >= 0.0 && k < IntegerRange && std::fabs(x - k) < 1e-6)
                near[int(k)] = true;
        }
    };
    Argument(args[0]).forEach([&](double x) {
        if (x >= 0.0 && x < IntegerRange) {
            const int k = int(x);
            if (k == x) {
                if (!near[k])
                    keep(x);
                return;
            }
        }
        // NaN and infinities never match (their difference is NaN), so each is kept.
        for (int t = 0; t < count; ++t)
            if (std::fabs(kept[t] - x) < 1e-6)
                return;
        keep(x);
    });
    value[0][0] = count;
}
