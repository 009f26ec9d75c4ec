#ifndef OPTIMALSOLUTIONS_H
#define OPTIMALSOLUTIONS_H

#include "optimizer/Solution.h"

#include <QString>
#include <QVector>
#include <atomic>
#include <mutex>

// The archive of the best graphs of one job, or of one worker's local search. Every value
// is minimised: a graph that violates nothing beats one that does, smaller violations win
// lexicographically, and among the rest the archive keeps the solutions whose objective
// points no registered point dominates (all comparisons within 1e-6). The registered points
// are the reference front; each stored solution keeps at least one point matching one of them.
//
// A NaN is never a good value: an objective holding one counts as a violation, its point
// never enters the front, and a NaN violation compares as larger than any number.
//
// Threads: addSolution, clear, open, close and updateSolutions take the archive's own
// mutex; the read accessors do not, so a reader that needs several of them consistent holds
// lock() around them. The owner writes `name` directly.
class OptimalSolutions
{
public:
    using Point = QVector<double>;

    OptimalSolutions() = default;
    ~OptimalSolutions();
    OptimalSolutions(const OptimalSolutions &) = delete;
    OptimalSolutions &operator=(const OptimalSolutions &) = delete;

    // True: the archive took the solution and owns it. False: the caller still owns it.
    bool addSolution(Solution *s);
    void updateSolutions();
    void clear();

    int size() const { return solutions.size(); }
    int nbPoints() const { return points.size(); }
    QVector<QString> graphs() const;
    QString graph(int i) const;
    Solution *lastSolution() const { return solutions.isEmpty() ? nullptr : solutions.last(); }
    Solution *OSSolution(int i) const;
    const QVector<Point> &registeredPoints() const { return points; }
    void display() const;

    void setFamily(bool b) { family.store(b, std::memory_order_relaxed); }
    bool getFamily() const { return family.load(std::memory_order_relaxed); }
    void open();
    void close();
    bool isClosed() const { return closed.load(std::memory_order_acquire); }
    void lock() { mutex.lock(); }
    void unlock() { mutex.unlock(); }

    // The objective points of a record: as many as its longest objective vector, point i
    // taking entry i of each vector of that length and entry 0 of the shorter ones. False
    // when an objective vector is empty.
    static bool objectivePoints(const Eval &e, QVector<Point> &out);
    // p[k] >= q[k] - 1e-6 for every k: equal points dominate each other.
    static bool dominatedBy(const Point &p, const Point &q);
    static bool matches(const Point &p, const Point &q);

    QString name;

private:
    // The dominance test of one point; registers it when nothing dominates it. Mutex held.
    bool isDominated(const Point &p);
    // Violated, for the archive: a violation or error above the tolerance, or a NaN objective.
    static bool violatedRecord(const Eval &e);
    void deleteAll();

    QVector<Solution *> solutions;
    // std::mutex rather than QMutex: ThreadSanitizer sees every hand-off through it.
    std::mutex mutex;
    std::atomic<bool> family{true};
    std::atomic<bool> closed{false};
    QVector<Point> points;
    // The newcomer's points, kept from offer to offer; mutex held.
    QVector<Point> scratchPoints;
};

#endif
