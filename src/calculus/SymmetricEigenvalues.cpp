#include "calculus/SymmetricEigenvalues.h"

#include "calculus/Eig.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <functional>
#include <limits>

namespace {

constexpr int MaxOrder = 32;
// QL usually settles an eigenvalue in two or three steps; this cap only stops inputs whose
// rounding never lets an off-diagonal entry vanish.
constexpr int StepsPerEigenvalue = 60;

// Householder reduction of the full symmetric block a to tridiagonal form: diagonal d,
// sub-diagonal e[1..n-1]. Both triangles are kept up to date so every inner loop runs along
// a row.
void tridiagonalise(double *a, int n, double *d, double *e)
{
    double u[MaxOrder], p[MaxOrder];
    for (int i = n - 1; i > 0; --i) {
        double *ri = a + i * n;
        const int l = i - 1;
        if (l == 0) {
            e[i] = ri[0];
            d[i] = ri[i];
            continue;
        }
        // Scaling keeps the squares away from overflow and underflow.
        double scale = 0.0;
        for (int k = 0; k <= l; ++k)
            scale += std::fabs(ri[k]);
        if (scale == 0.0) {
            e[i] = 0.0;
            d[i] = ri[i];
            continue;
        }
        double h = 0.0;
        for (int k = 0; k <= l; ++k) {
            u[k] = ri[k] / scale;
            h += u[k] * u[k];
        }
        const double f = u[l];
        const double g = f >= 0.0 ? -std::sqrt(h) : std::sqrt(h);
        e[i] = scale * g;
        h -= f * g;
        u[l] = f - g;
        // p = A u / h, K = u.p / 2h, q = p - K u; then A -= u q' + q u' on the leading block.
        double up = 0.0;
        for (int j = 0; j <= l; ++j) {
            const double *rj = a + j * n;
            double s = 0.0;
            for (int k = 0; k <= l; ++k)
                s += rj[k] * u[k];
            p[j] = s / h;
            up += u[j] * p[j];
        }
        const double K = up / (h + h);
        for (int j = 0; j <= l; ++j)
            p[j] -= K * u[j];
        for (int j = 0; j <= l; ++j) {
            double *rj = a + j * n;
            const double uj = u[j], qj = p[j];
            for (int k = 0; k <= l; ++k)
                rj[k] -= uj * p[k] + qj * u[k];
        }
        d[i] = ri[i];
    }
    d[0] = a[0];
    e[0] = 0.0;
}

// Implicit QL with Wilkinson shifts on the tridiagonal (d, e); the eigenvalues end in d.
bool diagonalise(double *d, double *e, int n)
{
    for (int i = 1; i < n; ++i)
        e[i - 1] = e[i];
    e[n - 1] = 0.0;
    for (int l = 0; l < n; ++l) {
        int steps = 0;
        for (;;) {
            int m = l;
            for (; m < n - 1; ++m) {
                const double dd = std::fabs(d[m]) + std::fabs(d[m + 1]);
                if (std::fabs(e[m]) <= DBL_EPSILON * dd)
                    break;
            }
            if (m == l)
                break;
            if (++steps > StepsPerEigenvalue)
                return false;
            double g = (d[l + 1] - d[l]) / (2.0 * e[l]);
            double r = std::sqrt(g * g + 1.0);
            g = d[m] - d[l] + e[l] / (g + (g >= 0.0 ? r : -r));
            double s = 1.0, c = 1.0, p = 0.0;
            int i = m - 1;
            bool deflated = false;
            for (; i >= l; --i) {
                const double f = s * e[i];
                const double b = c * e[i];
                r = std::sqrt(f * f + g * g);
                e[i + 1] = r;
                if (r == 0.0) {
                    d[i + 1] -= p;
                    e[m] = 0.0;
                    deflated = true;
                    break;
                }
                s = f / r;
                c = g / r;
                g = d[i + 1] - p;
                r = (d[i] - g) * s + 2.0 * c * b;
                p = s * r;
                d[i + 1] = g + p;
                g = c * r - b;
            }
            if (deflated)
                continue;
            d[l] -= p;
            e[l] = g;
            e[m] = 0.0;
            if (!std::isfinite(d[l]))
                return false;
        }
    }
    return true;
}

} // namespace

bool SymmetricEigenvalues::compute(double *a, int n, double *out)
{
    if (n <= 0)
        return true;
    if (n > MaxOrder)
        return false;
    double e[MaxOrder];
    tridiagonalise(a, n, out, e);
    if (!diagonalise(out, e, n))
        return false;
    for (int k = 0; k < n; ++k)
        if (!(std::fabs(out[k]) <= DBL_MAX))
            return false;
    std::sort(out, out + n, std::greater<double>());
    return true;
}

SymmetricEigenvalues::SymmetricEigenvalues(const QVector<QVector<double>> &matrix, int n)
{
    const int order = n < 0 ? 0 : n;
    bool big = matrix.size() >= order;
    for (int i = 0; big && i < order; ++i)
        big = matrix[i].size() >= order;
    bool finite = true, symmetric = true;
    double largest = 0.0;
    double a[MaxOrder * MaxOrder];
    if (big && order <= MaxOrder) {
        for (int i = 0; i < order; ++i) {
            const double *src = matrix[i].constData();
            for (int j = 0; j < order; ++j) {
                a[i * order + j] = src[j];
                finite &= std::fabs(src[j]) <= DBL_MAX;
                largest = std::max(largest, std::fabs(src[j]));
            }
        }
        for (int i = 0; symmetric && i < order; ++i)
            for (int j = i + 1; j < order; ++j)
                symmetric &= a[i * order + j] == a[j * order + i];
    }
    // Near the largest double Eig's rotations may overflow and fail where these steps would
    // not; such matrices go to Eig so that they fail alike.
    const bool tame = largest <= DBL_MAX / (8.0 * (order + 1));
    if (big && order <= MaxOrder && finite && symmetric && tame) {
        values.resize(order);
        if (compute(a, order, values.data()))
            return;
    }
    // Everything else, failures included, is Eig's to decide.
    const Eig eig(matrix, order);
    values = eig.eigvals();
    errorMessage = eig.errorText();
}
