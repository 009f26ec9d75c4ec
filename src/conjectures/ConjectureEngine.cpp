#include "conjectures/ConjectureEngine.h"

#include "calculus/Eig.h"

#include <QHash>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>

namespace {

constexpr double Tolerance = 1e-6;
constexpr int RepairAttempts = 5;
constexpr int ShakeSwaps = 1000;

QString number(double v)
{
    return QString::number(v, 'g', 6);
}

// Fewer violations, or as many with a strictly smaller error; touching plays no part.
bool beats(int violations, double sumErr, int otherViolations, double otherSumErr)
{
    return violations < otherViolations || (violations == otherViolations && sumErr < otherSumErr);
}

} // namespace

ConjectureEngine::ConjectureEngine(int id) : QThread(nullptr), id(id)
{
    qRegisterMetaType<Conjecture *>("Conjecture*");
}

ConjectureEngine::~ConjectureEngine()
{
    stop.store(true);
    QThread::wait();
    // The run lowers this flag after its last write to the engine; reading it orders those
    // writes before the destruction also for race detectors, which cannot see inside Qt.
    running.load();
}

void ConjectureEngine::clearJob()
{
    points.reset(0);
    graphNumbers.clear();
    header.clear();
    idle.store(true);
}

void ConjectureEngine::clear()
{
    if (running.load())
        return;
    clearJob();
    nonFinite = 0;
}

void ConjectureEngine::setSq(bool on)
{
    if (idle.load())
        sq = on;
}

void ConjectureEngine::setProd(bool on)
{
    if (idle.load())
        prod = on;
}

void ConjectureEngine::setCombine(bool on)
{
    if (idle.load())
        combine = on;
}

void ConjectureEngine::setHeader(const QStringList &names)
{
    if (!idle.load())
        return;
    header = names;
    points.reset(names.size());
    graphNumbers.clear();
    nonFinite = 0;
}

void ConjectureEngine::setWeights(const QVector<double> &w)
{
    if (running.load())
        return;
    weights = w;
}

void ConjectureEngine::addPoint(const QVector<double> &point, int graphNo)
{
    if (!idle.load() || point.size() != header.size())
        return;
    for (double v : point)
        if (!std::isfinite(v)) {
            ++nonFinite;
            return;
        }
    if (points.insertIfNew(point.constData()))
        graphNumbers.append(graphNo);
}

void ConjectureEngine::setTimeLimit(int ms)
{
    limitMs.store(std::max(ms, 0));
}

qint64 ConjectureEngine::nowNs() const
{
    using namespace std::chrono;
    return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
}

qint64 ConjectureEngine::elapsedSinceStart() const
{
    return (nowNs() - startNs.load()) / 1000000;
}

void ConjectureEngine::begin()
{
    stop.store(false);
    // Before running is raised: a time check that sees running must not read the start of an
    // earlier job.
    startNs.store(nowNs());
    elapsedMs.store(0);
    running.store(true);
    idle.store(false);
}

void ConjectureEngine::start(Priority priority)
{
    if (running.load())
        return;
    // The previous job may still be leaving run() after its signal_complete().
    QThread::wait();
    begin();
    armed.store(true);
    QThread::start(priority);
}

void ConjectureEngine::cancel()
{
    stop.store(true);
}

void ConjectureEngine::slot_timer()
{
    if (!running.load())
        return;
    const qint64 elapsed = elapsedSinceStart();
    elapsedMs.store(elapsed);
    const int limit = limitMs.load();
    if (elapsed >= limit)
        stop.store(true);
    emit signal_progress(id, elapsed, limit);
}

bool ConjectureEngine::stopNow()
{
    if (stop.load())
        return true;
    // The run checks the limit itself too, so a job ends on time between two ticks of the
    // owner's timer.
    if (elapsedSinceStart() >= limitMs.load()) {
        stop.store(true);
        return true;
    }
    return false;
}

void ConjectureEngine::run()
{
    records.clear();
    if (!armed.exchange(false))
        begin();
    rng.seed(unsigned(startNs.load() / 1000000 % 1000));
    emit signal_progress(id, 0, limitMs.load());

    addColumns();
    if (!(dim > 0 && 2 * dim <= count)) {
        emit signal_conjecture(QString("Not enough data points to find conjectures. %1 %2").arg(dim).arg(count));
        emit signal_not_enough_points();
        stop.store(true);
    }
    setUp();
    if (!stop.load())
        search();

    clearJob();
    running.store(false);
    emit signal_complete();
}

// Names and weights of the squared and product columns; the points get their values in setUp().
void ConjectureEngine::addColumns()
{
    const int n = header.size();
    // Weights beyond the header (left from an earlier run's added columns) would shift the
    // added columns' weights; missing ones count as 1.
    const int given = weights.size();
    weights.resize(n);
    for (int i = given; i < n; ++i)
        weights[i] = 1.0;
    if (sq)
        for (int i = 0; i < n; ++i) {
            header.append(header[i] + "^2");
            weights.append(weights[i] * weights[i]);
        }
    const int m = combine ? header.size() : n;
    if (prod)
        for (int i = 0; i < m; ++i)
            for (int j = 0; j < i; ++j) {
                header.append("[" + header[j] + "*" + header[i] + "]");
                weights.append(weights[j] * weights[i]);
            }
    dim = header.size();
    count = points.size();
    storedCoefs.reset(dim);
}

void ConjectureEngine::setUp()
{
    const int n = points.dimension();
    const int m = combine && sq ? 2 * n : n;
    x.assign(size_t(count) * size_t(dim), 0.0);
    for (int p = 0; p < count; ++p) {
        const double *raw = points.point(p);
        double *row = x.data() + size_t(p) * size_t(dim);
        int k = 0;
        for (int i = 0; i < n; ++i)
            row[k++] = raw[i];
        if (sq)
            for (int i = 0; i < n; ++i)
                row[k++] = raw[i] * raw[i];
        if (prod)
            for (int i = 0; i < m; ++i)
                for (int j = 0; j < i; ++j)
                    row[k++] = row[i] * row[j];
        for (int c = 0; c < dim; ++c)
            row[c] *= weights[c];
    }

    // Touching counts graphs: each point knows the slot of its graph number.
    QHash<int, int> slotOf;
    graphSlot.resize(size_t(count));
    for (int p = 0; p < count; ++p) {
        auto it = slotOf.find(graphNumbers[p]);
        if (it == slotOf.end())
            it = slotOf.insert(graphNumbers[p], slotOf.size());
        graphSlot[size_t(p)] = it.value();
    }
    graphSeen.assign(size_t(slotOf.size()), 0u);
    stamp = 0;

    current.resize(size_t(count));
    for (int p = 0; p < count; ++p)
        current[size_t(p)] = p;
    local = best = current;
    violating.assign(size_t(count), 0);
    Score start;
    start.violations = count;
    start.sumErr = std::numeric_limits<double>::infinity();
    currentScore = localScore = bestScore = start;
    touchingGraphs.clear();
    mean.fill(0.0, dim);
    scatter = QVector<QVector<double>>(dim, QVector<double>(dim, 0.0));
    coef.fill(0.0, dim);
    offset = 0.0;
}

void ConjectureEngine::search()
{
    for (;;) {
        bool improved = eval();
        if (stopNow())
            return;

        // Repair: shuffle the defining points, then put the violating points in front.
        for (int attempt = 0; attempt < RepairAttempts && currentScore.violations > 0; ++attempt) {
            for (int i = 0; i < dim; ++i)
                std::swap(current[size_t(i)], current[draw(unsigned(dim))]);
            int k = 0;
            for (int j = dim; j < count; ++j)
                if (violating[size_t(current[size_t(j)])]) {
                    std::swap(current[size_t(j)], current[size_t(k)]);
                    ++k;
                }
            if (eval())
                improved = true;
            if (stopNow())
                return;
        }

        // Neighbourhood: every exchange of a defining point with another point.
        for (int i = 0; i < dim; ++i)
            for (int j = dim; j < count; ++j) {
                std::swap(current[size_t(i)], current[size_t(j)]);
                if (eval())
                    improved = true;
                if (stopNow())
                    return;
            }

        if (improved)
            continue;

        // Restart from the best arrangement, shaken; its score is kept as the local one.
        best_restore();
        const unsigned others = unsigned(count - dim);
        for (int s = 0; s < ShakeSwaps; ++s) {
            const int a = dim + int(draw(others));
            const int b = int(draw(unsigned(dim)));
            std::swap(current[size_t(a)], current[size_t(b)]);
        }
        loc_backup();
        if (stopNow())
            return;
    }
}

bool ConjectureEngine::eval()
{
    compute_m();
    {
        const Eig eig(scatter, dim);
        coef = eig.eigvec(dim - 1);
    }
    update_stats();
    if (currentScore.violations == 0)
        store();
    if (beats(currentScore.violations, currentScore.sumErr, localScore.violations, localScore.sumErr)) {
        loc_backup();
        if (beats(currentScore.violations, currentScore.sumErr, bestScore.violations, bestScore.sumErr))
            best_backup();
        return true;
    }
    loc_restore();
    return false;
}

void ConjectureEngine::compute_m()
{
    std::vector<double> centred(size_t(dim) * size_t(dim));
    for (int a = 0; a < dim; ++a)
        mean[a] = 0.0;
    for (int d = 0; d < dim; ++d) {
        const double *row = x.data() + size_t(current[size_t(d)]) * size_t(dim);
        for (int a = 0; a < dim; ++a)
            mean[a] += row[a];
    }
    for (int a = 0; a < dim; ++a)
        mean[a] /= dim;
    for (int d = 0; d < dim; ++d) {
        const double *row = x.data() + size_t(current[size_t(d)]) * size_t(dim);
        double *c = centred.data() + size_t(d) * size_t(dim);
        for (int a = 0; a < dim; ++a)
            c[a] = row[a] - mean[a];
    }
    // Upper triangle, mirrored: the matrix handed to the eigen-decomposition is exactly symmetric.
    for (int a = 0; a < dim; ++a) {
        double *sa = scatter[a].data();
        for (int b = a; b < dim; ++b) {
            double s = 0.0;
            for (int d = 0; d < dim; ++d)
                s += centred[size_t(d) * size_t(dim) + size_t(a)] * centred[size_t(d) * size_t(dim) + size_t(b)];
            sa[b] = s;
        }
        for (int b = 0; b < a; ++b)
            sa[b] = scatter[b][a];
    }
}

void ConjectureEngine::update_stats()
{
    const double *w = coef.constData();
    double c = 0.0;
    for (int a = 0; a < dim; ++a)
        c += w[a] * mean[a];
    offset = c;

    Score score;
    touchingGraphs.clear();
    if (++stamp == 0) {
        std::fill(graphSeen.begin(), graphSeen.end(), 0u);
        stamp = 1;
    }
    // Signed distances four points at a time: independent sums keep the multipliers busy, and
    // each point's sum is still taken in column order.
    std::vector<double> &dist = distances;
    dist.resize(size_t(count));
    const size_t stride = size_t(dim);
    int j = 0;
    for (; j + 4 <= count; j += 4) {
        const double *r0 = x.data() + size_t(j) * stride;
        const double *r1 = r0 + stride, *r2 = r1 + stride, *r3 = r2 + stride;
        double s0 = 0.0, s1 = 0.0, s2 = 0.0, s3 = 0.0;
        for (int a = 0; a < dim; ++a) {
            s0 += w[a] * r0[a];
            s1 += w[a] * r1[a];
            s2 += w[a] * r2[a];
            s3 += w[a] * r3[a];
        }
        dist[size_t(j)] = s0 - c;
        dist[size_t(j) + 1] = s1 - c;
        dist[size_t(j) + 2] = s2 - c;
        dist[size_t(j) + 3] = s3 - c;
    }
    for (; j < count; ++j) {
        const double *row = x.data() + size_t(j) * stride;
        double s = 0.0;
        for (int a = 0; a < dim; ++a)
            s += w[a] * row[a];
        dist[size_t(j)] = s - c;
    }

    for (j = 0; j < count; ++j) {
        const double s = dist[size_t(j)];
        if (std::fabs(s) < Tolerance) {
            violating[size_t(j)] = 0;
            unsigned &seen = graphSeen[size_t(graphSlot[size_t(j)])];
            if (seen != stamp) {
                seen = stamp;
                touchingGraphs.append(graphNumbers[j]);
                ++score.touching;
            }
        } else if (s > Tolerance || !std::isfinite(s)) {
            // NaN (a failed decomposition, an overflowed product) never counts as satisfied.
            ++score.violations;
            violating[size_t(j)] = 1;
        } else {
            violating[size_t(j)] = 0;
            score.sumErr += s * s;
        }
    }
    currentScore = score;
}

void ConjectureEngine::store()
{
    QVector<double> w(dim);
    for (int i = 0; i < dim; ++i)
        w[i] = coef[i] * weights[i];
    if (!storedCoefs.insertIfNew(w.constData()))
        return;

    const QString text = statedText(w, offset);
    if (text.isEmpty())
        return;
    records.push_back(std::make_unique<Conjecture>(text, w, offset, currentScore.touching, currentScore.sumErr,
                                                   touchingGraphs));
    const QString message = text + " [" + QString::number(currentScore.touching) + " ; " +
                            number(currentScore.sumErr) + "] <" + QString::number(id) + ">";
    emit signal_conjecture(message);
    emit signal_new_conjecture(records.back().get());
}

QString ConjectureEngine::statedText(const QVector<double> &w, double c) const
{
    // Six digits without the terms of magnitude 1e-6 or less read best. A rounded coefficient
    // or a term left out can make the text false on a point the hyperplane holds on, so each
    // text is read back and tried on every point; the next one leaves out only smaller terms,
    // then none that is not 0, and then the same with a digit more. Seventeen digits write
    // the doubles exactly.
    for (int digits = 6; digits <= 17; ++digits)
        for (double small : {Tolerance, 1e-9, 1e-12, 0.0}) {
            const WrittenBound bound = writeBound(w, c, header, digits, small);
            if (holdsOnPoints(bound))
                return bound.text;
        }
    return QString();
}

bool ConjectureEngine::holdsOnPoints(const WrittenBound &bound) const
{
    // The search's own test: no point more than 1e-6 beyond the hyperplane, a distance
    // measured on the relation as printed.
    double length = 0.0;
    for (double a : bound.coefs)
        length += a * a;
    const double allowed = Tolerance * std::sqrt(length);
    for (int p = 0; p < count; ++p) {
        const double *row = x.data() + size_t(p) * size_t(dim);
        double s = -bound.offset;
        for (int i = 0; i < dim; ++i)
            if (bound.coefs[i] != 0.0)
                s += bound.coefs[i] * (row[i] / weights[i]);  // a printed term has a weight that is not 0
        if (!(s <= allowed))
            return false;
    }
    return true;
}

ConjectureEngine::WrittenBound ConjectureEngine::writeBound(const QVector<double> &w, double c,
                                                            const QStringList &names, int digits, double small)
{
    // The smallest coefficient that matters is written as 1.
    double norm = 1000.0;
    for (double v : w)
        if (std::fabs(v) > 0.001 && std::fabs(v) < norm)
            norm = std::fabs(v);

    WrittenBound bound;
    bound.coefs.fill(0.0, w.size());
    auto written = [&](double v, double &value) {
        const QString text = QString::number(v, 'g', digits);
        value = text.toDouble();
        return text;
    };
    auto join = [](QString &side, const QString &term) { side = side.isEmpty() ? term : side + "+" + term; };
    auto shown = [&](double v) { return std::fabs(v) > small; };

    QString lower, upper;  // the sides of P <= N: terms with positive, with negative coefficients
    for (int i = 0; i < w.size(); ++i) {
        if (!shown(w[i]))
            continue;
        double a = 0.0;
        if (w[i] > 0) {
            join(lower, written(w[i] / norm, a) + " " + names.value(i));
            bound.coefs[i] = a;
        } else {
            join(upper, written(-w[i] / norm, a) + " " + names.value(i));
            bound.coefs[i] = -a;
        }
    }
    // A constant on the side of P is subtracted from the offset, one on the side of N added.
    double k = 0.0;
    const bool constant = shown(c);
    if (lower.isEmpty()) {
        if (constant && c > 0) {
            join(upper, written(c / norm, k));
            bound.offset = k;
        }
        if (constant && c < 0) {
            lower = written(-c / norm, k);
            bound.offset = -k;
        }
        if (lower.isEmpty())
            lower = "0";
        bound.text = upper + " >= " + lower;
        return bound;
    }
    if (constant && c < 0) {
        join(lower, written(-c / norm, k));
        bound.offset = -k;
    }
    if (constant && c > 0) {
        join(upper, written(c / norm, k));
        bound.offset = k;
    }
    if (upper.isEmpty())
        upper = "0";
    bound.text = lower + " <= " + upper;
    return bound;
}

QString ConjectureEngine::boundText(const QVector<double> &w, double c, const QStringList &names)
{
    return writeBound(w, c, names, 6, Tolerance).text;
}

void ConjectureEngine::best_backup()
{
    best = current;
    bestScore = currentScore;
}

void ConjectureEngine::best_restore()
{
    current = best;
    currentScore = bestScore;
}

void ConjectureEngine::loc_backup()
{
    local = current;
    localScore = currentScore;
}

void ConjectureEngine::loc_restore()
{
    current = local;
    currentScore = localScore;
}
