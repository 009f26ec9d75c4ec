#include "calculus/Cholesky.h"

#include <cmath>

Cholesky::Cholesky(QVector<QVector<double>> matrix, int n)
{
    if (n < 0)
        n = 0;
    factor = QVector<QVector<double>>(n, QVector<double>(n, 0.0));
    for (int i = 0; i < n; ++i)
        if (i >= matrix.size() || matrix[i].size() < n) {
            success = false;
            return;
        }

    QVector<QVector<double>> &L = factor;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j <= i; ++j)
            L[i][j] = matrix[i][j];

    for (int j = 0; j < n; ++j) {
        double pivot = L[j][j];
        for (int k = 0; k < j; ++k)
            pivot -= L[j][k] * L[j][k];
        // NaN and infinite pivots fail too: they come from entries that make no factor.
        if (!(pivot > 0.0) || !std::isfinite(pivot)) {
            success = false;
            factor = QVector<QVector<double>>(n, QVector<double>(n, 0.0));
            return;
        }
        const double d = std::sqrt(pivot);
        L[j][j] = d;
        for (int i = j + 1; i < n; ++i) {
            double v = L[i][j];
            for (int k = 0; k < j; ++k)
                v -= L[i][k] * L[j][k];
            L[i][j] = v / d;
        }
    }
}
