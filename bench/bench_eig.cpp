#include "calculus/Eig.h"

#include <benchmark/benchmark.h>
#include <random>

namespace {

using Matrix = QVector<QVector<double>>;

// Laplacian of a G(32, 1/2) drawn from a fixed seed.
Matrix laplacianGnp(int n, unsigned seed)
{
    std::mt19937 gen(seed);
    std::bernoulli_distribution coin(0.5);
    Matrix L(n, QVector<double>(n, 0.0));
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            if (coin(gen)) {
                L[i][j] = L[j][i] = -1.0;
                L[i][i] += 1.0;
                L[j][j] += 1.0;
            }
    return L;
}

Matrix randomSymmetric(int n, unsigned seed)
{
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    Matrix m(n, QVector<double>(n, 0.0));
    for (int i = 0; i < n; ++i)
        for (int j = i; j < n; ++j)
            m[i][j] = m[j][i] = u(gen);
    return m;
}

void runEig(benchmark::State &state, const Matrix &m)
{
    for (auto _ : state) {
        Eig e(m, m.size());
        benchmark::DoNotOptimize(e.eigvals().constData());
    }
}

void BM_EigLaplacianGnp32(benchmark::State &state)
{
    runEig(state, laplacianGnp(32, 12345u));
}
BENCHMARK(BM_EigLaplacianGnp32)->Unit(benchmark::kMicrosecond);

void BM_EigRandomSymmetric32(benchmark::State &state)
{
    runEig(state, randomSymmetric(32, 777u));
}
BENCHMARK(BM_EigRandomSymmetric32)->Unit(benchmark::kMicrosecond);

} // namespace
