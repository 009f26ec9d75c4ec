#include "ErrCapture.h"
#include "optimizer/OptimalSolutions.h"

#include <QtTest>
#include <algorithm>
#include <random>
#include <thread>

namespace {
// A record from text: "values|objectives", values comma-separated (error flag first),
// objective vectors separated by ';', entries by ',', "-" for an empty vector; "nan" reads as NaN.
Eval record(const QString &text)
{
    const QStringList parts = text.split('|');
    Eval e;
    const QStringList values = parts[0].split(',', Qt::SkipEmptyParts);
    for (int i = values.size() - 1; i >= 0; --i)
        e.push_front(values[i] == "nan" ? std::nan("") : values[i].toDouble());
    if (parts.size() > 1)
        for (const QString &vector : parts[1].split(';')) {
            QVector<double> v;
            if (vector != "-")
                for (const QString &x : vector.split(','))
                    v.append(x == "nan" ? std::nan("") : x.toDouble());
            e.addZ(v);
        }
    return e;
}

Solution *solution(const QString &text, const QString &name)
{
    Eval e = record(text);
    return new Solution(&e, name);
}

Solution *point(double x, double y, const QString &name)
{
    Eval e;
    e.push_front(0.0);
    e.addZ({x});
    e.addZ({y});
    return new Solution(&e, name);
}

using Pt = QPair<double, double>;

// The points of a set that no other distinct point of it dominates, each once, sorted.
QVector<Pt> paretoFilter(const QVector<Pt> &all)
{
    QVector<Pt> front;
    for (const Pt &p : all) {
        bool dominated = false;
        for (const Pt &q : all)
            if (q != p && q.first <= p.first && q.second <= p.second)
                dominated = true;
        if (!dominated && !front.contains(p))
            front.append(p);
    }
    std::sort(front.begin(), front.end());
    return front;
}

// The same front by a sweep in x order, for sets too large for the pairwise filter.
QVector<Pt> paretoSweep(QVector<Pt> all)
{
    std::sort(all.begin(), all.end());
    QVector<Pt> front;
    for (const Pt &p : all)
        if (front.isEmpty() || p.second < front.last().second)
            front.append(p);
    return front;
}

QVector<Pt> storedPoints(const OptimalSolutions &a)
{
    QVector<Pt> pts;
    for (int i = 0; i < a.size(); ++i) {
        const auto *z = a.OSSolution(i)->getValue()->z();
        pts.append({(*z)[0][0], (*z)[1][0]});
    }
    std::sort(pts.begin(), pts.end());
    return pts;
}

QVector<Pt> registered(const OptimalSolutions &a)
{
    QVector<Pt> pts;
    for (const auto &p : a.registeredPoints())
        pts.append({p[0], p[1]});
    std::sort(pts.begin(), pts.end());
    return pts;
}
} // namespace

class TestOptimalSolutions : public QObject
{
    Q_OBJECT

private slots:
    void acceptance_data();
    void acceptance();
    void outOfRangeReads();
    void worstPointsLeaveTheFront();
    void randomStreamsMatchParetoFilter();
    void fourThreadsOfferAtOnce();
};

void TestOptimalSolutions::acceptance_data()
{
    QTest::addColumn<bool>("family");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QStringList>("offers");
    QTest::addColumn<QString>("verdicts");
    QTest::addColumn<QStringList>("kept");
    QTest::addColumn<int>("points");

    QTest::newRow("closed archive") << true << true << QStringList{"0|1"} << "0" << QStringList{} << 0;
    QTest::newRow("empty objective vector") << true << false << QStringList{"0|-", "0|2;-"} << "00" << QStringList{} << 0;
    QTest::newRow("not a family: vector refused")
        << false << false << QStringList{"0|1,2", "0|3"} << "01" << QStringList{"g1"} << 1;
    QTest::newRow("empty archive takes a violated graph")
        << true << false << QStringList{"1|5"} << "1" << QStringList{"g0"} << 1;
    QTest::newRow("feasible archive refuses violated")
        << true << false << QStringList{"0|5", "0.5|1", "1|0"} << "100" << QStringList{"g0"} << 1;
    QTest::newRow("feasible newcomer replaces violated")
        << true << false << QStringList{"1|1", "0|9"} << "11" << QStringList{"g1"} << 1;
    QTest::newRow("violations tie: dominance decides, better")
        << true << false << QStringList{"0,1,0.5|5", "0,1.0000005,0.4999995|4"} << "11" << QStringList{"g1"} << 1;
    QTest::newRow("violations tie: dominance decides, worse")
        << true << false << QStringList{"0,1,0.5|5", "0,0.9999995,0.5000005|6"} << "10" << QStringList{"g0"} << 1;
    QTest::newRow("smaller later violation replaces all")
        << true << false << QStringList{"0,1,0.5|5", "0,1,0.5|4", "0,1,0.4|9"} << "111" << QStringList{"g2"} << 1;
    QTest::newRow("larger earlier violation refused whatever follows")
        << true << false << QStringList{"0,1,0.5|5", "0,1.1,0|1"} << "10" << QStringList{"g0"} << 1;
    QTest::newRow("equal point within tolerance refused")
        << true << false << QStringList{"0|3", "0|3.0000005", "0|2.9999995"} << "100" << QStringList{"g0"} << 1;
    QTest::newRow("stored first graph is the front: a worse one never evicts it")
        << true << false << QStringList{"0|1", "0|5"} << "10" << QStringList{"g0"} << 1;
    QTest::newRow("violated first graph is the front as well")
        << true << false << QStringList{"1|1", "1|5", "1|0.5"} << "101" << QStringList{"g2"} << 1;
    QTest::newRow("family: three points per graph")
        << true << false << QStringList{"0|1,2,3;3,2,1", "0|2;2", "0|0,5;5,0", "0|0.5;0.5"} << "1011"
        << QStringList{"g2", "g3"} << 3;
    QTest::newRow("not a family: each accept replaces the archive")
        << false << false << QStringList{"0|1;5", "0|5;1", "0|6;6"} << "110" << QStringList{"g1"} << 1;
    QTest::newRow("NaN objective: violated, then replaced by a feasible graph")
        << true << false << QStringList{"0|nan", "0|7"} << "11" << QStringList{"g1"} << 1;
    QTest::newRow("NaN objective never enters a feasible archive")
        << true << false << QStringList{"0|3", "0|nan", "0|nan;1"} << "100" << QStringList{"g0"} << 1;
    QTest::newRow("NaN violation ranks last")
        << true << false << QStringList{"1|3", "nan|1", "0.5|9"} << "101" << QStringList{"g2"} << 1;
}

void TestOptimalSolutions::acceptance()
{
    QFETCH(bool, family);
    QFETCH(bool, closed);
    QFETCH(QStringList, offers);
    QFETCH(QString, verdicts);
    QFETCH(QStringList, kept);
    QFETCH(int, points);

    OptimalSolutions a;
    a.setFamily(family);
    if (closed)
        a.close();
    QString got;
    for (int i = 0; i < offers.size(); ++i) {
        Solution *s = solution(offers[i], "g" + QString::number(i));
        const bool accepted = a.addSolution(s);
        if (!accepted)
            delete s;
        got += accepted ? '1' : '0';
    }
    QCOMPARE(got, verdicts);
    QCOMPARE(QStringList(a.graphs().toList()), kept);
    QCOMPARE(a.nbPoints(), points);
    // Every stored solution has a point on the front.
    for (int i = 0; i < a.size(); ++i) {
        QVector<OptimalSolutions::Point> own;
        QVERIFY(OptimalSolutions::objectivePoints(*a.OSSolution(i)->getValue(), own));
        bool onFront = false;
        for (const auto &p : own)
            for (const auto &q : a.registeredPoints())
                onFront = onFront || OptimalSolutions::matches(p, q);
        QVERIFY(onFront);
    }
    a.clear();
    QCOMPARE(a.size(), 0);
    QCOMPARE(a.nbPoints(), 0);
    QCOMPARE(a.isClosed(), closed);
}

void TestOptimalSolutions::outOfRangeReads()
{
    OptimalSolutions a;
    QVERIFY(!a.lastSolution());
    QVERIFY(!a.OSSolution(0));
    Solution *s = solution("0,2|1", "g");
    QVERIFY(a.addSolution(s));
    ErrCapture err;
    QCOMPARE(a.graph(-1), QString());
    QCOMPARE(a.graph(1), QString());
    QCOMPARE(err.text(), QString());
    QVERIFY(!a.OSSolution(1));
    QCOMPARE(a.lastSolution(), s);
    QCOMPARE(s->violation(1), 2.0);
    QCOMPARE(s->violation(2), 0.0);
    QCOMPARE(s->violation(-1), 0.0);
    QCOMPARE(Solution(s).getGraph(), QString("g"));
}

void TestOptimalSolutions::worstPointsLeaveTheFront()
{
    OptimalSolutions a;
    const QVector<Pt> offers = {{1, 5}, {2, 2}, {5, 1}, {3, 3}, {2, 2}};
    const QString expected = "11100";
    QString got;
    for (int i = 0; i < offers.size(); ++i) {
        Solution *s = point(offers[i].first, offers[i].second, QString::number(i));
        const bool accepted = a.addSolution(s);
        if (!accepted)
            delete s;
        got += accepted ? '1' : '0';
    }
    QCOMPARE(got, expected);
    const QVector<Pt> front = {{1, 5}, {2, 2}, {5, 1}};
    QCOMPARE(storedPoints(a), front);
    QCOMPARE(registered(a), front);
}

void TestOptimalSolutions::randomStreamsMatchParetoFilter()
{
    std::mt19937 rng(20261207);
    for (int set = 0; set < 500; ++set) {
        // Half the sets on a small grid, so that ties and repeats are frequent.
        const bool grid = set % 2 == 0;
        std::uniform_int_distribution<int> count(1, 40), cell(0, 8);
        std::uniform_real_distribution<double> real(0.0, 1.0);
        QVector<Pt> all;
        OptimalSolutions a;
        const int n = count(rng);
        for (int i = 0; i < n; ++i) {
            const Pt p = grid ? Pt(cell(rng), cell(rng)) : Pt(real(rng), real(rng));
            all.append(p);
            Solution *s = point(p.first, p.second, QString::number(i));
            if (!a.addSolution(s))
                delete s;
        }
        const QVector<Pt> front = paretoFilter(all);
        QCOMPARE(storedPoints(a), front);
        QCOMPARE(registered(a), front);
    }
}

void TestOptimalSolutions::fourThreadsOfferAtOnce()
{
    OptimalSolutions a;
    QVector<Pt> offered[4];
    std::atomic<bool> done{false};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&a, &offered, t] {
            std::mt19937 rng(1000 + t);
            std::uniform_int_distribution<int> x(0, 400), noise(0, 30);
            for (int i = 0; i < 10000; ++i) {
                // Near the line x + y = 400, so that the front keeps changing.
                const int u = x(rng);
                const Pt p(u, 400 - u + noise(rng));
                offered[t].append(p);
                Solution *s = point(p.first, p.second, QString::number(t));
                if (!a.addSolution(s))
                    delete s;
            }
        });
    // A reader that needs a consistent view holds the archive's lock.
    std::thread reader([&a, &done] {
        while (!done.load()) {
            a.lock();
            const int size = a.size();
            Solution *last = a.lastSolution();
            QVERIFY(size == 0 || last != nullptr);
            a.unlock();
        }
    });
    for (std::thread &t : threads)
        t.join();
    done.store(true);
    reader.join();
    QVector<Pt> all;
    for (const QVector<Pt> &v : offered)
        all += v;
    const QVector<Pt> front = paretoSweep(all);
    QVERIFY(front.size() > 1);
    QCOMPARE(storedPoints(a), front);
    QCOMPARE(registered(a), front);
}

QTEST_GUILESS_MAIN(TestOptimalSolutions)
#include "tst_optimalsolutions.moc"
