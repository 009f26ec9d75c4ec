#include "conjectures/RelationSpace.h"

#include "calculus/Cholesky.h"
#include "calculus/Eig.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

// Written with six significant digits, a coefficient is off by at most half a unit in its
// sixth digit; one of magnitude 1e-6 or less (on the scale of a unit normal) is left out.
constexpr double Rounding = 5e-6;
constexpr double LeftOut = 1e-6;
// The constant keeps its extreme row tight within this much of the row's terms.
constexpr double ConstantRounding = 1e-9;
// The eigen-decomposition settles to an absolute 1e-6 off the diagonal: the matrices are scaled
// up so that this is far below anything an identity could hide.
constexpr double GramScale = 1e6;
// A direction whose rows' spread, squared and in the rows' units, is below this share of the
// whole is a candidate identity; the rows decide. Far above what rounding leaves of an identity
// on any table, far below the spread of a column that is not one.
constexpr double Candidate = 1e-9;
// Rows summed per block: the rounding of a sum over the rows grows with the block and the
// number of blocks, not with the rows.
constexpr int Block = 256;
// Steps that take the candidates to the rows' own kernel, through products computed on the rows.
constexpr int PolishSteps = 3;
// Choices of columns tried for the form of a bound with the fewest terms.
constexpr double MaxChoices = 4096;

double dot(const double *a, const double *b, int n)
{
    double s = 0.0;
    for (int i = 0; i < n; ++i)
        s += a[i] * b[i];
    return s;
}

// Orthonormal columns by modified Gram-Schmidt; a column that collapses (its length below 1e-3
// once the others are taken out) is dropped.
void orthonormalise(std::vector<std::vector<double>> &columns)
{
    std::vector<std::vector<double>> kept;
    for (std::vector<double> &v : columns) {
        for (const std::vector<double> &u : kept) {
            const double t = dot(u.data(), v.data(), int(v.size()));
            for (size_t j = 0; j < v.size(); ++j)
                v[j] -= t * u[j];
        }
        const double length = std::sqrt(dot(v.data(), v.data(), int(v.size())));
        if (!(length > 1e-3))
            continue;
        for (double &x : v)
            x /= length;
        kept.push_back(v);
    }
    columns.swap(kept);
}

// x solved from l l' x = b, l lower triangular.
void solveFactored(const QVector<QVector<double>> &l, std::vector<double> &x)
{
    const int n = int(x.size());
    for (int i = 0; i < n; ++i) {
        double s = x[size_t(i)];
        for (int j = 0; j < i; ++j)
            s -= l[i][j] * x[size_t(j)];
        x[size_t(i)] = s / l[i][i];
    }
    for (int i = n - 1; i >= 0; --i) {
        double s = x[size_t(i)];
        for (int j = i + 1; j < n; ++j)
            s -= l[j][i] * x[size_t(j)];
        x[size_t(i)] = s / l[i][i];
    }
}

} // namespace

RelationSpace::RelationSpace(std::vector<double> rows, std::vector<char> exactValues, QVector<int> graphNumbers,
                             int dimension, int rawWidth, const std::atomic<bool> *cancelled)
{
    const int n = graphNumbers.size();
    if (dimension <= 0 || rawWidth < 0 || rawWidth > dimension || rows.size() != size_t(n) * size_t(dimension) ||
        exactValues.size() != rows.size())
        return;
    dim = dimension;
    raw = rawWidth;
    count = n;
    values = std::move(rows);
    exact = std::move(exactValues);
    graphs = std::move(graphNumbers);
    isSearched.assign(size_t(count), 1);
    for (int r = 0; r < count; ++r) {
        const double *x = row(r);
        for (int j = 0; j < dim; ++j)
            if (!std::isfinite(x[j])) {
                isSearched[size_t(r)] = 0;
                break;
            }
        nbSearched += isSearched[size_t(r)];
    }
    findIdentities(cancelled);
}

void RelationSpace::units(int r, double *z) const
{
    const double *x = row(r);
    for (int j = 0; j < dim; ++j)
        z[j] = (x[j] - mean[size_t(j)]) / spread[size_t(j)];
}

void RelationSpace::findIdentities(const std::atomic<bool> *cancelled)
{
    const auto stopped = [cancelled] { return cancelled && cancelled->load(); };
    const size_t n = size_t(dim);
    mean.assign(n, 0.0);
    spread.assign(n, 0.0);
    largest.assign(n, 0.0);
    if (nbSearched == 0) {
        done = true;
        return;
    }
    for (int r = 0; r < count; ++r) {
        if (!searched(r))
            continue;
        const double *x = row(r);
        for (size_t j = 0; j < n; ++j) {
            mean[j] += x[j];
            largest[j] = std::max(largest[j], std::fabs(x[j]));
        }
    }
    for (size_t j = 0; j < n; ++j)
        mean[j] /= nbSearched;
    for (int r = 0; r < count; ++r) {
        if (!searched(r))
            continue;
        const double *x = row(r);
        for (size_t j = 0; j < n; ++j)
            spread[j] += (x[j] - mean[j]) * (x[j] - mean[j]);
    }
    // A column with one value is a unit of its own: centred, it is 0 on every row, and so an
    // identity.
    for (size_t j = 0; j < n; ++j) {
        spread[j] = std::sqrt(spread[j] / nbSearched);
        if (!(spread[j] > 0.0))
            spread[j] = 1.0;
    }

    // Sums over the rows searched, in blocks; f(z, sums) adds one row's share. False when
    // cancelled on the way.
    std::vector<double> z(n);
    const auto sumRows = [&](size_t size, std::vector<double> &total, auto &&f) {
        std::vector<double> part(size, 0.0);
        total.assign(size, 0.0);
        int inBlock = 0;
        for (int r = 0; r < count; ++r) {
            if (!searched(r))
                continue;
            units(r, z.data());
            f(part);
            if (++inBlock == Block || r == count - 1) {
                for (size_t i = 0; i < size; ++i) {
                    total[i] += part[i];
                    part[i] = 0.0;
                }
                inBlock = 0;
                if (stopped())
                    return false;
            }
        }
        for (size_t i = 0; i < size; ++i)
            total[i] += part[i];
        return !stopped();
    };

    std::vector<double> sums;
    const bool summed = sumRows(n * n, sums, [&](std::vector<double> &part) {
        reach = std::max(reach, std::sqrt(dot(z.data(), z.data(), dim)));
        for (size_t a = 0; a < n; ++a)
            for (size_t b = a; b < n; ++b)
                part[a * n + b] += z[a] * z[b];
    });
    if (!summed)
        return;
    QVector<QVector<double>> gram(dim, QVector<double>(dim, 0.0));
    double trace = 0.0;
    for (int a = 0; a < dim; ++a) {
        for (int b = a; b < dim; ++b)
            gram[a][b] = gram[b][a] = sums[size_t(a) * n + size_t(b)] / nbSearched;
        trace += gram[a][a];
    }
    trace = std::max(trace, 1.0);
    QVector<QVector<double>> scaled = gram;
    for (QVector<double> &line : scaled)
        for (double &g : line)
            g *= GramScale;
    const Eig eig(scaled, dim);
    // A decomposition that fails (a column too large for its sums) finds no identity; the rows
    // are still there to judge bounds by, and the search goes on without it.
    if (!eig.ok()) {
        done = true;
        return;
    }
    const QVector<double> eigenvalues = eig.eigvals();
    std::vector<std::vector<double>> u;  // the candidates, in the rows' units
    for (int k = dim - 1; k >= 0; --k) {
        if (!(eigenvalues[k] / GramScale <= Candidate * trace))
            break;
        const QVector<double> v = eig.eigvec(k);
        u.emplace_back(v.begin(), v.end());
    }
    if (u.empty()) {
        done = true;
        return;
    }

    // The correlations are rounded by the sums: their kernel is the rows' only to that rounding
    // over the gap to the next spread. Inverse iteration with the correlations' factor, each
    // step's product taken on the rows themselves, takes the candidates to the rows' own kernel.
    double shift = std::max(1e-12, 16.0 * std::numeric_limits<double>::epsilon() * (Block + nbSearched / Block)) * trace;
    QVector<QVector<double>> factor;
    for (int attempt = 0; attempt < 20 && factor.isEmpty(); ++attempt, shift *= 4.0) {
        QVector<QVector<double>> shifted = gram;
        for (int a = 0; a < dim; ++a)
            shifted[a][a] += shift;
        const Cholesky cholesky(shifted, dim);
        if (cholesky.succeeded())
            factor = cholesky.q();
    }
    // Without a factor the candidates stay as the decomposition left them: the rows decide.
    for (int step = 0; step < PolishSteps && !u.empty() && !factor.isEmpty(); ++step) {
        const size_t k = u.size();
        std::vector<double> product;  // n x k: the rows' correlations times the candidates
        std::vector<double> along(k);
        if (!sumRows(n * k, product, [&](std::vector<double> &part) {
                for (size_t i = 0; i < k; ++i)
                    along[i] = dot(z.data(), u[i].data(), dim);
                for (size_t a = 0; a < n; ++a)
                    for (size_t i = 0; i < k; ++i)
                        part[a * k + i] += z[a] * along[i];
            }))
            return;
        for (size_t i = 0; i < k; ++i) {
            std::vector<double> y(n);
            for (size_t a = 0; a < n; ++a)
                y[a] = product[a * k + i] / nbSearched;
            solveFactored(factor, y);
            for (size_t a = 0; a < n; ++a)
                u[i][a] -= y[a];
        }
        orthonormalise(u);
    }
    if (u.empty()) {
        done = true;
        return;
    }

    // Within the candidates, the directions by how far the rows stray from them, least first: an
    // identity is not mixed with a direction on which a row strays.
    const size_t k = u.size();
    if (k >= 2) {
        std::vector<double> residuals;
        std::vector<double> along(k);
        if (!sumRows(k * k, residuals, [&](std::vector<double> &part) {
                for (size_t i = 0; i < k; ++i)
                    along[i] = dot(z.data(), u[i].data(), dim);
                for (size_t i = 0; i < k; ++i)
                    for (size_t j = i; j < k; ++j)
                        part[i * k + j] += along[i] * along[j];
            }))
            return;
        double size = 0.0;
        for (size_t i = 0; i < k; ++i)
            size += residuals[i * k + i];
        if (size > 0.0) {
            QVector<QVector<double>> h(int(k), QVector<double>(int(k), 0.0));
            for (size_t i = 0; i < k; ++i)
                for (size_t j = i; j < k; ++j)
                    h[int(i)][int(j)] = h[int(j)][int(i)] = residuals[i * k + j] / size * GramScale;
            const Eig turn(h, int(k));
            // Left unturned when that fails: each candidate is still checked on the rows.
            if (turn.ok()) {
                std::vector<std::vector<double>> turned;
                for (int c = int(k) - 1; c >= 0; --c) {
                    const QVector<double> t = turn.eigvec(c);
                    std::vector<double> v(n, 0.0);
                    for (size_t i = 0; i < k; ++i)
                        for (size_t a = 0; a < n; ++a)
                            v[a] += t[int(i)] * u[i][a];
                    turned.push_back(v);
                }
                orthonormalise(turned);
                u.swap(turned);
            }
        }
    }

    // Each candidate held on every row searched, in the columns' own units.
    for (const std::vector<double> &v : u) {
        std::vector<double> a(n);
        for (size_t j = 0; j < n; ++j)
            a[j] = v[j] / spread[j];
        if (holdsOnRows(a))
            identities.push_back(v);
        if (stopped())
            return;
    }
    orthonormalise(identities);
    done = true;
}

bool RelationSpace::holdsOnRows(const std::vector<double> &a) const
{
    // Judged at the identity's own scale, the largest magnitude of its terms on any row searched.
    // A band of each row's own terms shrinks, on a row where the identity's columns are all 0 (an
    // edgeless graph), to the rounding a candidate leaves on other columns, and rejects an
    // identity that holds exactly; on a row where they are small, it rejects a direction about
    // which two bounds turn and stay one relation by the rows' rule, whose band holds the terms
    // of both bounds: then their keys never meet.
    double low = HUGE_VAL, high = -HUGE_VAL, scale = 0.0;
    for (int r = 0; r < count; ++r) {
        if (!searched(r))
            continue;
        const double *x = row(r);
        double v = 0.0, m = 0.0;
        for (int j = 0; j < dim; ++j) {
            v += a[size_t(j)] * x[j];
            m += std::fabs(a[size_t(j)] * x[j]);
        }
        if (!std::isfinite(v) || !std::isfinite(m))
            return false;
        low = std::min(low, v);
        high = std::max(high, v);
        scale = std::max(scale, m + std::fabs(v));
    }
    // One value c within 1e-9 of that scale of every row's.
    return high - low <= 2.0 * ScaleRule * scale;
}

bool RelationSpace::sameRows(const double *rawRows, int rows, int width) const
{
    if (width != raw || rows != count || !done)
        return false;
    for (int r = 0; r < count; ++r)
        if (std::memcmp(row(r), rawRows + size_t(r) * size_t(width), size_t(width) * sizeof(double)) != 0)
            return false;
    return true;
}

bool RelationSpace::sameRows(const RelationSpace &other) const
{
    if (&other == this)
        return true;
    if (other.raw != raw || other.count != count)
        return false;
    for (int r = 0; r < count; ++r)
        if (std::memcmp(row(r), other.row(r), size_t(raw) * sizeof(double)) != 0)
            return false;
    return true;
}

bool RelationSpace::sameRelation(const RelationSpace &sa, const QVector<double> &a, double offsetA,
                                 const RelationSpace &sb, const QVector<double> &b, double offsetB)
{
    if (a.size() != sa.dim || b.size() != sb.dim || sa.count != sb.count)
        return false;
    // Per row, |sA - l sB| <= e (mA + l mB) bounds the factor l from both sides; the rows agree
    // when a factor above 0 meets every bound.
    double low = 0.0, high = HUGE_VAL;
    bool tightA = true, tightB = true;  // so far on every row
    for (int r = 0; r < sa.count; ++r) {
        if (!sa.searched(r) || !sb.searched(r))
            continue;
        const double *x = sa.row(r), *y = sb.row(r);
        double sA = offsetA, mA = std::fabs(offsetA), sB = offsetB, mB = std::fabs(offsetB);
        for (int j = 0; j < sa.dim; ++j) {
            sA -= a[j] * x[j];
            mA += std::fabs(a[j] * x[j]);
        }
        for (int j = 0; j < sb.dim; ++j) {
            sB -= b[j] * y[j];
            mB += std::fabs(b[j] * y[j]);
        }
        if (!std::isfinite(sA) || !std::isfinite(sB) || !std::isfinite(mA) || !std::isfinite(mB))
            return false;
        const double eA = ScaleRule * mA, eB = ScaleRule * mB;
        tightA = tightA && std::fabs(sA) <= eA;
        tightB = tightB && std::fabs(sB) <= eB;
        // l (-sB - eB) <= eA - sA and l (sB - eB) <= eA + sA.
        for (const auto &[p, q] : {std::pair<double, double>{-sB - eB, eA - sA}, {sB - eB, eA + sA}}) {
            if (p > 0.0)
                high = std::min(high, q / p);
            else if (p < 0.0)
                low = std::max(low, q / p);
            else if (q < 0.0)
                return false;
        }
        if (low > high)
            return false;
    }
    // One tight on every row and the other not: only a factor of 0 or of infinity would do. Both
    // tight everywhere: one relation, an identity. Otherwise a row slack on each keeps the
    // factor within bounds above 0.
    if (tightA || tightB)
        return tightA && tightB;
    return low <= high;
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
        solveFactored(l, y);
        const double length = std::sqrt(dot(y.data(), y.data(), n));
        if (!(length > 0.0) || !std::isfinite(length))
            return false;
        for (double &x : y)
            x /= length;
    }
    v = y;
    return true;
}


QVector<double> RelationSpace::sparsest(const QVector<double> &w, bool confined) const
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
    auto written = [&](const double *r, std::vector<int> &columns) {
        const double length = std::sqrt(dot(r, r, dim));
        columns.clear();
        for (int j = 0; j < dim; ++j)
            if (std::fabs(r[j]) > LeftOut * length)
                columns.push_back(j);
    };
    std::vector<int> found, form;
    written(w.constData(), found);
    if (confined) {
        found.clear();
        for (int j = 0; j < dim; ++j)
            if (w[j] != 0.0)
                found.push_back(j);
    }
    auto terms = [&](const std::vector<double> &r) {
        written(r.data(), form);
        return int(form.size());
    };
    // Whether the form r, as written, takes the values of w, as written, up to a constant, on
    // every row where r is judged: the identities come from the rows searched, and the text of r
    // is read on every row with a value in its columns.
    auto keepsValues = [&](const QVector<double> &wv, const std::vector<double> &r) {
        written(r.data(), form);
        double low = -HUGE_VAL, high = HUGE_VAL;
        for (int t = 0; t < count; ++t) {
            const double *x = row(t);
            if (!std::all_of(form.begin(), form.end(), [x](int j) { return std::isfinite(x[j]); }))
                continue;
            double d = 0.0, m = 0.0;
            for (int j : form) {
                d += r[size_t(j)] * x[j];
                m += std::fabs(r[size_t(j)] * x[j]);
            }
            for (int j : found) {
                if (!std::isfinite(x[j]))
                    return false;
                d -= wv[j] * x[j];
                m += std::fabs(wv[j] * x[j]);
            }
            low = std::max(low, d - ScaleRule * m);
            high = std::min(high, d + ScaleRule * m);
            if (!(low <= high))
                return false;
        }
        return true;
    };
    std::vector<double> best(w.begin(), w.end());
    int fewest = confined ? dim + 1 : terms(best);
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
                if (n < fewest && keepsValues(w, r)) {
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
    if (dim == 0 || coefs.size() != dim || nbSearched == 0)
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
    // Candidates reach as far as the written coefficients' rounding moves the direction (twice its
    // share of what is left) and the constant, the largest value of the written side over the
    // rows, by as much per unit of distance from the mean, plus the constant's own rounding: far
    // wider than what the rows accept as one relation.
    const double rounding = 2.0 * (Rounding * written + LeftOut * std::sqrt(coefLength * units)) / left;
    // Nothing but identity: the bound has one value on every row searched, up to the identities'
    // own rule. So has, as far as its key can tell, a bound so near the identities that rounding
    // alone could turn what is left of it anywhere (a face of an identity that one row misses
    // and its copies tilted by the sixth digit): keyed alike, the rows judge them.
    if (!(left > 1e-9 * written) || !(rounding <= MaxTolerance))
        return std::isfinite(left) ? QVector<double>(dim + 1, 0.0) : QVector<double>();
    QVector<double> k(dim + 1);
    for (int j = 0; j < dim; ++j)
        k[j] = a[size_t(j)] / left;
    k[dim] = level / (left * (1.0 + reach));
    *tolerance = std::min(MaxTolerance, rounding + ConstantRounding * magnitude / (left * (1.0 + reach)));
    if (!std::isfinite(*tolerance) || !std::isfinite(k[dim]))
        return {};
    return k;
}

