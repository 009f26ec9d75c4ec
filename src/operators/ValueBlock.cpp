#include "operators/ValueBlock.h"

#include <QMutexLocker>
#include <cmath>

ValueBlock::ValueBlock(Calculus *item)
{
    QMutexLocker locker(&item->getValueLock());
    // Shapes beyond the storage are refused before any copy; clamp anyway so a copy can never
    // read outside it.
    r = qBound(0, item->getNbRows(), int(Calculus::MaxSize));
    c = qBound(0, item->getNbCols(), int(Calculus::MaxSize));
    for (int i = 0; i < r; ++i)
        for (int j = 0; j < c; ++j)
            e[i][j] = item->entry(i, j);
}

bool ValueBlock::cosineWith(const ValueBlock &o, double &cosine) const
{
    double s1 = 0.0, s2 = 0.0;
    for (int i = 0; i < r; ++i)
        for (int j = 0; j < c; ++j) {
            s1 += e[i][j] * e[i][j];
            s2 += o.e[i][j] * o.e[i][j];
        }
    const double root = std::sqrt(s2 * s1);
    if (root < 1e-6)
        return false;
    double sum = 0.0;
    for (int i = 0; i < r; ++i)
        for (int j = 0; j < c; ++j)
            sum += e[i][j] * o.e[i][j] / root;
    if (sum < -0.999999)
        sum = -1.0;
    if (sum > 0.999999)
        sum = 1.0;
    cosine = sum;
    return true;
}

double ValueBlock::distanceTo(const ValueBlock &o) const
{
    double sum = 0.0;
    for (int i = 0; i < r; ++i)
        for (int j = 0; j < c; ++j) {
            const double d = e[i][j] - o.e[i][j];
            sum += d * d;
        }
    return std::sqrt(sum);
}
