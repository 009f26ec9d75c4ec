#include "conjectures/Conjecture.h"

#include "conjectures/RelationSpace.h"

#include <algorithm>
#include <cmath>

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
    // A NaN error makes this false, as it should: nothing is known to be weaker. Written as a
    // difference: past 1e10 adding 1e-6 is lost to rounding, and two equal errors would each be
    // less than the other, which keeps a sort by neighbour exchanges going for ever.
    return sumErr - other.sumErr >= Tolerance;
}

namespace {

double length(const QVector<double> &v)
{
    double s = 0.0;
    for (double a : v)
        s += a * a;
    return std::sqrt(s);
}

// Within 1e-6 of the larger magnitude, and absolutely below 1; false with a NaN.
bool nearRelative(double a, double b)
{
    return std::fabs(a - b) <= Conjecture::Tolerance * std::max({1.0, std::fabs(a), std::fabs(b)});
}

// Coefficient vectors of one length, each divided by its own length (a zero vector as it is),
// within the tolerance entry by entry.
bool sameDirection(const QVector<double> &a, const QVector<double> &b, double la, double lb,
                   double tolerance = Conjecture::Tolerance)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i)
        if (!(std::fabs(a[i] / la - b[i] / lb) <= tolerance))
            return false;
    return true;
}

double orOne(double v)
{
    return v > 0.0 ? v : 1.0;
}

} // namespace

bool Conjecture::operator==(const Conjecture &other) const
{
    if (!(std::fabs(double(touching) - double(other.touching)) <= Tolerance))
        return false;
    // Error sums run into the thousands, where rounding alone moves them by more than 1e-6.
    if (!nearRelative(sumErr, other.sumErr))
        return false;
    return sameDirection(coefs, other.coefs, orOne(length(coefs)), orOne(length(other.coefs)));
}

bool Conjecture::sameBound(const Conjecture &other) const
{
    const double la = orOne(length(coefs)), lb = orOne(length(other.coefs));
    return sameDirection(coefs, other.coefs, la, lb, SameRelation) &&
           std::fabs(offset / la - other.offset / lb) <= SameRelation;
}

QVector<double> Conjecture::direction() const
{
    const double l = orOne(length(coefs));
    QVector<double> v(coefs.size());
    for (int i = 0; i < coefs.size(); ++i)
        v[i] = coefs[i] / l;
    return v;
}

int Conjecture::termCount() const
{
    int n = offset != 0.0 ? 1 : 0;
    for (double a : coefs)
        n += a != 0.0 ? 1 : 0;
    return n;
}

void Conjecture::setKey(const QVector<double> &relationKey, double tolerance, std::shared_ptr<const RelationSpace> space)
{
    key = relationKey;
    keyTolerance = tolerance;
    rows = std::move(space);
}

bool Conjecture::sameOnRows(const Conjecture &other) const
{
    return rows && other.rows && rows->sameRows(*other.rows) &&
           RelationSpace::sameRelation(*rows, coefs, offset, *other.rows, other.coefs, other.offset);
}
