#include "conjectures/RelationSpace.h"

#include "calculus/Eig.h"

#include <algorithm>
#include <cmath>

namespace {

// Written with six significant digits, a coefficient is off by at most half a unit in its
// sixth digit; one of magnitude 1e-6 or less (on the scale of a unit normal) is left out.
constexpr double Rounding = 5e-6;
constexpr double LeftOut = 1e-6;
// The constant keeps its extreme row tight within this much of the row's terms.
constexpr double ConstantRounding = 1e-9;
// The eigen-decomposition settles to an absolute 1e-6 off the diagonal: the correlations are
// scaled up so that this is far below anything an identity could hide.
constexpr double GramScale = 1e6;
// A direction is an identity when no row strays from it by more than this, in the rows' units
// (per unit of distance from the mean): only what holds as exactly as doubles can tell.
constexpr double IdentitySlack = 1e-7;

double dot(const double *a, const double *b, int n)
{
    double s = 0.0;
    for (int i = 0; i < n; ++i)
        s += a[i] * b[i];
    return s;
}

} // namespace

RelationSpace::RelationSpace(const std::vector<double> &rows, int count, int dimension)
{
    if (count <= 0 || dimension <= 0 || rows.size() < size_t(count) * size_t(dimension))
        return;
    dim = dimension;
    const size_t n = size_t(dim);
    mean.assign(n, 0.0);
    spread.assign(n, 0.0);
    largest.assign(n, 0.0);
    for (int r = 0; r < count; ++r)
        for (size_t j = 0; j < n; ++j) {
            const double v = rows[size_t(r) * n + j];
            mean[j] += v;
            largest[j] = std::max(largest[j], std::fabs(v));
        }
    for (size_t j = 0; j < n; ++j)
        mean[j] /= count;
    std::vector<double> z(size_t(count) * n);
    for (int r = 0; r < count; ++r)
        for (size_t j = 0; j < n; ++j) {
            const double d = rows[size_t(r) * n + j] - mean[j];
            z[size_t(r) * n + j] = d;
            spread[j] += d * d;
        }
    // A column with one value is a unit of its own: centred, it is 0 on every row, and so an
    // identity.
    for (size_t j = 0; j < n; ++j) {
        spread[j] = std::sqrt(spread[j] / count);
        if (!(spread[j] > 0.0))
            spread[j] = 1.0;
    }
    for (int r = 0; r < count; ++r) {
        double *row = z.data() + size_t(r) * n;
        double length = 0.0;
        for (size_t j = 0; j < n; ++j) {
            row[j] /= spread[j];
            length += row[j] * row[j];
        }
        reach = std::max(reach, std::sqrt(length));
    }

    QVector<QVector<double>> gram(dim, QVector<double>(dim, 0.0));
    for (int a = 0; a < dim; ++a)
        for (int b = a; b < dim; ++b) {
            double s = 0.0;
            for (int r = 0; r < count; ++r)
                s += z[size_t(r) * n + size_t(a)] * z[size_t(r) * n + size_t(b)];
            gram[a][b] = gram[b][a] = s / count * GramScale;
        }
    const Eig eig(gram, dim);
    if (!eig.ok())
        return;
    const QVector<double> values = eig.eigvals();
    for (int k = dim - 1; k >= 0; --k) {
        // The spread of the rows along the direction, squared, in the rows' units.
        if (!(values[k] / GramScale <= IdentitySlack * IdentitySlack))
            break;
        const QVector<double> v = eig.eigvec(k);
        bool holds = true;
        for (int r = 0; r < count && holds; ++r)
            holds = std::fabs(dot(z.data() + size_t(r) * n, v.constData(), dim)) <= IdentitySlack * (1.0 + reach);
        if (holds)
            identities.emplace_back(v.begin(), v.end());
    }
}

QVector<double> RelationSpace::key(const QVector<double> &coefs, double offset, double *tolerance) const
{
    *tolerance = 0.0;
    if (dim == 0 || coefs.size() != dim)
        return {};
    std::vector<double> a(static_cast<size_t>(dim));
    double written = 0.0, units = 0.0, coefLength = 0.0, magnitude = std::fabs(offset), level = offset;
    for (int j = 0; j < dim; ++j) {
        a[size_t(j)] = coefs[j] * spread[size_t(j)];
        written += a[size_t(j)] * a[size_t(j)];
        units += spread[size_t(j)] * spread[size_t(j)];
        coefLength += coefs[j] * coefs[j];
        magnitude += std::fabs(coefs[j]) * largest[size_t(j)];
        level -= coefs[j] * mean[size_t(j)];
    }
    written = std::sqrt(written);
    for (const std::vector<double> &v : identities) {
        const double t = dot(v.data(), a.data(), dim);
        for (int j = 0; j < dim; ++j)
            a[size_t(j)] -= t * v[size_t(j)];
    }
    const double left = std::sqrt(dot(a.data(), a.data(), dim));
    // Nothing but identity: the bound has one value on every row, on which it is tight. All such
    // bounds are one relation here.
    if (!(left > 1e-9 * written))
        return std::isfinite(left) ? QVector<double>(dim + 1, 0.0) : QVector<double>();
    QVector<double> k(dim + 1);
    for (int j = 0; j < dim; ++j)
        k[j] = a[size_t(j)] / left;
    k[dim] = level / (left * (1.0 + reach));
    // The written coefficients' rounding moves the direction by at most twice its share of what
    // is left, and the constant, the largest value of the written side over the rows, by as much
    // per unit of distance from the mean; plus the constant's own rounding.
    const double rounding = 2.0 * (Rounding * written + LeftOut * std::sqrt(coefLength * units)) / left;
    *tolerance = std::min(MaxTolerance, rounding) + ConstantRounding * magnitude / (left * (1.0 + reach));
    if (!std::isfinite(*tolerance) || !std::isfinite(k[dim]))
        return {};
    return k;
}

bool RelationSpace::same(const QVector<double> &a, double toleranceA, const QVector<double> &b, double toleranceB)
{
    if (a.isEmpty() || a.size() != b.size())
        return false;
    const double within = toleranceA + toleranceB;
    for (int i = 0; i < a.size(); ++i)
        if (!(std::fabs(a[i] - b[i]) <= within))
            return false;
    return true;
}
