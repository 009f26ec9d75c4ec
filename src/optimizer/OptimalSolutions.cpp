#include "optimizer/OptimalSolutions.h"

#include <cmath>
#include <iostream>
#include <limits>

namespace {
constexpr double Tolerance = 1e-6;

bool hasNaN(const OptimalSolutions::Point &p)
{
    for (double x : p)
        if (std::isnan(x))
            return true;
    return false;
}

// A NaN violation ranks after every number, so that it never wins the lexicographic walk.
double ranked(double v)
{
    return std::isnan(v) ? std::numeric_limits<double>::infinity() : v;
}
} // namespace

OptimalSolutions::~OptimalSolutions()
{
    deleteAll();
}

void OptimalSolutions::deleteAll()
{
    for (Solution *s : solutions)
        delete s;
    solutions.clear();
}

bool OptimalSolutions::objectivePoints(const Eval &e, QVector<Point> &out)
{
    const QVector<QVector<double>> &z = *e.z();
    int m = 0;
    for (const QVector<double> &v : z) {
        if (v.isEmpty()) {
            out.clear();
            return false;
        }
        m = qMax(m, v.size());
    }
    // The points already held are overwritten in place: a caller that keeps its list from
    // call to call allocates nothing for a record like the last.
    out.resize(m);
    for (int i = 0; i < m; ++i) {
        Point &p = out[i];
        p.resize(z.size());
        for (int k = 0; k < z.size(); ++k)
            p[k] = z[k].size() == m ? z[k][i] : z[k][0];
    }
    return true;
}

bool OptimalSolutions::dominatedBy(const Point &p, const Point &q)
{
    for (int k = 0; k < p.size(); ++k)
        if (!(p[k] >= q[k] - Tolerance))
            return false;
    return true;
}

bool OptimalSolutions::matches(const Point &p, const Point &q)
{
    if (p.size() != q.size())
        return false;
    for (int k = 0; k < p.size(); ++k)
        if (!(std::fabs(p[k] - q[k]) <= Tolerance))
            return false;
    return true;
}

bool OptimalSolutions::violatedRecord(const Eval &e)
{
    if (e.violated())
        return true;
    for (const QVector<double> &v : *e.z())
        for (double x : v)
            if (std::isnan(x))
                return true;
    return false;
}

bool OptimalSolutions::isDominated(const Point &p)
{
    // A point holding a NaN is worse than anything: it is never registered.
    if (hasNaN(p))
        return true;
    bool dominated = false;
    for (const Point &q : points) {
        if (q.size() != p.size())
            return false;
        if (dominatedBy(p, q))
            dominated = true;
    }
    if (dominated)
        return true;
    for (int i = points.size() - 1; i >= 0; --i)
        if (dominatedBy(points[i], p))
            points.remove(i);
    points.append(p);
    return false;
}

bool OptimalSolutions::addSolution(Solution *s)
{
    if (!s || closed.load(std::memory_order_acquire))
        return false;
    std::unique_lock<std::mutex> locker(mutex);
    // Checked again under the lock: a close from another thread is final once it returned.
    if (closed.load(std::memory_order_relaxed))
        return false;
    const Eval &n = *s->getValue();
    QVector<Point> &newPoints = scratchPoints;
    if (!objectivePoints(n, newPoints))
        return false;
    const bool isFamily = family.load(std::memory_order_relaxed);
    if (!isFamily && newPoints.size() > 1)
        return false;

    // The first solution of an empty archive, or one that wins on violation, becomes the
    // whole archive and its points the whole front: a later newcomer is measured against it.
    auto takeAlone = [&] {
        deleteAll();
        points.clear();
        for (const Point &p : newPoints)
            isDominated(p);
        solutions.append(s);
        return true;
    };
    if (solutions.isEmpty())
        return takeAlone();

    const Eval &f = *solutions.first()->getValue();
    const bool fViolated = violatedRecord(f);
    const bool nViolated = violatedRecord(n);
    if (!fViolated && nViolated)
        return false;
    if (fViolated && !nViolated) {
        deleteAll();
        points.clear();
    } else if (fViolated && nViolated) {
        bool better = false;
        for (int i = 0; i < f.size() && !better; ++i) {
            const double fv = ranked(f.value(i));
            const double nv = ranked(n.value(i));
            if (nv - Tolerance > fv)
                return false;
            if (fv > nv + Tolerance)
                better = true;
        }
        if (better)
            return takeAlone();
    }

    // Every point is tested, since each test may register its point.
    bool allDominated = true;
    for (const Point &p : newPoints)
        if (!isDominated(p))
            allDominated = false;
    if (allDominated)
        return false;
    if (!isFamily) {
        deleteAll();
        points = {newPoints.first()};
    }
    solutions.append(s);
    locker.unlock();
    updateSolutions();
    return true;
}

void OptimalSolutions::updateSolutions()
{
    std::lock_guard<std::mutex> locker(mutex);
    QVector<Point> own;
    for (int i = solutions.size() - 1; i >= 0; --i) {
        Solution *s = solutions[i];
        bool kept = false;
        if (objectivePoints(*s->getValue(), own))
            for (const Point &p : own) {
                for (const Point &q : points)
                    if (matches(p, q)) {
                        kept = true;
                        break;
                    }
                if (kept)
                    break;
            }
        if (!kept) {
            solutions.remove(i);
            delete s;
        }
    }
}

void OptimalSolutions::clear()
{
    std::lock_guard<std::mutex> locker(mutex);
    deleteAll();
    points.clear();
}

QVector<QString> OptimalSolutions::graphs() const
{
    QVector<QString> texts;
    texts.reserve(solutions.size());
    for (Solution *s : solutions)
        texts.append(s ? s->getGraph() : QString());
    return texts;
}

QString OptimalSolutions::graph(int i) const
{
    if (i < 0 || i >= solutions.size())
        return QString();
    if (!solutions[i]) {
        std::cerr << "Unallocated solution" << std::endl;
        return QString();
    }
    return solutions[i]->getGraph();
}

Solution *OptimalSolutions::OSSolution(int i) const
{
    if (i < 0 || i >= solutions.size())
        return nullptr;
    return solutions[i];
}

void OptimalSolutions::display() const
{
    std::cerr << solutions.size() << "-----------Solutions-------------" << name.toStdString() << std::endl;
    for (Solution *s : solutions)
        if (s)
            s->display();
}

void OptimalSolutions::open()
{
    std::lock_guard<std::mutex> locker(mutex);
    closed.store(false, std::memory_order_release);
}

void OptimalSolutions::close()
{
    std::lock_guard<std::mutex> locker(mutex);
    closed.store(true, std::memory_order_release);
}
