#include "graph/Isomorphic.h"

#include "calculus/Eig.h"
#include "graph/Graph.h"

#include <QTime>
#include <QtGlobal>
#include <algorithm>
#include <cmath>
#include <iostream>
#include <map>
#include <vector>

namespace {

constexpr double Tolerance = 1e-6;
constexpr int MaxShake = 10;
constexpr int MaxIdleCycles = 9;
// Error given to a permutation whose spectrum could not be computed.
constexpr double Unreachable = 1e12;
// Extensions the exact matching may try before it leaves the graphs to the local search.
constexpr long MatchBudget = 2000000;

using adjacency::Row;
using adjacency::bit;
using adjacency::lowest;
using adjacency::popcount;

// Colour refinement of both graphs at once, from the degrees: a vertex's next colour
// stands for its colour and the multiset of its neighbours' colours. Returns false as soon
// as the two graphs differ in how many vertices carry a colour, which no relabelling can do.
bool refineColours(const Row *r1, const Row *r2, int n, std::vector<int> &c1, std::vector<int> &c2)
{
    for (int v = 0; v < n; ++v) {
        c1[v] = popcount(r1[v]);
        c2[v] = popcount(r2[v]);
    }
    int classes = 0;
    for (;;) {
        auto signature = [n](const Row *r, const std::vector<int> &c, int v) {
            std::vector<int> sig;
            for (int u = 0; u < n; ++u)
                if ((r[v] >> u) & 1u)
                    sig.push_back(c[u]);
            std::sort(sig.begin(), sig.end());
            sig.insert(sig.begin(), c[v]);
            return sig;
        };
        std::vector<std::vector<int>> s1(n), s2(n);
        std::map<std::vector<int>, int> ids;
        for (int v = 0; v < n; ++v) {
            s1[v] = signature(r1, c1, v);
            s2[v] = signature(r2, c2, v);
            ids[s1[v]] = 0;
            ids[s2[v]] = 0;
        }
        // Numbering the signatures in their sorted order names colours alike in both graphs.
        int next = 0;
        for (auto &entry : ids)
            entry.second = next++;
        for (int v = 0; v < n; ++v) {
            c1[v] = ids[s1[v]];
            c2[v] = ids[s2[v]];
        }
        std::vector<int> h1 = c1, h2 = c2;
        std::sort(h1.begin(), h1.end());
        std::sort(h2.begin(), h2.end());
        if (h1 != h2)
            return false;
        if (next == classes)
            return true;
        classes = next;
    }
}

// Depth-first extension of a colour-preserving, adjacency-preserving map from the first
// graph onto the second.
struct Matching
{
    const Row *r1;
    const Row *r2;
    int n;
    const std::vector<int> &c1;
    const std::vector<int> &c2;
    std::vector<int> order;  // first-graph vertices in the order they are mapped
    std::vector<int> image;
    Row placed = 0;  // mapped vertices of the first graph
    Row used = 0;    // their images
    long steps = 0;

    // 1 when every vertex is mapped, 0 when no extension exists, -1 past the budget.
    int extend(int depth)
    {
        if (depth == n)
            return 1;
        if (++steps > MatchBudget)
            return -1;
        const int v = order[depth];
        Row need = 0;
        for (Row r = r1[v] & placed; r; r &= r - 1)
            need |= bit(image[lowest(r)]);
        for (int w = 0; w < n; ++w) {
            if (((used >> w) & 1u) || c2[w] != c1[v] || (r2[w] & used) != need)
                continue;
            image[v] = w;
            placed |= bit(v);
            used |= bit(w);
            const int found = extend(depth + 1);
            if (found != 0)
                return found;
            placed &= ~bit(v);
            used &= ~bit(w);
        }
        return 0;
    }
};

} // namespace

Isomorphic::Isomorphic()
    : G1(new Graph("G1", false)), G2(new Graph("G2", false)),
      W(MaxOrder, QVector<double>(MaxOrder, 0.0)), t(MaxOrder, 0.0), p(MaxOrder, 0),
      bestP(MaxOrder, 0)
{
}

Isomorphic::~Isomorphic()
{
    delete G1;
    delete G2;
}

void Isomorphic::setG1(QString text)
{
    G1->loadorv(text, false);
    G1->best_backup();
}

void Isomorphic::setG2(QString text)
{
    G2->loadorv(text, false);
    G2->best_backup();
}

void Isomorphic::writeAdjacency(Graph *g, int offset)
{
    Graph::Row rows[Graph::MaxNodes];
    g->snapshot(rows);
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j) {
            const double a = ((rows[i] >> j) & 1u) ? 1.0 : 0.0;
            W[offset + i][offset + j] = a;
            W[offset + j][offset + i] = a;
        }
}

QVector<double> Isomorphic::spectrum(int order, bool *ok) const
{
    const Eig eig(W, order);
    *ok = eig.ok();
    return eig.eigvals();
}

double Isomorphic::eval()
{
    bool ok;
    const QVector<double> values = spectrum(N, &ok);
    ++evaluations;
    if (!ok)
        return Unreachable;
    double error = 0.0;
    for (int k = 0; k < N; ++k)
        error += std::fabs(values[k] - t[k]);
    return error;
}

void Isomorphic::bestbackup()
{
    for (int k = 0; k < N; ++k)
        bestP[k] = p[k];
}

void Isomorphic::bestrestore()
{
    for (int k = 0; k < N; ++k)
        p[k] = bestP[k];
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            W[i][n + j] = 0.0;
            W[n + j][i] = 0.0;
        }
    for (int i = 0; i < n; ++i)
        setLinks(i);
}

void Isomorphic::clearLinks(int x)
{
    W[n + p[x]][x] = 0.0;
    W[x][n + p[x]] = 0.0;
}

void Isomorphic::setLinks(int x)
{
    W[n + p[x]][x] = 1.0;
    W[x][n + p[x]] = 1.0;
}

void Isomorphic::swap(int a, int b)
{
    clearLinks(a);
    clearLinks(b);
    std::swap(p[a], p[b]);
    setLinks(a);
    setLinks(b);
}

void Isomorphic::rotate3(int a, int b, int c)
{
    clearLinks(a);
    clearLinks(b);
    clearLinks(c);
    const int old = p[a];
    p[a] = p[b];
    p[b] = p[c];
    p[c] = old;
    setLinks(a);
    setLinks(b);
    setLinks(c);
}

void Isomorphic::rotate4(int a, int b, int c, int d)
{
    clearLinks(a);
    clearLinks(b);
    clearLinks(c);
    clearLinks(d);
    const int old = p[a];
    p[a] = p[b];
    p[b] = p[c];
    p[c] = p[d];
    p[d] = old;
    setLinks(a);
    setLinks(b);
    setLinks(c);
    setLinks(d);
}

void Isomorphic::perturb(int k)
{
    if (n < 2)
        return;
    for (int s = 0; s < k; ++s) {
        const int a = qrand() % n;
        int b = qrand() % (n - 1);
        if (b == a)
            b = n - 1;
        swap(a, b);
    }
}

Isomorphic::Verdict Isomorphic::judge(const char *tag)
{
    const double v = eval();
    // An error that is not clearly lower (NaN included) undoes the move.
    if (!(v < current - Tolerance))
        return Verdict::Rejected;
    current = v;
    if (v < bestError - Tolerance) {
        bestError = v;
        bestbackup();
        std::cerr << tag << v << std::endl;
        shake = 0;
        idleCycles = 0;
        if (v < Tolerance)
            return Verdict::Solved;
    }
    return Verdict::Accepted;
}

bool Isomorphic::settle(Verdict v, bool &accepted, bool &solved)
{
    if (v != Verdict::Rejected)
        accepted = true;
    solved = v == Verdict::Solved;
    return solved;
}

bool Isomorphic::passSwaps(bool &solved)
{
    bool accepted = false;
    for (int i = 0; i + 1 < n; ++i)
        for (int j = i + 1; j < n; ++j) {
            swap(i, j);
            const Verdict v = judge("d ");
            if (v == Verdict::Rejected)
                swap(i, j);
            if (settle(v, accepted, solved))
                return true;
        }
    return accepted;
}

bool Isomorphic::passRotate3(bool &solved)
{
    bool accepted = false;
    for (int a = 0; a < n; ++a)
        for (int b = 0; b < n; ++b)
            for (int c = 0; c < n; ++c) {
                if (b == a || c == a || c == b)
                    continue;
                rotate3(a, b, c);
                const Verdict v = judge("t ");
                if (v == Verdict::Rejected)
                    rotate3(c, b, a);
                if (settle(v, accepted, solved))
                    return true;
            }
    return accepted;
}

bool Isomorphic::passDoubleSwaps(bool &solved)
{
    bool accepted = false;
    for (int i = 0; i + 1 < n; ++i)
        for (int j = i + 1; j < n; ++j) {
            swap(i, j);
            bool second = false;
            for (int a = 0; a < n; ++a)
                for (int b = 0; b < n; ++b) {
                    if (a == i || a == j || b == i || b == j || b == a)
                        continue;
                    swap(a, b);
                    const Verdict v = judge("w ");
                    if (v == Verdict::Rejected)
                        swap(a, b);
                    if (settle(v, second, solved))
                        return true;
                }
            if (!second)
                swap(i, j);
            accepted = accepted || second;
        }
    return accepted;
}

bool Isomorphic::passRotate4(bool &solved)
{
    bool accepted = false;
    for (int a = 0; a < n; ++a)
        for (int b = 0; b < n; ++b)
            for (int c = 0; c < n; ++c)
                for (int d = 0; d < n; ++d) {
                    // d may equal c: the move is then a 3-rotation.
                    if (b == a || c == a || c == b || d == a || d == b)
                        continue;
                    rotate4(a, b, c, d);
                    const Verdict v = judge("q ");
                    if (v == Verdict::Rejected)
                        rotate4(d, c, b, a);
                    if (settle(v, accepted, solved))
                        return true;
                }
    return accepted;
}

int Isomorphic::matchExactly()
{
    Row r1[Graph::MaxNodes], r2[Graph::MaxNodes];
    G1->snapshot(r1);
    G2->snapshot(r2);
    std::vector<int> c1(n), c2(n);
    if (!refineColours(r1, r2, n, c1, c2))
        return 0;

    std::vector<int> classSize(n, 0);
    for (int v = 0; v < n; ++v)
        ++classSize[c1[v]];
    Matching m{r1, r2, n, c1, c2, {}, std::vector<int>(n, -1)};
    // Vertices with many mapped neighbours first, then those of rare colours: both cut
    // the candidates down early.
    Row chosen = 0;
    for (int depth = 0; depth < n; ++depth) {
        int best = -1, bestLinks = -1;
        for (int v = 0; v < n; ++v) {
            if ((chosen >> v) & 1u)
                continue;
            const int links = popcount(r1[v] & chosen);
            if (best < 0 || links > bestLinks || (links == bestLinks && classSize[c1[v]] < classSize[c1[best]])) {
                best = v;
                bestLinks = links;
            }
        }
        m.order.push_back(best);
        chosen |= bit(best);
    }

    const int found = m.extend(0);
    if (found != 1)
        return found;
    // The map preserves every adjacency and non-adjacency, so it is an isomorphism whatever
    // rounding leaves in the spectral error; it becomes the current permutation.
    for (int i = 0; i < n; ++i)
        bestP[i] = m.image[i];
    bestrestore();
    bestError = current = eval();
    return 1;
}

int Isomorphic::isIsomorphic()
{
    evaluations = 0;
    if (G1->getNbNodes() != G2->getNbNodes())
        return -1;
    if (G1->getNbEdges() != G2->getNbEdges())
        return -1;

    n = G1->getNbNodes();
    N = 2 * n;
    // No permutation to search below two vertices (the random swap needs two): graphs of
    // equal order and size are then the same graph.
    if (n < 2)
        return 1;

    qsrand(uint(QTime::currentTime().msec()));

    for (int i = 0; i < N; ++i)
        for (int j = 0; j < N; ++j)
            W[i][j] = 0.0;

    bool ok1, ok2;
    writeAdjacency(G2, 0);
    const QVector<double> spectrum2 = spectrum(n, &ok2);
    writeAdjacency(G1, 0);
    const QVector<double> spectrum1 = spectrum(n, &ok1);
    if (!ok1 || !ok2)
        return 0;
    for (int k = 0; k < n; ++k)
        if (std::fabs(spectrum1[k] - spectrum2[k]) > Tolerance)
            return 0;

    for (int k = 0; k < n; ++k) {
        t[2 * k] = spectrum1[k] + 1.0;
        t[2 * k + 1] = spectrum1[k] - 1.0;
    }
    for (bool exchanged = true; exchanged;) {
        exchanged = false;
        for (int i = 0; i + 1 < N; ++i)
            if (t[i + 1] > t[i] + Tolerance) {
                std::swap(t[i], t[i + 1]);
                exchanged = true;
            }
    }

    writeAdjacency(G2, n);
    for (int k = 0; k < n; ++k) {
        W[k][n + k] = 1.0;
        W[n + k][k] = 1.0;
        p[k] = k;
    }

    bestError = eval();
    bestbackup();
    evaluations = 0;
    current = bestError;
    // The labelling as given already matches: no move could improve on it.
    if (std::fabs(bestError) <= Tolerance)
        return 1;

    // An exact matching settles almost every pair at once; the local search below is left
    // with the pairs it cannot decide within its budget.
    const int exact = matchExactly();
    if (exact >= 0)
        return exact;
    bestrestore();

    bool (Isomorphic::*const descents[])(bool &) = {&Isomorphic::passSwaps, &Isomorphic::passRotate3,
                                                    &Isomorphic::passDoubleSwaps, &Isomorphic::passRotate4};
    idleCycles = 0;
    while (evaluations < evaluationLimit) {
        ++idleCycles;
        shake = 0;
        while (evaluations < evaluationLimit) {
            bestrestore();
            perturb(shake);
            current = eval();
            for (auto descent : descents) {
                bool solved = false;
                while (evaluations < evaluationLimit && (this->*descent)(solved))
                    if (solved)
                        return 1;
            }
            if (++shake >= MaxShake)
                break;
        }
        if (idleCycles > MaxIdleCycles)
            break;
    }

    bestrestore();
    endSearch();
    return std::fabs(bestError) <= Tolerance ? 1 : 0;
}

void Isomorphic::endSearch()
{
    // Each vertex of either graph must be linked to exactly one vertex of the other.
    for (int i = 0; i < n; ++i) {
        int fromSecond = 0, fromFirst = 0;
        for (int j = 0; j < n; ++j) {
            fromSecond += W[n + i][j] != 0.0;
            fromFirst += W[i][n + j] != 0.0;
        }
        if (fromSecond != 1)
            std::cerr << "ERR" << std::endl;
        if (fromFirst != 1)
            std::cerr << "ERR" << std::endl;
    }
    std::cerr << current << " loc" << std::endl;
}

void Isomorphic::display() const
{
    for (int r = 0; r < N; ++r) {
        std::cerr << "[" << p[r] << "] ";
        for (int c = 0; c < N; ++c)
            std::cerr << W[r][c] << ' ';
        std::cerr << '\n';
    }
    std::cerr.flush();
}
