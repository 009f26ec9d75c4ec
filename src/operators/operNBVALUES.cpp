#include "operators/operNBVALUES.h"

#include "graph/Adjacency.h"

#include <cmath>
#include <cstdint>
#include <cstring>

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
constexpr double Shift = 4503599627370496.0; // 2^52
constexpr std::uint64_t ShiftBits = 0x4330000000000000u;

std::uint64_t bitsOf(double x)
{
    std::uint64_t b;
    std::memcpy(&b, &x, sizeof b);
    return b;
}
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
    // Bit k of near: a kept value lies within 1e-6 of the integer k. No two integers can
    // share one, so for an integer entry the bit answers exactly what the scan would.
    std::uint32_t near[IntegerRange / 32] = {};
    auto keep = [&](double x) {
        kept[count++] = x;
        if (x > -1.0 && x < IntegerRange + 1.0) {
            const double k = std::nearbyint(x);
            if (k >= 0.0 && k < IntegerRange && std::fabs(x - k) < 1e-6)
                near[int(k) >> 5] |= adjacency::bit(int(k) & 31);
        }
    };
    const Argument a(args[0]);
    const int r = a.rows(), c = a.cols();
    for (int i = 0; i < r; ++i)
        for (int j = 0; j < c; ++j) {
            const double x = a.at(i, j);
            // Adding 2^52 rounds a number of [0, 2^52) to an integer held in the low bits;
            // the difference of bit patterns is that integer, and is below the table's
            // range only for such a number (not for negatives, infinities or NaN).
            const double shifted = x + Shift;
            const std::uint64_t k = bitsOf(shifted) - ShiftBits;
            if (k < IntegerRange && shifted - Shift == x) {
                if (!adjacency::has(near[k >> 5], k & 31))
                    keep(x);
                continue;
            }
            // NaN and infinities never match (their difference is NaN), so each is kept.
            bool repeat = false;
            for (int t = 0; t < count && !repeat; ++t)
                repeat = std::fabs(kept[t] - x) < 1e-6;
            if (!repeat)
                keep(x);
        }
    value[0][0] = count;
}
