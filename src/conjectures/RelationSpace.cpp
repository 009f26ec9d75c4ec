#include "conjectures/RelationSpace.h"

#include "calculus/Cholesky.h"
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
// Added to the correlations' diagonal for the inverse iteration: far below any spread that is
// not an identity's.
constexpr double NearZero = 1e-12;
// Choices of columns tried for the form of a bound with the fewest terms.
constexpr double MaxChoices = 4096;

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
    for (int r = 0; r < count; ++r)
        for (size_t j = 0; j < n; ++j) {
            const double d = rows[size_t(r) * n + j] - mean[j];
            spread[j] += d * d;
        }
    // A column with one value is a unit of its own: centred, it is 0 on every row, and so an
    // identity.
    for (size_t j = 0; j < n; ++j) {
        spread[j] = std::sqrt(spread[j] / count);
        if (!(spread[j] > 0.0))
            spread[j] = 1.0;
    }
    // Row r in the rows' units, into z; made again where needed rather than kept for every row.
    std::vector<double> z(n);
    auto units = [&](int r) {
        for (size_t j = 0; j < n; ++j)
            z[j] = (rows[size_t(r) * n + j] - mean[j]) / spread[j];
    };
    std::vector<double> sums(n * n, 0.0);
    for (int r = 0; r < count; ++r) {
        units(r);
        reach = std::max(reach, std::sqrt(dot(z.data(), z.data(), dim)));
        for (size_t a = 0; a < n; ++a)
            for (size_t b = a; b < n; ++b)
                sums[a * n + b] += z[a] * z[b];
    }
    QVector<QVector<double>> gram(dim, QVector<double>(dim, 0.0));
    for (int a = 0; a < dim; ++a)
        for (int b = a; b < dim; ++b)
            gram[a][b] = gram[b][a] = sums[size_t(a) * n + size_t(b)] / count * GramScale;
    const Eig eig(gram, dim);
    if (!eig.ok())
        return;
    const QVector<double> values = eig.eigvals();
    std::vector<std::vector<double>> candidates;
    for (int k = dim - 1; k >= 0; --k) {
        // The spread of the rows along the direction, squared, in the rows' units.
        if (!(values[k] / GramScale <= IdentitySlack * IdentitySlack))
            break;
        const QVector<double> v = eig.eigvec(k);
        candidates.emplace_back(v.begin(), v.end());
    }
    if (candidates.empty())
        return;
    // The decomposition stops at an absolute 1e-6 off the diagonal: inverse iteration takes the
    // directions to the rounding of the correlations themselves, so that a bound turned far
    // about an identity still comes back to its own form.
    for (std::vector<double> &v : candidates)
        towardsKernel(gram, NearZero * GramScale, v);
    // Orthonormal again, and each held on every row.
    for (std::vector<double> &v : candidates) {
        for (const std::vector<double> &u : identities) {
            const double t = dot(u.data(), v.data(), dim);
            for (int j = 0; j < dim; ++j)
                v[size_t(j)] -= t * u[size_t(j)];
        }
        const double length = std::sqrt(dot(v.data(), v.data(), dim));
        if (!(length > 1e-3))
            continue;
        for (double &x : v)
            x /= length;
        bool holds = true;
        for (int r = 0; r < count && holds; ++r) {
            units(r);
            holds = std::fabs(dot(z.data(), v.data(), dim)) <= IdentitySlack * (1.0 + reach);
        }
        if (holds)
            identities.push_back(v);
    }
}

bool RelationSpace::towardsKernel(QVector<QVector<double>> matrix, double shift, std::vector<double> &v)
{
    const int n = int(v.size());
    for (int a = 0; a < n; ++a)
        matrix[a][a] += shift;
    const Cholesky factor(matrix, n);
    if (!factor.succeeded())
        return false;
    const QVector<QVector<double>> l = factor.q();
    std::vector<double> y(v);
    for (int step = 0; step < 2; ++step) {
        for (int i = 0; i < n; ++i) {
            double s = y[size_t(i)];
            for (int j = 0; j < i; ++j)
                s -= l[i][j] * y[size_t(j)];
            y[size_t(i)] = s / l[i][i];
        }
        for (int i = n - 1; i >= 0; --i) {
            double s = y[size_t(i)];
            for (int j = i + 1; j < n; ++j)
                s -= l[j][i] * y[size_t(j)];
            y[size_t(i)] = s / l[i][i];
        }
        const double length = std::sqrt(dot(y.data(), y.data(), n));
        if (!(length > 0.0) || !std::isfinite(length))
            return false;
        for (double &x : y)
            x /= length;
    }
    v = y;
    return true;
}

QVector<double> RelationSpace::sparsest(const QVector<double> &w) const
{
    const int k = nbIdentities();
    if (k == 0 || w.size() != dim)
        return w;
    // The identities in the columns' own units: sum u[j] x[j] is the same on every row.
    std::vector<std::vector<double>> u(identities.size(), std::vector<double>(size_t(dim)));
    for (size_t i = 0; i < identities.size(); ++i)
        for (int j = 0; j < dim; ++j)
            u[i][size_t(j)] = identities[i][size_t(j)] / spread[size_t(j)];
    // Terms as a text writes them: those above 1e-6 on the scale of a unit normal.
    auto terms = [&](const std::vector<double> &r) {
        const double length = std::sqrt(dot(r.data(), r.data(), dim));
        int n = 0;
        for (double x : r)
            n += std::fabs(x) > LeftOut * length ? 1 : 0;
        return n;
    };
    std::vector<double> best(w.begin(), w.end());
    int fewest = terms(best);
    double largest = 0.0;
    for (double x : w)
        largest = std::max(largest, std::fabs(x));
    // Each choice of k columns whose terms the identities take away, in order; beyond a few
    // thousand choices the bound is written as found.
    double choices = 1.0;
    for (int i = 0; i < k; ++i)
        choices = choices * (dim - i) / (i + 1);
    if (choices > MaxChoices)
        return w;
    std::vector<int> pick(static_cast<size_t>(k));
    for (int i = 0; i < k; ++i)
        pick[size_t(i)] = i;
    std::vector<double> m(size_t(k) * size_t(k + 1)), t(static_cast<size_t>(k)), r(static_cast<size_t>(dim));
    for (;;) {
        // sum_i t[i] u[i][j] = -w[j] for the picked columns j, by elimination with pivoting.
        for (int row = 0; row < k; ++row) {
            for (int i = 0; i < k; ++i)
                m[size_t(row) * size_t(k + 1) + size_t(i)] = u[size_t(i)][size_t(pick[size_t(row)])];
            m[size_t(row) * size_t(k + 1) + size_t(k)] = -w[pick[size_t(row)]];
        }
        bool solved = true;
        for (int c = 0; c < k && solved; ++c) {
            int pivot = c;
            for (int row = c + 1; row < k; ++row)
                if (std::fabs(m[size_t(row) * size_t(k + 1) + size_t(c)]) >
                    std::fabs(m[size_t(pivot) * size_t(k + 1) + size_t(c)]))
                    pivot = row;
            for (int i = 0; i <= k; ++i)
                std::swap(m[size_t(c) * size_t(k + 1) + size_t(i)], m[size_t(pivot) * size_t(k + 1) + size_t(i)]);
            const double p = m[size_t(c) * size_t(k + 1) + size_t(c)];
            solved = std::fabs(p) > 1e-9;
            for (int row = c + 1; row < k && solved; ++row) {
                const double f = m[size_t(row) * size_t(k + 1) + size_t(c)] / p;
                for (int i = c; i <= k; ++i)
                    m[size_t(row) * size_t(k + 1) + size_t(i)] -= f * m[size_t(c) * size_t(k + 1) + size_t(i)];
            }
        }
        if (solved) {
            for (int c = k - 1; c >= 0; --c) {
                double s = m[size_t(c) * size_t(k + 1) + size_t(k)];
                for (int i = c + 1; i < k; ++i)
                    s -= m[size_t(c) * size_t(k + 1) + size_t(i)] * t[size_t(i)];
                t[size_t(c)] = s / m[size_t(c) * size_t(k + 1) + size_t(c)];
            }
            double left = 0.0;
            for (int j = 0; j < dim; ++j) {
                double x = w[j];
                for (int i = 0; i < k; ++i)
                    x += t[size_t(i)] * u[size_t(i)][size_t(j)];
                r[size_t(j)] = x;
            }
            for (int j : pick)
                r[size_t(j)] = 0.0;
            for (double x : r)
                left = std::max(left, std::fabs(x));
            // Nothing left: the bound is an identity itself, written as found.
            if (left > 1e-9 * largest) {
                const int n = terms(r);
                if (n < fewest) {
                    fewest = n;
                    best = r;
                }
            }
        }
        int i = k - 1;
        while (i >= 0 && pick[size_t(i)] == dim - k + i)
            --i;
        if (i < 0)
            break;
        ++pick[size_t(i)];
        for (int j = i + 1; j < k; ++j)
            pick[size_t(j)] = pick[size_t(j - 1)] + 1;
    }
    const double length = std::sqrt(dot(best.data(), best.data(), dim));
    QVector<double> unit(dim);
    for (int j = 0; j < dim; ++j)
        unit[j] = best[size_t(j)] / length;
    return unit;
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
