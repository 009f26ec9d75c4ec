#include "Await.h"
#include "BoundReader.h"
#include "ConjectureEngineProbe.h"
#include "conjectures/ConjectureEngine.h"

#include <QElapsedTimer>
#include <algorithm>
#include <QtTest>
#include <cmath>
#include <functional>
#include <limits>
#include <mutex>
#include <random>
#include <set>

using Points = QVector<QVector<double>>;
using Weights = QVector<double>;
Q_DECLARE_METATYPE(Points)

namespace {

// The five points of the worked examples, each from its own graph (0 to 4).
const Points fivePoints = {{1, 0}, {1, 1}, {2, 0}, {3, 0}, {3, 1}};

struct Options {
    bool sq = false, prod = false, combine = false;
};

// What one job emitted, gathered in the engine's thread (records are copied on receipt, as
// the owner does) and read after the thread has finished.
struct Job {
    std::mutex lock;
    // Held by the owner around each time check, and by the completion before it is recorded:
    // a check that began while the job was running reports its progress before "complete".
    std::mutex ticking;
    QStringList order;  // signal names in emission order
    QStringList messages;
    std::vector<Conjecture> records;
    QVector<qint64> progressLimits;
    QElapsedTimer clock;
    qint64 completedAt = -1;

    void attach(ConjectureEngine &e)
    {
        QObject::connect(&e, &ConjectureEngine::signal_progress, [this](int, qint64, qint64 limit) {
            std::lock_guard<std::mutex> g(lock);
            order << "progress";
            progressLimits << limit;
        });
        QObject::connect(&e, &ConjectureEngine::signal_conjecture, [this](const QString &text) {
            std::lock_guard<std::mutex> g(lock);
            order << "conjecture";
            messages << text;
        });
        QObject::connect(&e, &ConjectureEngine::signal_new_conjecture, [this](Conjecture *c) {
            std::lock_guard<std::mutex> g(lock);
            order << "record";
            records.emplace_back(c);
        });
        QObject::connect(&e, &ConjectureEngine::signal_not_enough_points, [this]() {
            std::lock_guard<std::mutex> g(lock);
            order << "not enough";
        });
        QObject::connect(&e, &ConjectureEngine::signal_complete, [this]() {
            std::lock_guard<std::mutex> t(ticking);
            std::lock_guard<std::mutex> g(lock);
            completedAt = clock.elapsed();
            order << "complete";
        });
    }
};

void feed(ConjectureEngine &e, const QStringList &names, const Weights &w, const Points &pts,
          const QVector<int> &graphs = {}, Options o = {})
{
    e.clear();
    e.setSq(o.sq);
    e.setProd(o.prod);
    e.setCombine(o.combine);
    e.setHeader(names);
    e.setWeights(w);
    for (int r = 0; r < pts.size(); ++r)
        e.addPoint(pts[r], graphs.isEmpty() ? r : graphs[r]);
}

// Runs a job to its end as the owner would: a time check every 100 ms; cancelled after
// cancelAfter ms when that is not negative, or once `enough` holds of what the job emitted.
// Returns the time of the cancel, or -1.
qint64 runJob(ConjectureEngine &e, Job &job, qint64 cancelAfter = -1,
              const std::function<bool(const Job &)> &enough = nullptr)
{
    job.attach(e);
    job.clock.start();
    e.start();
    qint64 cancelledAt = -1;
    while (!e.wait((cancelAfter >= 0 || enough) && cancelledAt < 0 ? 20 : 100)) {
        {
            std::lock_guard<std::mutex> t(job.ticking);
            e.slot_timer();
        }
        bool done = cancelAfter >= 0 && job.clock.elapsed() >= cancelAfter;
        if (enough && !done) {
            std::lock_guard<std::mutex> g(job.lock);
            done = enough(job);
        }
        if (done && cancelledAt < 0) {
            cancelledAt = job.clock.elapsed();
            e.cancel();
        }
    }
    {
        // Orders everything the job's thread wrote before what follows, in a way that race
        // detectors see (they do not see inside QThread::wait); both locks, in the
        // completion's order, since it releases `ticking` last.
        std::lock_guard<std::mutex> t(job.ticking);
        std::lock_guard<std::mutex> g(job.lock);
    }
    e.disconnect();
    return cancelledAt;
}

const Conjecture *findRecord(const Job &job, const QString &formula)
{
    for (const Conjecture &c : job.records)
        if (c.getFormula() == formula)
            return &c;
    return nullptr;
}

// The columns a point gets with the options, computed directly from their definition.
QVector<double> augmented(const QVector<double> &p, Options o)
{
    QVector<double> v = p;
    if (o.sq)
        for (double a : p)
            v << a * a;
    const int m = o.combine ? v.size() : p.size();
    if (o.prod)
        for (int i = 0; i < m; ++i)
            for (int j = 0; j < i; ++j)
                v << v[i] * v[j];
    return v;
}

// Evaluates the hyperplane through chosen defining points, in the calling thread.
class DefiningProbe : public ConjectureEngineProbe
{
public:
    using ConjectureEngineProbe::ConjectureEngineProbe;

    // After prepare(): the given points become the defining points of the arrangement.
    void define(const QVector<int> &defining)
    {
        for (int k = 0; k < defining.size(); ++k)
            std::iter_swap(current.begin() + k, std::find(current.begin(), current.end(), defining[k]));
        local = current;
    }
};

// The records of one evaluation through the given defining points, with every weight +1 and
// with every weight -1: the scatter, and so the normal, is the same for both signs, and the
// eigenvector's sign is the solver's, so only one puts every point on the allowed side.
std::vector<Conjecture> throughPoints(const QStringList &names, const Points &points, const QVector<int> &defining)
{
    std::vector<Conjecture> records;
    for (double sign : {1.0, -1.0}) {
        DefiningProbe e(0);
        feed(e, names, Weights(names.size(), sign), points);
        e.prepare();
        e.define(defining);
        QObject::connect(&e, &ConjectureEngine::signal_new_conjecture, [&](Conjecture *c) { records.emplace_back(c); });
        e.evaluate();
    }
    return records;
}

// check_bounds.py on one record over points that are graphs 0, 1, 2, ...
QString checkRecord(const QString &checker, const QStringList &names, const Points &points, const Conjecture &c,
                    bool &exact)
{
    QVector<int> graphs;
    for (int r = 0; r < points.size(); ++r)
        graphs << r;
    return checkExactly(checker, names, points, graphs, {{c.getFormula(), c.getTouching(), c.getSupport()}}, exact);
}

// The given columns of every connected graph on 7 vertices (tests/conjectures/connected7.txt,
// values from networkx and numpy), in the file's order.
Points connectedSeven(const QStringList &names)
{
    Points rows;
    QFile f(QFINDTESTDATA("connected7.txt"));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return rows;
    const QStringList all = QString::fromLatin1(f.readLine()).trimmed().split('\t');
    while (!f.atEnd()) {
        const QStringList fields = QString::fromLatin1(f.readLine()).trimmed().split('\t');
        QVector<double> row;
        for (const QString &n : names)
            row << fields.value(all.indexOf(n)).toDouble();
        rows << row;
    }
    return rows;
}

} // namespace

class TestConjectureEngine : public QObject
{
    Q_OBJECT

private slots:
    void boundText_data();
    void boundText();
    void statedText_data();
    void statedText();
    void exactOnConnectedSeven();
    void constantKeepsItsRowTouching();
    void cancellingTermsTouch();
    void addedColumns_data();
    void addedColumns();
    void addPointRules_data();
    void addPointRules();
    void notEnoughPoints_data();
    void notEnoughPoints();
    void workedBounds_data();
    void workedBounds();
    void randomClouds_data();
    void randomClouds();
    void stopping_data();
    void stopping();
    void ownerThreadRestarts();
    void feedingWhileRunningChangesNothing();
    void spaceCompleteWithoutDecomposition();
};

void TestConjectureEngine::boundText_data()
{
    QTest::addColumn<Weights>("w");
    QTest::addColumn<double>("c");
    QTest::addColumn<QString>("text");

    const double r5 = std::sqrt(5.0), r2 = std::sqrt(2.0);
    // Weighted coefficients are the unit normal times the column weights.
    QTest::newRow("x <= 3") << Weights{1, 0} << 3.0 << "1 x <= 3";
    QTest::newRow("x >= 1, weights -1 +1") << Weights{1 * -1.0, 0} << -1.0 << "1 x >= 1";
    QTest::newRow("y <= 2x+1") << Weights{-2 / r5, 1 / r5} << 1 / r5 << "1 y <= 2 x+1";
    QTest::newRow("x+y >= 3") << Weights{-1 / r2, -1 / r2} << -3 / r2 << "1 x+1 y >= 3";
    QTest::newRow("x+1 <= y") << Weights{1 / r2, -1 / r2} << -1 / r2 << "1 x+1 <= 1 y";
    QTest::newRow("coefficient exactly 1e-6 left out") << Weights{1, 1e-6} << 2.0 << "1 x <= 2";
    QTest::newRow("coefficient exactly -1e-6 left out") << Weights{-1e-6, 1} << 2.0 << "1 y <= 2";
    QTest::newRow("coefficient 2e-6 written, not the scale") << Weights{1, 2e-6} << 2.0 << "1 x+2e-06 y <= 2";
    QTest::newRow("coefficient under 0.001 sets no scale") << Weights{0.5, 0.0005} << 0.0 << "1 x+0.001 y <= 0";
    QTest::newRow("negative terms, no constant") << Weights{-2, -1} << 5e-7 << "2 x+1 y >= 0";
    QTest::newRow("positive terms, no constant") << Weights{0.5, 1.5} << -1e-6 << "1 x+3 y <= 0";
    QTest::newRow("negative constant with positive terms") << Weights{1, 0} << -2.0 << "1 x+2 <= 0";
    QTest::newRow("positive constant with negative terms") << Weights{-1, 0} << 2.0 << "1 x+2 >= 0";
    QTest::newRow("six significant digits") << Weights{1, 0} << 1234567.0 << "1 x <= 1.23457e06";
    QTest::newRow("an exponent in a coefficient") << Weights{1, 1.5e6} << 1.25e6 << "1 x+1.5e06 y <= 1.25e06";
}

void TestConjectureEngine::boundText()
{
    QFETCH(Weights, w);
    QFETCH(double, c);
    QFETCH(QString, text);
    QCOMPARE(ConjectureEngine::boundText(w, c, {"x", "y"}), text);
}

void TestConjectureEngine::statedText_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<Points>("points");
    QTest::addColumn<QVector<int>>("defining");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVector<int>>("touching");

    // y <= x + 1e-7 z through (0, 0, 0), (1, 1, 0) and (0, 1e-4, 1000): the text leaves out the
    // z term, so its constant grows to the largest y - x (the double 1e-4 lies a little above
    // 0.0001), and only the third point lies on it.
    Points flat{{0, 0, 0}, {1, 1, 0}, {0, 1e-4, 1000}};
    for (int k = 0; k < 21; ++k)
        flat << QVector<double>{double(k % 5 + 1), double(k % 5 + 1) - 0.5 - k % 3, 50.0 * k};
    QTest::newRow("a term of 1e-7 left out") << QStringList{"x", "y", "z"} << flat << QVector<int>{0, 1, 2}
                                             << "1 y <= 1 x+0.0001000000001" << QVector<int>{2};
    // y <= 1.0000004 x through (0, 0) and (1000, 1000.0004): six digits write 1.
    Points steep{{0, 0}, {1000, 1000.0004}};
    for (int k = 0; k < 22; ++k)
        steep << QVector<double>{40.0 * k + 3, 40.0 * k + 2 - k % 4};
    QTest::newRow("a coefficient written as 1") << QStringList{"x", "y"} << steep << QVector<int>{0, 1}
                                                << "1 y <= 1 x+0.000400001" << QVector<int>{1};
    QTest::newRow("the short form when true") << QStringList{"x", "y"} << fivePoints << QVector<int>{3, 4}
                                              << "1 x <= 3" << QVector<int>{3, 4};
}

// The text of a bound holds exactly on every point, and the graphs counted on it are those on
// which the text, not the hyperplane found, is tight.
void TestConjectureEngine::statedText()
{
    QFETCH(QStringList, names);
    QFETCH(Points, points);
    QFETCH(QVector<int>, defining);
    QFETCH(QString, text);
    QFETCH(QVector<int>, touching);

    const std::vector<Conjecture> records = throughPoints(names, points, defining);
    QCOMPARE(int(records.size()), 1);
    const Conjecture &c = records.front();
    QCOMPARE(c.getFormula(), text);
    QCOMPARE(c.getSupport(), touching);
    QCOMPARE(c.getTouching(), touching.size());
    bool exact = false;
    const QString report = checkRecord(QFINDTESTDATA("check_bounds.py"), names, points, c, exact);
    QVERIFY2(exact, qPrintable(report));
}

// The face of the connected 7-vertex graphs through FCQb?, FCQbO and K7 in SIZE, ENERGY and
// WIENER: with its coefficients as written, the text holds exactly on every graph, K7 (21
// edges, energy 12, Wiener index 21) among them. Its normal through the three points is
// (1.2077323, 4.2795037, 1) in exact arithmetic.
void TestConjectureEngine::exactOnConnectedSeven()
{
    const QStringList names{"SIZE", "ENERGY", "WIENER"};
    const Points rows = connectedSeven(names);
    QCOMPARE(rows.size(), 853);
    // The engine keeps one point of graphs with the same values: the points of graphs 219, 224
    // and 852 come after fewer points.
    auto pointOf = [&](int graph) {
        int distinct = 0;
        for (int r = 0; r < graph; ++r) {
            bool repeated = false;
            for (int q = 0; q < r && !repeated; ++q) {
                bool near = true;
                for (int k = 0; k < 3; ++k)
                    near = near && std::fabs(rows[r][k] - rows[q][k]) <= 1e-6;
                repeated = near;
            }
            distinct += repeated ? 0 : 1;
        }
        return distinct;
    };
    const QVector<int> defining{pointOf(219), pointOf(224), pointOf(852)};
    const std::vector<Conjecture> records = throughPoints(names, rows, defining);
    QCOMPARE(int(records.size()), 1);
    const Conjecture &c = records.front();
    bool exact = false;
    const QString report = checkRecord(QFINDTESTDATA("check_bounds.py"), names, rows, c, exact);
    QVERIFY2(exact, qPrintable(report));
    QVERIFY2(c.getFormula().startsWith("1.20773 SIZE+4.2795 ENERGY+1 WIENER <= "), qPrintable(c.getFormula()));
}

// Sides small next to the constant: the constant is written with the digits its extreme row
// needs to touch the text, so the relation is listed, touching that row, and still holds
// exactly.
void TestConjectureEngine::constantKeepsItsRowTouching()
{
    const QStringList names{"A", "B"};
    const Points points{{1, -1}, {0.001, -5.123456789123}, {0, 0}};
    ConjectureEngineProbe e(0);
    feed(e, names, Weights{1, 1}, points);
    e.prepare();
    const double r = 1 / std::sqrt(2.0);
    const auto st = e.stated({r, -r});
    QCOMPARE(st.text, QString("1 A <= 1 B+5.12445679"));
    QCOMPARE(st.support, QVector<int>{1});
    const Conjecture c(st.text, st.coefs, st.offset, st.touching, st.sumErr, st.support);
    bool exact = false;
    const QString report = checkRecord(QFINDTESTDATA("check_bounds.py"), names, points, c, exact);
    QVERIFY2(exact, qPrintable(report));
}

// Terms that cancel each other, as with a column of negative values: a row touches by the
// size of the relation's terms, not of its nearly empty sides. The largest and smallest
// adjacency eigenvalues of the connected 7-vertex graphs sum to 0 on the 44 bipartite ones,
// and a text with every term on one side touches its extreme row.
void TestConjectureEngine::cancellingTermsTouch()
{
    const double r = 1 / std::sqrt(2.0);
    struct Case {
        QStringList names;
        Points rows;
        QVector<double> w;
        int touching;
    };
    const QVector<Case> cases{{{"LMAX", "LMIN"}, connectedSeven({"LMAX", "LMIN"}), {-r, -r}, 44},
                              {{"A", "B"}, {{1, -1}, {0.5, -2.3}, {2, -0.7}}, {-0.6, -0.8}, 1}};
    for (const Case &k : cases) {
        ConjectureEngineProbe e(0);
        feed(e, k.names, Weights{1, 1}, k.rows);
        e.prepare();
        const auto st = e.stated(k.w);
        QVERIFY2(st.text.contains(" >= ") && !st.text.contains(" <= "), qPrintable(st.text));
        QCOMPARE(st.touching, k.touching);
        const Conjecture c(st.text, st.coefs, st.offset, st.touching, st.sumErr, st.support);
        bool exact = false;
        const QString report = checkRecord(QFINDTESTDATA("check_bounds.py"), k.names, k.rows, c, exact);
        QVERIFY2(exact, qPrintable(report));
    }
}

void TestConjectureEngine::addedColumns_data()
{
    QTest::addColumn<bool>("sq");
    QTest::addColumn<bool>("prod");
    QTest::addColumn<bool>("combine");
    QTest::addColumn<Weights>("given");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<Weights>("weights");
    QTest::addColumn<Weights>("point");  // (2, 3) with its added columns, weighted

    const QStringList xy{"x", "y"};
    const Weights w{-1, 2};
    QTest::newRow("none") << false << false << false << w << xy << w << Weights{-2, 6};
    QTest::newRow("squares") << true << false << false << w << QStringList{"x", "y", "x^2", "y^2"}
                             << Weights{-1, 2, 1, 4} << Weights{-2, 6, 4, 36};
    QTest::newRow("products") << false << true << false << w << QStringList{"x", "y", "[x*y]"}
                              << Weights{-1, 2, -2} << Weights{-2, 6, -12};
    QTest::newRow("combine without squares") << false << true << true << w << QStringList{"x", "y", "[x*y]"}
                                             << Weights{-1, 2, -2} << Weights{-2, 6, -12};
    QTest::newRow("squares and products") << true << true << false << w
                                          << QStringList{"x", "y", "x^2", "y^2", "[x*y]"}
                                          << Weights{-1, 2, 1, 4, -2} << Weights{-2, 6, 4, 36, -12};
    QTest::newRow("squares, products, combine")
        << true << true << true << w
        << QStringList{"x", "y", "x^2", "y^2", "[x*y]", "[x*x^2]", "[y*x^2]", "[x*y^2]", "[y*y^2]", "[x^2*y^2]"}
        << Weights{-1, 2, 1, 4, -2, -1, 2, -4, 8, 4} << Weights{-2, 6, 4, 36, -12, -8, 24, -72, 216, 144};
    // Weights left over from an earlier run's added columns must not shift the new ones.
    QTest::newRow("weights longer than the header") << true << false << false << Weights{-1, 2, 7, 7}
                                                    << QStringList{"x", "y", "x^2", "y^2"}
                                                    << Weights{-1, 2, 1, 4} << Weights{-2, 6, 4, 36};
    QTest::newRow("missing weights count as 1") << false << true << false << Weights{-1} << QStringList{"x", "y", "[x*y]"}
                                                << Weights{-1, 1, -1} << Weights{-2, 3, -6};
}

void TestConjectureEngine::addedColumns()
{
    QFETCH(bool, sq);
    QFETCH(bool, prod);
    QFETCH(bool, combine);
    QFETCH(Weights, given);
    QFETCH(QStringList, names);
    QFETCH(Weights, weights);
    QFETCH(Weights, point);

    ConjectureEngineProbe e(0);
    Options o;
    o.sq = sq;
    o.prod = prod;
    o.combine = combine;
    feed(e, {"x", "y"}, given, {{2, 3}}, {}, o);
    e.prepare();
    QCOMPARE(e.columns(), names);
    QCOMPARE(e.dimension(), names.size());
    QCOMPARE(e.columnWeights(), weights);
    QCOMPARE(QVector<double>::fromStdVector(e.weightedPoint(0)), point);
}

void TestConjectureEngine::addPointRules_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<Points>("points");
    QTest::addColumn<int>("held");
    QTest::addColumn<int>("skipped");

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const QStringList xy{"x", "y"};
    QTest::newRow("exact duplicate") << xy << Points{{1, 2}, {1, 2}} << 1 << 0;
    QTest::newRow("within 1e-6") << xy << Points{{1, 2}, {1.0000009, 2}} << 1 << 0;
    QTest::newRow("more than 1e-6 in one coordinate") << xy << Points{{1, 2}, {1.0000011, 2}} << 2 << 0;
    QTest::newRow("wrong lengths dropped") << xy << Points{{1, 2, 3}, {1}, {}} << 0 << 0;
    QTest::newRow("NaN and infinities skipped and counted")
        << xy << Points{{nan, 1}, {1, inf}, {-inf, 0}, {1, 1}} << 1 << 3;
    QTest::newRow("empty header takes only the first point") << QStringList{} << Points{{}, {}, {}} << 1 << 0;
    QTest::newRow("next double after 1e12") << xy << Points{{1e12, 1}, {std::nextafter(1e12, 2e12), 1}} << 2 << 0;
    // Held points are found through grid cells 1/64 wide starting at -0.618/64; near points
    // on both sides of a cell edge must still meet.
    const double edge = (5 - 0.6180339887498949) / 64.0, edge2 = (-3 - 0.6180339887498949) / 64.0;
    QTest::newRow("across a cell edge") << xy << Points{{edge - 4e-7, 3}, {edge + 4e-7, 3}} << 1 << 0;
    QTest::newRow("across two cell edges") << xy << Points{{edge - 4e-7, edge2 + 3e-7}, {edge + 4e-7, edge2 - 3e-7}}
                                           << 1 << 0;
    QStringList ten;
    QVector<double> atEdges, across, tooFar;
    for (int k = 0; k < 10; ++k) {
        ten << QString("c%1").arg(k);
        atEdges << (k - 0.6180339887498949) / 64.0 - 4e-7;
        across << (k - 0.6180339887498949) / 64.0 + 5e-7;
    }
    tooFar = across;
    tooFar[9] += 1e-6;
    QTest::newRow("ten coordinates across edges") << ten << Points{atEdges, across, tooFar} << 2 << 0;
    // Doubles just below 2^33 are 9.5e-7 apart, just below 2^34 1.9e-6.
    const double p33 = 8589934592.0, p34 = 17179869184.0;
    QTest::newRow("neighbours below 2^33") << xy << Points{{p33, 0}, {std::nextafter(p33, 0.0), 0}} << 1 << 0;
    QTest::newRow("neighbours below 2^34") << xy << Points{{p34, 0}, {std::nextafter(p34, 0.0), 0}} << 2 << 0;
    QTest::newRow("negative zero") << xy << Points{{0.0, 1}, {-0.0, 1}} << 1 << 0;
}

void TestConjectureEngine::addPointRules()
{
    QFETCH(QStringList, names);
    QFETCH(Points, points);
    QFETCH(int, held);
    QFETCH(int, skipped);

    ConjectureEngine e(0);
    feed(e, names, Weights(names.size(), 1.0), points);
    QCOMPARE(e.nbPoints(), held);
    QCOMPARE(e.skippedPoints(), skipped);
}

void TestConjectureEngine::notEnoughPoints_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<bool>("sq");
    QTest::addColumn<bool>("prod");
    QTest::addColumn<bool>("combine");
    QTest::addColumn<int>("points");
    QTest::addColumn<QString>("message");  // empty: the search runs

    QTest::newRow("2 columns, 3 points") << 2 << false << false << false << 3
                                         << "Not enough data points to find conjectures. 2 3";
    QTest::newRow("2 columns, 4 points") << 2 << false << false << false << 4 << QString();
    QTest::newRow("squares, products, combine") << 2 << true << true << true << 3
                                                << "Not enough data points to find conjectures. 10 3";
    QTest::newRow("squares and products, 9 points") << 2 << true << true << false << 9
                                                    << "Not enough data points to find conjectures. 5 9";
    QTest::newRow("squares and products, 10 points") << 2 << true << true << false << 10 << QString();
    QTest::newRow("products and combine, 6 points") << 2 << false << true << true << 6 << QString();
    QTest::newRow("no column") << 0 << false << false << false << 2
                               << "Not enough data points to find conjectures. 0 1";
}

void TestConjectureEngine::notEnoughPoints()
{
    QFETCH(int, columns);
    QFETCH(bool, sq);
    QFETCH(bool, prod);
    QFETCH(bool, combine);
    QFETCH(int, points);
    QFETCH(QString, message);

    QStringList names;
    for (int c = 0; c < columns; ++c)
        names << QString("c%1").arg(c);
    Points pts;
    for (int p = 0; p < points; ++p) {
        QVector<double> row;
        for (int c = 0; c < columns; ++c)
            row << std::pow(p + 1.0, c + 1) + 0.37 * c;
        pts << row;
    }
    Options o;
    o.sq = sq;
    o.prod = prod;
    o.combine = combine;
    ConjectureEngine e(5);
    e.setTimeLimit(300);
    feed(e, names, Weights(columns, 1.0), pts, {}, o);
    Job job;
    runJob(e, job);

    QCOMPARE(job.order.first(), QString("progress"));
    QCOMPARE(job.progressLimits.first(), qint64(300));
    QCOMPARE(job.order.last(), QString("complete"));
    if (message.isEmpty()) {
        QVERIFY(!job.order.contains("not enough"));
        QVERIFY(job.completedAt >= 300);
    } else {
        QCOMPARE(job.order.mid(job.order.size() - 3),
                 (QStringList{"conjecture", "not enough", "complete"}));
        QCOMPARE(job.messages, QStringList{message});
        QVERIFY(job.records.empty());
    }
}

void TestConjectureEngine::workedBounds_data()
{
    QTest::addColumn<Weights>("weights");
    QTest::addColumn<QVector<int>>("graphs");
    QTest::addColumn<QStringList>("messages");  // among those emitted
    QTest::addColumn<QString>("formula");  // of one record, checked in full
    QTest::addColumn<QVector<int>>("support");
    QTest::addColumn<double>("sumErr");

    const QVector<int> own{0, 1, 2, 3, 4};
    QTest::newRow("upper bounds") << Weights{1, 1} << own
                                  << QStringList{"1 x <= 3 [2 ; 9] <2>", "1 y <= 1 [2 ; 3] <2>"} << "1 x <= 3"
                                  << QVector<int>{3, 4} << 9.0;
    QTest::newRow("lower bound on x") << Weights{-1, 1} << own << QStringList{"1 x >= 1 [2 ; 9] <2>"}
                                      << "1 x >= 1" << QVector<int>{0, 1} << 9.0;
    // Touching counts graphs, not points.
    QTest::newRow("two points of one graph") << Weights{1, 1} << QVector<int>{0, 1, 2, 7, 7}
                                             << QStringList{"1 x <= 3 [1 ; 9] <2>", "1 y <= 1 [2 ; 3] <2>"}
                                             << "1 x <= 3" << QVector<int>{7} << 9.0;
}

void TestConjectureEngine::workedBounds()
{
    QFETCH(Weights, weights);
    QFETCH(QVector<int>, graphs);
    QFETCH(QStringList, messages);
    QFETCH(QString, formula);
    QFETCH(QVector<int>, support);
    QFETCH(double, sumErr);

    ConjectureEngine e(2);
    // Each run searches for a second, and on until its bounds are in: a loaded machine may give
    // a job of limited time no time at all. The limit only ends a run that never finds them.
    e.setTimeLimit(30000);
    auto found = [&](const Job &job) {
        for (const QString &m : messages)
            if (!job.messages.contains(m))
                return false;
        return findRecord(job, formula) != nullptr && job.clock.elapsed() >= 1000;
    };
    // Two runs of one engine: each announces its bounds once, and again in the next run.
    for (int run = 0; run < 2; ++run) {
        feed(e, {"x", "y"}, weights, fivePoints, graphs);
        Job job;
        runJob(e, job, -1, found);
        for (const QString &m : messages)
            QVERIFY2(job.messages.contains(m), qPrintable(job.messages.join(" | ")));
        QCOMPARE(QSet<QString>(job.messages.begin(), job.messages.end()).size(), job.messages.size());
        QCOMPARE(int(job.records.size()), job.messages.size());
        for (int i = 0; i < job.messages.size(); ++i)
            QVERIFY(job.messages[i].startsWith(job.records[size_t(i)].getFormula() + " ["));
        const Conjecture *c = findRecord(job, formula);
        QVERIFY(c);
        QCOMPARE(c->getSupport(), support);
        QCOMPARE(c->getTouching(), support.size());
        QCOMPARE(c->getSumErr(), sumErr);
        QCOMPARE(c->getCoefs().size(), 2);
    }
}

void TestConjectureEngine::randomClouds_data()
{
    QTest::addColumn<int>("seed");
    QTest::addColumn<int>("columns");
    QTest::addColumn<bool>("integers");
    QTest::addColumn<bool>("squares");
    QTest::addColumn<int>("points");

    QTest::newRow("integer plane") << 1 << 2 << true << false << 30;
    QTest::newRow("real space") << 2 << 3 << false << false << 40;
    QTest::newRow("integer plane with squares and products") << 3 << 2 << true << true << 40;
    QTest::newRow("integer 4 columns") << 4 << 4 << true << false << 50;
}

void TestConjectureEngine::randomClouds()
{
    QFETCH(int, seed);
    QFETCH(int, columns);
    QFETCH(bool, integers);
    QFETCH(bool, squares);
    QFETCH(int, points);

    std::mt19937 gen(seed);
    std::uniform_int_distribution<int> small(0, 5);
    std::uniform_real_distribution<double> real(-2.0, 2.0);
    QStringList names;
    Weights w;
    for (int c = 0; c < columns; ++c) {
        names << QString("v%1").arg(c);
        w << (gen() % 2 ? 1.0 : -1.0);
    }
    Points pts;
    QVector<int> graphs;
    for (int p = 0; p < points; ++p) {
        QVector<double> row;
        for (int c = 0; c < columns; ++c)
            row << (integers ? small(gen) : real(gen));
        pts << row;
        graphs << int(gen() % unsigned(points / 2));  // graphs repeat
    }
    Options o;
    o.sq = o.prod = squares;

    ConjectureEngine e(1);
    // 400 ms of search, and on until a bound is found: a loaded machine may give a job of limited
    // time no time at all. The limit only ends a run that never finds one.
    e.setTimeLimit(30000);
    feed(e, names, w, pts, graphs, o);
    // The engine keeps the first of near-equal points: so does the check.
    Points kept;
    QVector<int> keptGraphs;
    for (int p = 0; p < pts.size(); ++p) {
        bool seen = false;
        for (const QVector<double> &k : kept)
            seen = seen || k == pts[p];
        if (!seen) {
            kept << pts[p];
            keptGraphs << graphs[p];
        }
    }
    QCOMPARE(e.nbPoints(), kept.size());
    Job job;
    runJob(e, job, -1, [](const Job &j) { return !j.records.empty() && j.clock.elapsed() >= 400; });

    QVERIFY(!job.records.empty());
    // Every point given counts, also repeated ones: each record holds on all of them and touches
    // the graphs of those on which its two sides are equal within 1e-9 of the sum of the
    // magnitudes of its terms and constant.
    for (const Conjecture &c : job.records) {
        const QVector<double> coefs = c.getCoefs();
        QVector<int> onIt;
        for (int p = 0; p < pts.size(); ++p) {
            const QVector<double> a = augmented(pts[p], o);
            QCOMPARE(coefs.size(), a.size());
            double smaller = std::max(-c.getOffset(), 0.0), larger = std::max(c.getOffset(), 0.0);
            double magnitude = std::fabs(c.getOffset());
            for (int i = 0; i < a.size(); ++i) {
                (coefs[i] > 0 ? smaller : larger) += std::fabs(coefs[i]) * a[i];
                magnitude += std::fabs(coefs[i] * a[i]);
            }
            const double side = 1e-9 * magnitude;
            QVERIFY2(smaller - larger <= side, qPrintable(c.getFormula() + QString(" point %1").arg(p)));
            if (std::fabs(smaller - larger) <= side && !onIt.contains(graphs[p]))
                onIt << graphs[p];
        }
        QCOMPARE(c.getSupport(), onIt);
        QCOMPARE(c.getTouching(), onIt.size());
    }
}

void TestConjectureEngine::stopping_data()
{
    QTest::addColumn<int>("limit");
    QTest::addColumn<int>("cancelAfter");  // -1: no cancel

    // A day's limit: only the cancel can end this job before the test's own watchdog.
    QTest::newRow("cancel") << 24 * 3600 * 1000 << 300;
    QTest::newRow("time limit") << 1000 << -1;
}

// 2000 points of 6 columns with squares and products: one pass of the search would take
// minutes, so only a stop check after every evaluation ends the job in time.
void TestConjectureEngine::stopping()
{
    QFETCH(int, limit);
    QFETCH(int, cancelAfter);

    std::mt19937 gen(11);
    std::uniform_real_distribution<double> u(0.0, 10.0);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    Points pts;
    for (int p = 0; p < 2000; ++p) {
        QVector<double> row;
        for (int c = 0; c < 6; ++c)
            row << u(gen);
        if (p % 400 == 7)
            row[p % 6] = p % 800 == 7 ? nan : (p % 2 ? inf : -inf);
        pts << row;
    }
    Options o;
    o.sq = o.prod = true;
    ConjectureEngine e(3);
    e.setTimeLimit(limit);
    feed(e, {"a", "b", "c", "d", "e", "f"}, Weights(6, 1.0), pts, {}, o);
    QCOMPARE(e.skippedPoints(), 5);
    QCOMPARE(e.nbPoints(), 1995);

    Job job;
    QVERIFY(!e.isRunning());
    const qint64 cancelledAt = runJob(e, job, cancelAfter);
    const qint64 end = job.completedAt;
    // The job ends after the cancel, or once its limit has passed, and says so last; a job
    // that missed its stop would run for minutes.
    if (cancelAfter >= 0) {
        QVERIFY(cancelledAt >= cancelAfter);
        QVERIFY2(end >= cancelledAt, qPrintable(QString("ended %1 ms before Cancel").arg(cancelledAt - end)));
    } else {
        QVERIFY2(end >= limit, qPrintable(QString("ended at %1 ms").arg(end)));
    }
    QCOMPARE(job.order.last(), QString("complete"));
    // Ticks of the owner's time check reported progress against the limit.
    QVERIFY(job.order.count("progress") >= 2);
    QCOMPARE(job.progressLimits.last(), qint64(limit));
    QVERIFY(!e.isRunning());
    QVERIFY(e.isIdle());
    QVERIFY(e.getHeader().isEmpty());
    QCOMPARE(e.nbPoints(), 0);

    // Idle: the time check reports nothing.
    QSignalSpy progress(&e, &ConjectureEngine::signal_progress);
    e.slot_timer();
    QCOMPARE(progress.count(), 0);
}

// The owner's thread receives every signal queued, in emission order, and feeds and starts
// the engine again from its handling of signal_complete().
void TestConjectureEngine::ownerThreadRestarts()
{
    ConjectureEngine e(2);
    // Each run is cancelled once it has found its bound on x: a loaded machine may give a job of
    // limited time no time at all. The limit only ends a run that never finds it.
    e.setTimeLimit(30000);
    QStringList order;
    QStringList formulas;
    int completions = 0;
    connect(&e, &ConjectureEngine::signal_progress, this, [&](int id, qint64 elapsed, qint64) {
        order << QString("progress %1 %2").arg(id).arg(elapsed);
    });
    connect(&e, &ConjectureEngine::signal_conjecture, this, [&](const QString &) { order << "conjecture"; });
    connect(&e, &ConjectureEngine::signal_new_conjecture, this, [&](Conjecture *c) {
        order << "record";
        formulas << Conjecture(c).getFormula();
        if (formulas.last() == (completions == 0 ? "1 x <= 3" : "1 x >= 1"))
            e.cancel();
    });
    connect(&e, &ConjectureEngine::signal_complete, this, [&]() {
        order << "complete";
        QVERIFY(!e.isRunning());
        if (++completions == 1) {
            feed(e, {"x", "y"}, {-1, 1}, fivePoints);
            e.start();
            QVERIFY(e.isRunning());
        }
    });
    feed(e, {"x", "y"}, {1, 1}, fivePoints);
    e.start();
    // Two runs; the watchdog only stops a test that would hang.
    ORV_AWAIT(completions == 2, 120000, order.join(" | "));
    e.wait();

    QVERIFY(formulas.contains("1 x <= 3"));
    QVERIFY(formulas.contains("1 x >= 1"));
    QCOMPARE(order.first(), QString("progress 2 0"));
    QCOMPARE(order.last(), QString("complete"));
    const int firstEnd = order.indexOf("complete");
    QCOMPARE(order[firstEnd + 1], QString("progress 2 0"));
    for (int i = 0; i < order.size(); ++i)
        if (order[i] == "conjecture")
            QCOMPARE(order[i + 1], QString("record"));
}

void TestConjectureEngine::feedingWhileRunningChangesNothing()
{
    ConjectureEngine e(0);
    e.setTimeLimit(20000);
    feed(e, {"x", "y"}, {1, 1}, fivePoints);
    e.start();
    QVERIFY(e.isRunning());
    QVERIFY(!e.isIdle());
    e.setSq(true);
    e.setProd(true);
    e.setCombine(true);
    e.setHeader({"z"});
    e.addPoint({1}, 9);
    e.clear();
    e.cancel();
    QVERIFY(e.wait(5000));
    QVERIFY(e.isIdle());

    // The options stayed off: two columns, not ten.
    Job job;
    feed(e, {"x", "y"}, {1, 1}, {{1, 0}, {0, 1}, {1, 1}});
    e.setSq(false);
    runJob(e, job);
    QCOMPARE(job.messages, QStringList{"Not enough data points to find conjectures. 2 3"});
}

// A column whose sum overflows leaves the correlations without a decomposition: the rows are
// still set up, without identities, so that the search's jobs do not stop at once, each one
// making them again. Only Cancel leaves a set-up unfinished.
void TestConjectureEngine::spaceCompleteWithoutDecomposition()
{
    std::vector<double> rows;
    QVector<int> graphs;
    for (int r = 0; r < 12; ++r) {
        rows.insert(rows.end(), {double(r % 3 + 1), double(r % 2), (1.0 + r / 20.0) * 1e308});
        graphs << r;
    }
    const std::vector<char> exact(rows.size(), 1);
    const RelationSpace space(rows, exact, graphs, 3, 3);
    QVERIFY(space.complete());
    QCOMPARE(space.nbIdentities(), 0);
    const std::atomic<bool> cancelled{true};
    QVERIFY(!RelationSpace(rows, exact, graphs, 3, 3, &cancelled).complete());
}

QTEST_GUILESS_MAIN(TestConjectureEngine)
#include "tst_conjectureengine.moc"
