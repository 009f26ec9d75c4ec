#include "calculus/Eig.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <iostream>
#include <limits>
#include <numeric>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr double Tolerance = 1e-6;

// Jacobi needs a few sweeps of n(n-1)/2 rotations on the matrices the system builds; this
// budget is far beyond that and only stops inputs whose rounding never lets the
// off-diagonal entries fall under the absolute threshold.
long rotationBudget(int n)
{
    return 100L * n * n + 1000L;
}

inline bool isFiniteValue(double x)
{
    return std::fabs(x) <= DBL_MAX;  // false for NaN and both infinities
}

// The largest magnitude among count entries, -1 when there are none. A maximum is exact
// and indifferent to order and repetition, so blocks may overlap at the end.
inline double maxAbs(const double *x, int count)
{
#if defined(__SSE2__)
    if (count >= 2) {
        const __m128d sign = _mm_set1_pd(-0.0);
        auto mag = [&](int k) { return _mm_andnot_pd(sign, _mm_loadu_pd(x + k)); };
        __m128d a0 = mag(0), a1 = mag(count - 2);
        if (count >= 8) {
            __m128d a2 = mag(2), a3 = mag(4);
            a0 = _mm_max_pd(a0, mag(6));
            for (int k = 8; k < count; k += 8) {
                const int b = k + 8 <= count ? k : count - 8;
                a0 = _mm_max_pd(a0, mag(b));
                a1 = _mm_max_pd(a1, mag(b + 2));
                a2 = _mm_max_pd(a2, mag(b + 4));
                a3 = _mm_max_pd(a3, mag(b + 6));
            }
            a0 = _mm_max_pd(_mm_max_pd(a0, a2), a3);
        } else {
            for (int k = 2; k + 2 < count; k += 2)
                a0 = _mm_max_pd(a0, mag(k));
        }
        a0 = _mm_max_pd(a0, a1);
        return std::max(_mm_cvtsd_f64(a0), _mm_cvtsd_f64(_mm_unpackhi_pd(a0, a0)));
    }
#endif
    double m = -1.0;
    for (int k = 0; k < count; ++k)
        m = std::max(m, std::fabs(x[k]));
    return m;
}

// The index of the first entry of magnitude g; one must exist, and the entry after it
// must be readable.
inline int firstOfMagnitude(const double *x, double g)
{
    int k = 0;
#if defined(__SSE2__)
    const __m128d sign = _mm_set1_pd(-0.0);
    const __m128d target = _mm_set1_pd(g);
    for (;; k += 2) {
        const int hit = _mm_movemask_pd(_mm_cmpeq_pd(_mm_andnot_pd(sign, _mm_loadu_pd(x + k)), target));
        if (hit)
            return k + ((hit & 1) ? 0 : 1);
    }
#endif
    while (std::fabs(x[k]) != g)
        ++k;
    return k;
}

// The index of the first of x[from..to-1] whose magnitude exceeds bar, or to when none
// does; x[to] must be readable.
inline int firstAbove(const double *x, int from, int to, double bar)
{
    int k = from;
#if defined(__SSE2__)
    const __m128d sign = _mm_set1_pd(-0.0);
    const __m128d limit = _mm_set1_pd(bar);
    for (; k < to; k += 2) {
        const int hit = _mm_movemask_pd(_mm_cmpgt_pd(_mm_andnot_pd(sign, _mm_loadu_pd(x + k)), limit));
        if (hit) {
            const int j = k + ((hit & 1) ? 0 : 1);
            return j < to ? j : to;
        }
    }
    return to;
#endif
    while (k < to && !(std::fabs(x[k]) > bar))
        ++k;
    return k;
}

bool allFinite(const double *x, int count)
{
    // x * 0 is 0 for finite x and NaN otherwise.
    int k = 0;
    bool ok = true;
#if defined(__SSE2__)
    const __m128d zero = _mm_setzero_pd();
    __m128d bad = zero;
    for (; k + 1 < count; k += 2) {
        const __m128d z = _mm_mul_pd(_mm_loadu_pd(x + k), zero);
        bad = _mm_or_pd(bad, _mm_cmpunord_pd(z, z));
    }
    ok = _mm_movemask_pd(bad) == 0;
#endif
    for (; k < count; ++k)
        ok &= isFiniteValue(x[k]);
    return ok;
}

// x, y := c x + s y, -s x + c y, entry by entry (two distinct rows).
void combine(double *__restrict x, double *__restrict y, double c, double s, int count)
{
    for (int k = 0; k < count; ++k) {
        const double X = x[k];
        const double Y = y[k];
        x[k] = c * X + s * Y;
        y[k] = -s * X + c * Y;
    }
}

// The same, keeping the old magnitudes.
void combine(double *__restrict x, double *__restrict y, double *__restrict oldX,
             double *__restrict oldY, double c, double s, int count)
{
    for (int k = 0; k < count; ++k) {
        const double X = x[k];
        const double Y = y[k];
        oldX[k] = std::fabs(X);
        oldY[k] = std::fabs(Y);
        x[k] = c * X + s * Y;
        y[k] = -s * X + c * Y;
    }
}

// The rotations of one decomposition: A the full working copy (row-major), Vt the
// eigenvector matrix transposed (row k is eigenvector k), both n x n.
//
// The pivot is the first entry of the strict upper triangle, in row-major order, that
// beats the running maximum (started at |A[0][1]|) by more than the tolerance. Rescanning
// the triangle for it at every rotation would dominate the cost, so each row keeps the
// largest magnitude of its part of the triangle, and a row is rescanned only when it was
// rotated or when a rotation may have lowered its maximum and it is needed.
class Jacobi
{
public:
    Jacobi(std::vector<double> &a, std::vector<double> &vt, int order)
        : A(a), Vt(vt), n(order), rowMax(n > 1 ? n : 0), stale(n), oldP(n), oldQ(n)
    {
        double largest = 0.0;
        for (int i = 0; i < n; ++i) {
            largest = std::max(largest, std::fabs(at(i, i)));
            if (i + 1 == n)
                break;
            rescan(i);
            largest = std::max(largest, rowMax[i]);
            for (int j = i + 1; j < n; ++j)
                symmetric &= at(i, j) == at(j, i);
        }
        // Rotations of a symmetric matrix keep its Frobenius norm, at most n times its
        // largest entry, so no entry or intermediate result can overflow below this bound
        // and the per-rotation check for non-finite values is needed only above it.
        checkFinite = !symmetric || largest > DBL_MAX / (8.0 * (n + 1));
    }

    // Returns false when no entry reaches the tolerance: the matrix is diagonal enough.
    bool pivot(int &p, int &q)
    {
        double mx;
        if (!quickPivot(p, q, mx))
            fullPivot(p, q, mx);
        return !(mx < Tolerance);
    }

    // One rotation of the plane (p, q); false when it produced a non-finite value.
    bool rotate(int p, int q)
    {
        const double theta = 0.5 * std::atan2(2.0 * at(p, q), at(p, p) - at(q, q));
        const double c = std::cos(theta);
        const double s = std::sin(theta);

        combine(&Vt[size_t(p) * n], &Vt[size_t(q) * n], c, s, n);
        if (symmetric)
            rotateSymmetric(p, q, c, s);
        else
            rotateGeneral(p, q, c, s);

        // Every entry the rotation changed now also sits in row p or row q.
        if (checkFinite && (!allFinite(row(p), n) || !allFinite(row(q), n)))
            return false;
        updateRowMax(p, q);
        return true;
    }

    double &at(int r, int c) { return A[size_t(r) * n + c]; }
    double at(int r, int c) const { return A[size_t(r) * n + c]; }

private:
    // Columns p and q are combined from their old values; then the new diagonal entries,
    // a zero at (p, q), and rows p and q copied from columns p and q in this order (which
    // also clears (q, p)), so that A is symmetric afterwards.
    void rotateGeneral(int p, int q, double c, double s)
    {
        for (int k = 0; k < n; ++k) {
            double &akp = at(k, p);
            double &akq = at(k, q);
            const double P = akp;
            const double Q = akq;
            oldP[k] = std::fabs(P);
            oldQ[k] = std::fabs(Q);
            akp = c * P + s * Q;
            akq = -s * P + c * Q;
        }
        at(p, p) = c * at(p, p) + s * at(q, p);
        at(q, q) = c * at(q, q) - s * at(p, q);
        at(p, q) = 0.0;
        for (int k = 0; k < n; ++k) {
            at(p, k) = at(k, p);
            at(q, k) = at(k, q);
        }
    }

    // The same steps on a symmetric A, where rows p and q hold the old columns: the rows
    // are combined in place and the columns written from them, with identical arithmetic.
    void rotateSymmetric(int p, int q, double c, double s)
    {
        double *rp = &A[size_t(p) * n];
        double *rq = &A[size_t(q) * n];
        combine(rp, rq, oldP.data(), oldQ.data(), c, s, n);
        const double dp = c * rp[p] + s * rp[q];
        const double dq = c * rq[q] - s * rq[p];
        rp[p] = dp;
        rp[q] = 0.0;
        rq[p] = 0.0;
        rq[q] = dq;
        // At k = p and k = q these writes restore values the rows already hold.
        for (int k = 0; k < n; ++k) {
            at(k, p) = rp[k];
            at(k, q) = rq[k];
        }
    }

    const double *row(int i) const { return &A[size_t(i) * n]; }

    void rescan(int i)
    {
        rowMax[i] = maxAbs(row(i) + i + 1, n - i - 1);
        stale[i] = 0.0;
    }

    // Rows p and q changed throughout. The rows above q changed only in columns p and q
    // (column p lies in the triangle for rows above p only), whose new values rows p and q
    // now hold.
    void updateRowMax(int p, int q)
    {
        const double *np = row(p);
        const double *nq = row(q);
        markOrRaise(rowMax.data(), stale.data(), np, nq, oldP.data(), oldQ.data(), 0, p);
        markOrRaise(rowMax.data(), stale.data(), nq, nq, oldQ.data(), oldQ.data(), p + 1, q);
        rescan(p);
        if (q + 1 < n)
            rescan(q);
    }

    // For rows from..to-1, given the new entries a, b and their old magnitudes: the maximum
    // raised to the new entries, and marked stale (an upper bound, rescanned when it comes
    // to the top) when an entry that held it went down.
    static void markOrRaise(double *__restrict m, double *__restrict st, const double *__restrict a,
                            const double *__restrict b, const double *__restrict oldA,
                            const double *__restrict oldB, int from, int to)
    {
        for (int k = from; k < to; ++k) {
            const double mk = m[k];
            const double na = std::fabs(a[k]);
            const double nb = std::fabs(b[k]);
            const bool lowered = ((oldA[k] == mk) & (na < mk)) | ((oldB[k] == mk) & (nb < mk));
            double up = na > nb ? na : nb;
            up = up > mk ? up : mk;
            m[k] = up;
            st[k] = lowered ? 1.0 : st[k];
        }
    }

    // The usual case: the first occurrence, in row-major order, of the largest magnitude g
    // beats everything before it by more than the tolerance, and is then the pivot.
    bool quickPivot(int &p, int &q, double &mx)
    {
        double g;
        int r;
        for (;;) {
            g = maxAbs(rowMax.data(), n - 1);
            r = firstOfMagnitude(rowMax.data(), g);
            if (stale[r] == 0.0)
                break;
            rescan(r);
        }
        double before = maxAbs(rowMax.data(), r);  // rows above r, all below g
        const double *rr = row(r);
        const int c = r + 1 + firstOfMagnitude(rr + r + 1, g);
        before = std::max(before, maxAbs(rr + r + 1, c - r - 1));
        p = r;
        q = c;
        mx = g;
        // (0, 1) is where the running maximum starts, so it needs nothing to beat.
        return (r == 0 && c == 1) || g > before + Tolerance;
    }

    // The rule itself, entry by entry; rows whose maximum cannot beat the running maximum
    // are skipped, which changes nothing.
    void fullPivot(int &p, int &q, double &mx) const
    {
        mx = std::fabs(at(0, 1));
        p = 0;
        q = 1;
        for (int i = 0; i + 1 < n; ++i) {
            double bar = mx + Tolerance;
            if (!(rowMax[i] > bar))
                continue;
            const double *r = row(i);
            for (int j = firstAbove(r, i + 1, n, bar); j < n; j = firstAbove(r, j + 1, n, bar)) {
                mx = std::fabs(r[j]);
                bar = mx + Tolerance;
                p = i;
                q = j;
            }
        }
    }

    std::vector<double> &A;
    std::vector<double> &Vt;
    const int n;
    bool symmetric = true;  // exactly, at the start; rotations keep it so
    bool checkFinite = true;
    std::vector<double> rowMax;  // largest |A[i][j]| over j > i; one spare entry at the end
    std::vector<double> stale;  // 1 when rowMax is only an upper bound
    std::vector<double> oldP, oldQ;  // magnitudes in columns p and q before a rotation
};

} // namespace

Eig::Eig(QVector<QVector<double>> matrix, int n) : order(n < 0 ? 0 : n)
{
    decompose(matrix);
}

Eig::~Eig() = default;

void Eig::fail(const QString &why)
{
    errorMessage = why;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    values.fill(nan, order);
    vectorsT.fill(nan, order * order);
}

void Eig::decompose(const QVector<QVector<double>> &matrix)
{
    const int n = order;
    bool big = matrix.size() >= n;
    for (int i = 0; big && i < n; ++i)
        big = matrix[i].size() >= n;
    if (!big) {
        fail("matrix smaller than its order");
        return;
    }

    std::vector<double> A(size_t(n) * n);
    std::vector<double> Vt(size_t(n) * n, 0.0);
    bool ok = true;
    for (int i = 0; i < n; ++i) {
        const double *src = matrix[i].constData();
        for (int j = 0; j < n; ++j) {
            A[size_t(i) * n + j] = src[j];
            ok &= isFiniteValue(src[j]);
        }
        Vt[size_t(i) * n + i] = 1.0;
    }
    if (!ok) {
        fail("non-finite matrix entry");
        return;
    }

    Jacobi jacobi(A, Vt, n);
    const long budget = rotationBudget(n);
    long rotations = 0;
    int p, q;
    while (n > 1 && jacobi.pivot(p, q)) {
        if (++rotations > budget) {
            fail("rotation limit reached");
            return;
        }
        if (!jacobi.rotate(p, q)) {
            fail("non-finite value during rotations");
            return;
        }
    }

    // Largest first; equal values keep the order of their diagonal positions (a stable
    // sort on "greater", which is what neighbour exchanges on a strict comparison give).
    std::vector<int> idx(n);
    std::iota(idx.begin(), idx.end(), 0);
    std::stable_sort(idx.begin(), idx.end(),
                     [&jacobi](int a, int b) { return jacobi.at(a, a) > jacobi.at(b, b); });

    values.resize(n);
    vectorsT.resize(n * n);
    for (int k = 0; k < n; ++k) {
        values[k] = jacobi.at(idx[k], idx[k]);
        const double *src = &Vt[size_t(idx[k]) * n];
        std::copy(src, src + n, vectorsT.begin() + size_t(k) * n);
    }
}

QVector<QVector<double>> Eig::eigvecs() const
{
    const int n = order;
    QVector<QVector<double>> m(n, QVector<double>(n));
    for (int r = 0; r < n; ++r) {
        double *row = m[r].data();
        for (int k = 0; k < n; ++k)
            row[k] = vectorsT[k * n + r];
    }
    return m;
}

QVector<double> Eig::eigvec(int i) const
{
    if (i < 0 || i >= order) {
        std::cerr << "Error index out of range for Eig::vector(index)" << std::endl;
        return QVector<double>();
    }
    return QVector<double>(vectorsT.constBegin() + i * order, vectorsT.constBegin() + (i + 1) * order);
}
