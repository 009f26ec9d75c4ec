#include "graph/MDS.h"

#include "graph/Graph.h"

#include <QPointF>
#include <QtGlobal>
#include <cmath>
#include <iostream>

namespace {

constexpr double StepFloor = 1e-8;
constexpr double Shrink = 0.9;
constexpr double Growth = 1.25;
constexpr int GrowthAfter = 6;
constexpr int Iterations = 10;
constexpr double ShakeRange = 200.0;
constexpr int Grid = 100000;
// The descent ends once its step falls under the floor, after a few hundred trials on
// graphs of up to 32 vertices; this bound only guarantees the end on any input.
constexpr long MaxTrials = 20000;

double draw()
{
    return (qrand() % Grid) / double(Grid);
}

} // namespace

// Only 2 and 3 dimensions are laid out; anything else is taken as 2, since the write-back
// reads at least two coordinates per vertex.
MDS::MDS(Graph *g, double scale_, int dims_) : graph(g), dims(dims_ == 3 ? 3 : 2), scale(scale_)
{
    n = std::uint32_t(g->getNbNodes());
    connected = false;
    load(g);
    const size_t cells = size_t(n) * dims;
    X.assign(cells, 0.0);
    B.assign(cells, 0.0);
    X1.assign(cells, 0.0);
    G.assign(cells, 0.0);
    d.assign(size_t(n) * n, 0.0);
    kmin = 1;
    kmax = n;
    random_solution();
    compute_distance();
    optimize();
}

MDS::~MDS() = default;

void MDS::load(Graph *g)
{
    graph = g;
    D.assign(size_t(n) * n, double(n));

    // The best graph, read once: bestEdge(u, v) for every pair, under one lock.
    Graph::Row rows[Graph::MaxNodes];
    g->bestSnapshot(rows);

    double m = 0.0;
    std::vector<std::uint32_t> queue(n);
    std::vector<bool> marked(n);
    for (std::uint32_t s = 0; s < n; ++s) {
        std::fill(marked.begin(), marked.end(), false);
        std::uint32_t head = 0, tail = 0;
        queue[tail++] = s;
        marked[s] = true;
        D[s * n + s] = 0.0;
        while (head < tail) {
            const std::uint32_t u = queue[head++];
            for (std::uint32_t v = 0; v < n; ++v) {
                if (marked[v] || !((rows[u] >> v) & 1u))
                    continue;
                queue[tail++] = v;
                marked[v] = true;
                D[s * n + v] = D[s * n + u] + 1.0;
                if (D[s * n + v] > m + eps)
                    m = D[s * n + v];
            }
        }
    }
    connected = double(n) - eps > m;

    // Without any edge there is no distance to scale by; treating the largest one as 1
    // keeps every target finite (unreachable pairs then get n * scale, above the cut).
    if (m <= 0.0)
        m = 1.0;
    const double factor = scale / m;
    for (double &x : D)
        x *= factor;
    cut = factor * m;
}

void MDS::random_solution()
{
    for (std::uint32_t i = 0; i < n; ++i)
        for (int c = 0; c < dims; ++c)
            X[i * dims + c] = draw() * cut;
}

void MDS::compute_distance()
{
    for (std::uint32_t i = 0; i < n; ++i)
        for (std::uint32_t j = i + 1; j < n; ++j) {
            double sum = 0.0;
            for (int c = 0; c < dims; ++c) {
                const double diff = X[i * dims + c] - X[j * dims + c];
                sum += diff * diff;
            }
            d[i * n + j] = d[j * n + i] = std::sqrt(sum);
        }
}

double MDS::pairError(std::uint32_t i, std::uint32_t j) const
{
    const double target = D[i * n + j];
    const double current = d[i * n + j];
    if (target > cut && current > cut)
        return 0.0;
    return current - target;
}

double MDS::stress() const
{
    double sum = 0.0;
    for (std::uint32_t i = 0; i < n; ++i)
        for (std::uint32_t j = i + 1; j < n; ++j) {
            const double e = pairError(i, j);
            sum += e * e;
        }
    return sum;
}

void MDS::compute_grad()
{
    std::fill(G.begin(), G.end(), 0.0);
    for (std::uint32_t i = 0; i < n; ++i)
        for (std::uint32_t j = 0; j < n; ++j) {
            if (i == j)
                continue;
            const double w = kernel(D[i * n + j]) * pairError(i, j);
            for (int c = 0; c < dims; ++c)
                G[i * dims + c] += w * (X[i * dims + c] - X[j * dims + c]);
        }
}

void MDS::apply(double t)
{
    for (size_t k = 0; k < X.size(); ++k)
        X[k] -= t * G[k];
}

void MDS::std_local_search()
{
    double step = initialStep;
    compute_distance();
    double previous = 2.0 * stress();
    int count = 0;
    for (long trial = 0; step > StepFloor && trial < MaxTrials; ++trial) {
        compute_grad();
        apply(step);
        compute_distance();
        const double s = stress();
        if (s < previous - eps) {
            if (s < bestStress - eps) {
                bestStress = s;
                backup();
            }
            if (++count >= GrowthAfter)
                step *= Growth;
            previous = s;
        } else {
            // Back by the reduced step only: the positions end a tenth of the old step
            // short of where they were.
            step *= Shrink;
            apply(-step);
            compute_distance();
            count = 0;
        }
    }
}

void MDS::local_search()
{
    std_local_search();
    restore();
}

void MDS::perturb(unsigned k)
{
    if (n == 0)
        return;
    for (unsigned t = 0; t < k; ++t) {
        const std::uint32_t v = std::uint32_t(qrand()) % n;
        for (int c = 0; c < dims; ++c)
            X[v * dims + c] = draw() * ShakeRange;
    }
}

double MDS::unif01() const
{
    return draw();
}

void MDS::vns()
{
    std::uint32_t k = kmin;
    compute_distance();
    double current = stress();
    for (int it = 0; it < Iterations; ++it) {
        local_search();
        // The distances still belong to where the descent stopped, not to the best layout.
        const double s = stress();
        if (s < current - eps) {
            if (bestStress < eps)
                return;
            k = kmin;
            current = s;
        } else {
            if (++k > kmax)
                k = kmin;
            restore();
        }
        perturb(k);
    }
    restore();
    compute_distance();
}

void MDS::optimize()
{
    compute_distance();
    bestStress = n == 0 ? 0.0 : stress();
    backup();
    vns();

    for (int c = 0; c < dims && n > 0; ++c) {
        double mean = 0.0;
        for (std::uint32_t i = 0; i < n; ++i)
            mean += X[i * dims + c];
        mean /= n;
        for (std::uint32_t i = 0; i < n; ++i)
            X[i * dims + c] -= mean;
    }

    for (std::uint32_t i = 0; i < n; ++i) {
        if (dims == 3)
            graph->setPos(int(i), X[i * dims], X[i * dims + 1], X[i * dims + 2]);
        else
            graph->setPos(int(i), QPointF(X[i * dims], X[i * dims + 1]));
    }
}

void MDS::display() const
{
    std::cout << "Coordinates:" << std::endl;
    for (std::uint32_t i = 0; i < n; ++i) {
        for (int c = 0; c < dims; ++c)
            std::cout << X[i * dims + c] << ' ';
        std::cout << std::endl;
    }
}
