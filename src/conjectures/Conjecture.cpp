#include "conjectures/Conjecture.h"

#include <cmath>

namespace {
constexpr double Tolerance = 1e-6;
}

Conjecture::Conjecture(const QString &formula, const QVector<double> &coefs, double offset, int touching,
                       double sumErr, const QVector<int> &support)
    : formula(formula), touching(touching), sumErr(sumErr), coefs(coefs), offset(offset), support(support)
{
}

Conjecture::Conjecture(const Conjecture *other)
{
    if (other)
        *this = *other;
}

bool Conjecture::operator<(const Conjecture &other) const
{
    if (touching != other.touching)
        return touching < other.touching;
    // A NaN error makes this false, as it should: nothing is known to be weaker.
    return sumErr >= other.sumErr + Tolerance;
}

bool Conjecture::operator==(const Conjecture &other) const
{
    if (!(std::fabs(double(touching) - double(other.touching)) <= Tolerance))
        return false;
    if (!(std::fabs(sumErr - other.sumErr) <= Tolerance))
        return false;
    if (coefs.size() != other.coefs.size())
        return false;
    for (int i = 0; i < coefs.size(); ++i)
        if (!(std::fabs(coefs[i] - other.coefs[i]) <= Tolerance))
            return false;
    return true;
}
