#ifndef ISOMORPHIC_H
#define ISOMORPHIC_H

#include <QString>
#include <QVector>

class Graph;

// Isomorphism test of two graphs given as graph texts. Vertex counts, edge counts and
// adjacency spectra are compared first. A permutation P maps G1 onto G2 exactly when
// [[A1, P], [P^T, A2]] has the spectrum of A1 shifted by +1 and by -1; it is looked for by
// an exact colour-refined matching and, should that exceed its budget, by a randomised
// local search over permutations on that spectral error.
//
// isIsomorphic(): -1 when the vertex or edge counts differ, 1 when a permutation was
// found, 0 otherwise. Graphs of fewer than 2 vertices with equal counts are isomorphic.
class Isomorphic
{
public:
    Isomorphic();
    ~Isomorphic();
    Isomorphic(const Isomorphic &) = delete;
    Isomorphic &operator=(const Isomorphic &) = delete;

    void setG1(QString text);
    void setG2(QString text);
    int isIsomorphic();

    double eval();
    void bestbackup();
    void bestrestore();
    void swap(int a, int b);
    void rotate3(int a, int b, int c);
    void rotate4(int a, int b, int c, int d);
    void perturb(int k);
    void display() const;

private:
    static constexpr int MaxOrder = 64;

    // Outcome of judging one move of a descent.
    enum class Verdict { Rejected, Accepted, Solved };

    void writeAdjacency(Graph *g, int offset);
    QVector<double> spectrum(int order, bool *ok) const;
    void clearLinks(int x);
    void setLinks(int x);
    Verdict judge(const char *tag);
    // Records a judged move; true when it solved the search.
    static bool settle(Verdict v, bool &accepted, bool &solved);
    // Exact search for an isomorphism: 1 found (and made current), 0 none exists, -1 undecided.
    int matchExactly();
    // One pass of each descent; true when it accepted a move. Sets solved on success.
    bool passSwaps(bool &solved);
    bool passRotate3(bool &solved);
    bool passDoubleSwaps(bool &solved);
    bool passRotate4(bool &solved);
    void endSearch();

    Graph *G1;
    Graph *G2;
    QVector<QVector<double>> W;
    QVector<double> t;
    QVector<int> p;
    QVector<int> bestP;
    int N = 0;
    int n = 0;
    int evaluations = 0;
    double bestError = 0.0;
    int evaluationLimit = 100000;
    // Search state shared by the descents: current error, shaking size, idle cycles.
    double current = 0.0;
    int shake = 0;
    int idleCycles = 0;
};

#endif
