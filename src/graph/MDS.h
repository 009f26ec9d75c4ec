#ifndef MDS_H
#define MDS_H

#include <cstdint>
#include <vector>

class Graph;

// Multidimensional scaling layout: places the vertices of a graph in 2 or 3 dimensions so
// that Euclidean distances approximate graph distances (stress minimisation by adaptive
// gradient descent inside a short variable neighbourhood search). Constructing the object
// runs the whole layout and writes the positions into the graph; the caller then deletes
// it. A graph without edges is laid out as if its largest distance were 1, so every pair
// only repels until it is `scale` apart and the positions stay finite.
class MDS
{
public:
    MDS(Graph *g, double scale, int dims);
    ~MDS();

    void load(Graph *g);
    void random_solution();
    void compute_distance();
    double stress() const;
    double kernel(double x) const { return 1.0 / x; }
    void compute_grad();
    void apply(double t);
    void std_local_search();
    void local_search();
    void backup() { B = X; }
    void restore() { X = B; }
    void backup1() { X1 = X; }
    void restore1() { X = X1; }
    void perturb(unsigned k);
    void stdpert(unsigned k) { perturb(k); }
    double unif01() const;
    void vns();
    void optimize();
    bool isConnected() const { return connected; }
    void display() const;

private:
    // Error of one pair: none while a pair of different components is more than cut apart.
    double pairError(std::uint32_t i, std::uint32_t j) const;

    Graph *graph;
    std::uint32_t n = 0;
    int dims;
    double scale;
    double eps = 1e-5;
    double initialStep = 0.05;
    std::vector<double> D;   // n x n target distances
    std::vector<double> X;   // n x dims positions
    std::vector<double> B;   // best positions
    std::vector<double> X1;  // second saved layout
    std::vector<double> d;   // n x n current distances
    std::vector<double> G;   // n x dims gradient
    double bestStress = 0.0;
    double cut = 0.0;
    std::uint32_t kmin = 1;
    std::uint32_t kmax = 0;
    bool connected = false;
};

#endif
