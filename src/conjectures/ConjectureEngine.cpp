#include "conjectures/ConjectureEngine.h"

#include "calculus/Eig.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

constexpr double Tolerance = 1e-6;
constexpr int RepairAttempts = 5;
constexpr int ShakeSwaps = 1000;
// Enough to write any double's value to within a unit in its last place.
constexpr int MaxConstantDigits = 17;

QString number(double v)
{
    return QString::number(v, 'g', 6);
}

// A number of a bound's text: no "+" in an exponent, where it would read as a term joiner.
QString written(double v, int digits = 6)
{
    return QString::number(v, 'g', digits).replace("e+", "e");
}

// A decimal number exactly: (negative ? -1 : 1) * digits * 10^exponent, the digits without
// leading or trailing zeros; no digits for 0.
struct Decimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;

    bool operator==(const Decimal &o) const
    {
        return negative == o.negative && digits == o.digits && exponent == o.exponent;
    }
};

void trim(Decimal &d)
{
    const size_t first = d.digits.find_first_not_of('0');
    if (first == std::string::npos) {
        d = Decimal();
        return;
    }
    d.digits.erase(0, first);
    const size_t last = d.digits.find_last_not_of('0');
    d.exponent += int(d.digits.size() - 1 - last);
    d.digits.erase(last + 1);
}

// A text of digits with an optional point and exponent, as QString::number writes them.
Decimal parseDecimal(const QString &text)
{
    Decimal d;
    QString t = text;
    if (t.startsWith('-')) {
        d.negative = true;
        t.remove(0, 1);
    }
    const int e = t.indexOf('e');
    if (e >= 0) {
        d.exponent = t.mid(e + 1).toInt();
        t.truncate(e);
    }
    const int point = t.indexOf('.');
    if (point >= 0) {
        d.exponent -= t.size() - point - 1;
        t.remove(point, 1);
    }
    d.digits = t.toStdString();
    trim(d);
    return d;
}

// The decimal expansion of a double, which is finite, in full: glibc prints it exactly, and it
// has at most 767 significant digits.
Decimal exactDecimal(double v)
{
    Decimal d;
    if (v == 0.0 || !std::isfinite(v))
        return d;
    char buf[1024];
    std::snprintf(buf, sizeof buf, "%.800e", v);
    std::string s(buf);
    if (s[0] == '-') {
        d.negative = true;
        s.erase(0, 1);
    }
    const size_t e = s.find('e');
    d.digits = s.substr(0, 1) + s.substr(2, e - 2);
    d.exponent = std::atoi(s.c_str() + e + 1) - int(d.digits.size()) + 1;
    trim(d);
    return d;
}

// The least decimal of at most `digits` significant digits that is not below d.
Decimal roundUp(Decimal d, int digits)
{
    if (int(d.digits.size()) <= digits)
        return d;
    d.exponent += int(d.digits.size()) - digits;
    d.digits.resize(size_t(digits));
    if (!d.negative) {
        int i = digits - 1;
        while (i >= 0 && d.digits[size_t(i)] == '9')
            d.digits[size_t(i--)] = '0';
        if (i < 0)
            d.digits.insert(0, "1");
        else
            ++d.digits[size_t(i)];
    }
    trim(d);
    return d;
}

double toDouble(const Decimal &d)
{
    if (d.digits.empty())
        return 0.0;
    const std::string s = (d.negative ? "-" : "") + d.digits + "e" + std::to_string(d.exponent);
    return std::strtod(s.c_str(), nullptr);
}

// A non-negative decimal as QString::number(v, 'g', precision) writes it, digit for digit
// (the decimal has at most `precision` digits), and without a "+" in its exponent. Written from
// the decimal itself: beyond 15 digits the nearest double may print other digits.
QString writtenDecimal(const Decimal &d, int precision)
{
    if (d.digits.empty())
        return QStringLiteral("0");
    const QString digits = QString::fromStdString(d.digits);
    const int lead = d.exponent + digits.size() - 1;  // the exponent of the first digit
    if (lead < -4 || lead >= precision) {
        const QString mantissa = digits.size() > 1 ? digits.left(1) + "." + digits.mid(1) : digits;
        return mantissa + "e" + (lead < 0 ? "-" : "") + QString("%1").arg(std::abs(lead), 2, 10, QLatin1Char('0'));
    }
    if (lead < 0)
        return "0." + QString(-lead - 1, QLatin1Char('0')) + digits;
    if (digits.size() <= lead + 1)
        return digits + QString(lead + 1 - digits.size(), QLatin1Char('0'));
    return digits.left(lead + 1) + "." + digits.mid(lead + 1);
}

// a + b = s + e exactly.
void twoSum(double a, double b, double &s, double &e)
{
    s = a + b;
    const double bb = s - a;
    e = (a - (s - bb)) + (b - bb);
}

// The coefficient written as 1: the smallest magnitude above 0.001.
double scaleOf(const QVector<double> &w)
{
    double norm = 1000.0;
    for (double v : w)
        if (std::fabs(v) > 0.001 && std::fabs(v) < norm)
            norm = std::fabs(v);
    return norm;
}

// The magnitude of each coefficient as a text writes it, over the scale; empty for a term left
// out (1e-6 or less).
QVector<QString> writtenCoefficients(const QVector<double> &w, double norm)
{
    QVector<QString> terms(w.size());
    for (int i = 0; i < w.size(); ++i)
        if (std::fabs(w[i]) > Tolerance)
            terms[i] = written(std::fabs(w[i]) / norm);
    return terms;
}

// sum w[i] x[i] <= K with the coefficient magnitudes as written (empty: the term is left out);
// the terms with a positive coefficient form the smaller side, the others the larger, and K
// goes to the larger side when positive, to the smaller when negative.
QString compose(const QVector<double> &w, const QVector<QString> &terms, const QStringList &names, int constantSign,
                const QString &constant)
{
    auto join = [](QString &side, const QString &term) { side = side.isEmpty() ? term : side + "+" + term; };
    QString lower, upper;
    for (int i = 0; i < w.size(); ++i)
        if (!terms[i].isEmpty())
            join(w[i] > 0 ? lower : upper, terms[i] + " " + names.value(i));
    if (lower.isEmpty()) {
        if (constantSign > 0)
            join(upper, constant);
        if (constantSign < 0)
            lower = constant;
        if (lower.isEmpty())
            lower = "0";
        return upper + " >= " + lower;
    }
    if (constantSign < 0)
        join(lower, constant);
    if (constantSign > 0)
        join(upper, constant);
    if (upper.isEmpty())
        upper = "0";
    return lower + " <= " + upper;
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
    allRows.clear();
    allGraphs.clear();
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
    allRows.clear();
    allGraphs.clear();
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
    allRows.insert(allRows.end(), point.begin(), point.end());
    allGraphs.append(graphNo);
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
    cancelled.store(false);
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
    cancelled.store(true);
    stop.store(true);
}

void ConjectureEngine::setSpaces(std::shared_ptr<RelationSpaces> shared)
{
    if (!running.load())
        spaces = std::move(shared);
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

void ConjectureEngine::augment(const double *raw, double *row, char *exact) const
{
    const int n = points.dimension();
    const int m = combine && sq ? 2 * n : n;
    int k = 0;
    for (int i = 0; i < n; ++i) {
        row[k] = raw[i];
        exact[k++] = 1;
    }
    if (sq)
        for (int i = 0; i < n; ++i) {
            row[k] = raw[i] * raw[i];
            exact[k] = std::fma(raw[i], raw[i], -row[k]) == 0.0;
            ++k;
        }
    if (prod)
        for (int i = 0; i < m; ++i)
            for (int j = 0; j < i; ++j) {
                row[k] = row[i] * row[j];
                exact[k] = exact[i] && exact[j] && std::fma(row[i], row[j], -row[k]) == 0.0;
                ++k;
            }
}

void ConjectureEngine::setUp()
{
    const int n = points.dimension();
    std::vector<char> unused(static_cast<size_t>(dim));
    x.assign(size_t(count) * size_t(dim), 0.0);
    for (int p = 0; p < count; ++p) {
        double *row = x.data() + size_t(p) * size_t(dim);
        augment(points.point(p), row, unused.data());
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

    // Every row given, augmented, not weighted: set up once for the search's jobs, which wait for
    // the one setting them up. A job stopped for too few points needs none.
    const int rows = allGraphs.size();
    const auto make = [&] {
        std::vector<double> plain(size_t(rows) * size_t(dim));
        std::vector<char> exact(plain.size());
        for (int r = 0; r < rows; ++r)
            augment(allRows.data() + size_t(r) * size_t(n), plain.data() + size_t(r) * size_t(dim),
                    exact.data() + size_t(r) * size_t(dim));
        return std::make_shared<RelationSpace>(std::move(plain), std::move(exact), allGraphs, dim, n, &cancelled);
    };
    space.reset();
    if (!stop.load()) {
        const std::shared_ptr<RelationSpaces> shared = spaces ? spaces : std::make_shared<RelationSpaces>();
        space = shared->get(header, allRows.data(), rows, n, make, cancelled);
    }
    if (!space) {
        stop.store(true);
        space = std::make_shared<RelationSpace>();
    }
    announced = NearIndex(dim + 1, RelationSpace::MaxTolerance);
    announcedRecords.clear();

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
    // The decomposition settles to an absolute 1e-6, which leaves the normal off by as much
    // over the gap to the next eigenvalue of the scatter: enough for terms of 1e-05 that the
    // defining points do not have. Inverse iteration takes them out.
    std::vector<double> normal(coef.begin(), coef.end());
    double trace = 0.0;
    for (int i = 0; i < dim; ++i)
        trace += scatter[i][i];
    if (trace > 0.0)
        RelationSpace::towardsKernel(scatter, 1e-12 * trace, normal);
    QVector<double> w(dim);
    for (int i = 0; i < dim; ++i)
        w[i] = normal[size_t(i)] * weights[i];
    // Where the points satisfy an identity the hyperplane through a face turns freely about it:
    // every copy is written in the one form with the fewest terms that keeps its values on the
    // rows its text is read on.
    const QVector<double> found = w;
    w = space->sparsest(w);
    if (!storedCoefs.insertIfNew(w.constData()))
        return;

    // The hyperplane is only known to 1e-6; what is listed is the text, true on every row.
    Statement st = state(w);
    if (st.touching == 0)
        return;
    // Terms of 1e-6 or less are left out of a text, and their columns with them: where those have
    // no value on rows the others have, the text is read there too, and a constant from such a row
    // does not state the face found. A form that names a column keeping it to the face's rows does.
    if (!st.touchesSearched) {
        const Statement confined = state(space->sparsest(found, true));
        if (confined.touchesSearched)
            st = confined;
    }
    // Without an identity onto such a column, the form keeps to the face's rows when its least
    // terms of such columns are written, however small: the fewest-terms form if it has them,
    // else the form found.
    for (int f = 0; f < 2 && !st.touchesSearched && !(f == 1 && found == w); ++f) {
        const QVector<double> &form = f == 0 ? w : found;
        const Statement kept = state(form, gapColumns(form));
        if (kept.touchesSearched)
            st = kept;
    }
    auto record = std::make_unique<Conjecture>(st.text, st.coefs, st.offset, st.touching, st.sumErr, st.support);
    // Turned about an identity of the points, one relation may come back at every evaluation:
    // a copy (the rows say so; its key only finds the candidates) adds nothing unless it touches
    // more graphs than the one announced, or as many with fewer terms.
    double tolerance = 0.0;
    const QVector<double> key = space->key(st.coefs, st.offset, &tolerance);
    record->setKey(key, tolerance, space);
    if (!key.isEmpty()) {
        const int terms = record->termCount();
        bool known = false;
        announced.near(key.constData(), tolerance, [&](int i) {
            const Conjecture &held = *records[announcedRecords[size_t(i)]];
            const bool asStrong = held.getTouching() > st.touching ||
                                  (held.getTouching() == st.touching && held.termCount() <= terms);
            known = known || (asStrong && held.sameOnRows(*record));
        });
        if (known)
            return;
        announced.insert(int(announcedRecords.size()), key.constData(), tolerance);
        announcedRecords.push_back(records.size());
    }
    records.push_back(std::move(record));
    const QString message = st.text + " [" + QString::number(st.touching) + " ; " + number(st.sumErr) + "] <" +
                            QString::number(id) + ">";
    emit signal_conjecture(message);
    emit signal_new_conjecture(records.back().get());
}

QVector<bool> ConjectureEngine::gapColumns(const QVector<double> &w) const
{
    QVector<bool> gaps(dim, false);
    const int rows = space && space->dimension() == dim ? space->nbRows() : 0;
    for (int r = 0; r < rows; ++r) {
        const double *x = space->row(r);
        bool read = true;
        for (int j = 0; j < dim && read; ++j)
            read = std::fabs(w[j]) <= Tolerance || std::isfinite(x[j]);
        if (!read)
            continue;
        for (int j = 0; j < dim; ++j)
            gaps[j] = gaps[j] || (w[j] != 0.0 && std::fabs(w[j]) <= Tolerance && !std::isfinite(x[j]));
    }
    return gaps;
}

QString ConjectureEngine::boundText(const QVector<double> &w, double c, const QStringList &names)
{
    const double norm = scaleOf(w);
    const QVector<QString> terms = writtenCoefficients(w, norm);
    const int sign = std::fabs(c) <= Tolerance ? 0 : (c > 0 ? 1 : -1);
    return compose(w, terms, names, sign, written(std::fabs(c) / norm));
}

ConjectureEngine::Statement ConjectureEngine::state(const QVector<double> &w, const QVector<bool> &kept) const
{
    Statement st;
    const double norm = scaleOf(w);
    QVector<QString> terms = writtenCoefficients(w, norm);
    for (int i = 0; i < kept.size() && i < w.size(); ++i)
        if (kept[i] && w[i] != 0.0 && terms[i].isEmpty())
            terms[i] = written(std::fabs(w[i]) / norm);
    QVector<Decimal> written6(dim);
    std::vector<int> used;
    for (int i = 0; i < dim; ++i)
        if (!terms[i].isEmpty()) {
            written6[i] = parseDecimal(terms[i]);
            used.push_back(i);
        }
    if (used.empty())
        return st;

    // The written coefficients times 10^k are integers: as doubles they are exact, and so are
    // the sums over integer columns.
    int k = 0;
    for (int i : used)
        k = std::max(k, -written6[i].exponent);
    std::vector<double> c(size_t(dim), 0.0);
    std::vector<char> cExact(size_t(dim), 1);
    bool integral = true;
    for (int i : used) {
        const int e = written6[i].exponent + k;
        double v = std::stod(written6[i].digits);
        for (int j = 0; j < e && integral; ++j)
            v *= 10.0;
        integral = integral && e <= 22 && v <= 9007199254740992.0;
        c[size_t(i)] = w[i] > 0 ? v : -v;
    }
    if (!integral) {
        k = 0;
        for (int i : used) {
            const double a = terms[i].toDouble();
            c[size_t(i)] = w[i] > 0 ? a : -a;
            cExact[size_t(i)] = exactDecimal(a) == written6[i];
        }
    }

    // Each row's left side, as hi + lo with a bound on what was lost, and an upper bound on it.
    const int rows = space && space->dimension() == dim ? space->nbRows() : 0;
    std::vector<double> hi(static_cast<size_t>(rows)), lo(static_cast<size_t>(rows));
    std::vector<char> valid(size_t(rows), 0);
    double most = -HUGE_VAL;
    int extreme = -1;
    for (int r = 0; r < rows; ++r) {
        const double *row = space->row(r);
        const char *exact = space->exactRow(r);
        double h = 0.0, l = 0.0, lost = 0.0;
        bool ok = true;
        for (int i : used) {
            const double xv = row[i], ci = c[size_t(i)];
            if (!std::isfinite(xv)) {
                ok = false;
                break;
            }
            const double p = ci * xv, e = std::fma(ci, xv, -p);
            double s, r1, t, r2, t2, r3;
            twoSum(h, p, s, r1);
            h = s;
            twoSum(l, r1, t, r2);
            twoSum(t, e, t2, r3);
            l = t2;
            lost += std::fabs(r2) + std::fabs(r3);
            if (!cExact[size_t(i)])
                lost += 0x1p-52 * std::fabs(p);
            if (!exact[i])
                lost += 0x1p-50 * std::fabs(p);
        }
        if (!ok)
            continue;
        double s, e;
        twoSum(h, l, s, e);
        double upper = s;
        if (lost != 0.0 || e != 0.0) {
            upper = s + (e + lost * (1 + 0x1p-40));
            upper = std::nextafter(std::nextafter(upper, HUGE_VAL), HUGE_VAL);
        }
        if (!std::isfinite(upper))
            return st;
        hi[size_t(r)] = s;
        lo[size_t(r)] = e;
        valid[size_t(r)] = 1;
        if (upper > most) {
            most = upper;
            extreme = r;
        }
    }
    if (extreme < 0)
        return st;

    // A row touches the text when its two sides are equal within 1e-9 of the sum of the
    // magnitudes of all its terms and its constant on that row: terms that cancel each other (a
    // column of negative values) leave both sides small without making the relation any looser.
    // The gap is the constant side minus the left side, in the written scale.
    const auto gap = [&](int r, double kScaled, bool *touches) {
        const double *row = space->row(r);
        double magnitude = std::fabs(kScaled);
        for (int i : used)
            magnitude += std::fabs(c[size_t(i)] * row[i]);
        const double g = (kScaled - hi[size_t(r)]) - lo[size_t(r)];
        *touches = std::fabs(g) <= 1e-9 * magnitude;
        return g;
    };
    const auto scaled = [k](Decimal d) {
        if (!d.digits.empty())
            d.exponent += k;
        return toDouble(d);
    };

    // The constant: the bound on the largest left side over 10^k, rounded up with the fewest
    // digits (six to seventeen) that leave that row touching by the rule above. Seventeen
    // always do: they are within a unit in the last place of the bound.
    Decimal largest = exactDecimal(most);
    if (!largest.digits.empty())
        largest.exponent -= k;
    Decimal constant;
    int digits = 6;
    for (;; ++digits) {
        constant = roundUp(largest, digits);
        bool touches = false;
        gap(extreme, scaled(constant), &touches);
        if (touches || digits == MaxConstantDigits)
            break;
    }
    const double kValue = toDouble(constant);
    const double kScaled = scaled(constant);

    // The rows on which the text is tight.
    double length = 0.0;
    for (int i : used)
        length += c[size_t(i)] * c[size_t(i)];
    length = std::sqrt(length);
    QSet<int> seen;
    for (int r = 0; r < rows; ++r) {
        if (!valid[size_t(r)])
            continue;
        bool touches = false;
        const double g = gap(r, kScaled, &touches);
        if (touches) {
            st.touchesSearched = st.touchesSearched || space->searched(r);
            if (!seen.contains(space->graph(r))) {
                seen.insert(space->graph(r));
                st.support.append(space->graph(r));
            }
        } else {
            st.sumErr += (g / length) * (g / length);
        }
    }
    st.touching = st.support.size();

    const int sign = constant.digits.empty() ? 0 : (constant.negative ? -1 : 1);
    Decimal magnitude = constant;
    magnitude.negative = false;
    st.text = compose(w, terms, header, sign, writtenDecimal(magnitude, digits));
    st.coefs.fill(0.0, dim);
    for (int i : used)
        st.coefs[i] = (w[i] > 0 ? 1.0 : -1.0) * terms[i].toDouble() * norm;
    st.offset = kValue * norm;
    return st;
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
