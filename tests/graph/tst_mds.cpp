#include "graph/Graph.h"
#include "graph/MDS.h"
#include "graph/Node.h"

#include <QtTest>
#include <cmath>

namespace {

struct Point
{
    double x, y, z;
};

QVector<Point> positions(Graph &g)
{
    QVector<Point> p;
    for (int i = 0; i < g.getNbNodes(); ++i) {
        const Node *node = g.getNode(i);
        p.append({node->getCoordX(), node->getCoordY(), node->getCoordZ()});
    }
    return p;
}

double dist(const Point &a, const Point &b)
{
    return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) + (a.z - b.z) * (a.z - b.z));
}

bool finite(const Point &p)
{
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

// Lays out the graph text and returns the positions.
QVector<Point> layout(Graph &g, const QString &text, double scale, int dims)
{
    g.loadorv(text, false);
    delete new MDS(&g, scale, dims);
    return positions(g);
}

} // namespace

class TestMDS : public QObject
{
    Q_OBJECT

private slots:
    void pathOfThree();
    void regularSimplices_data();
    void regularSimplices();
    void componentsStayApart();
    void edgelessGraphsStayFinite_data();
    void edgelessGraphsStayFinite();
    void layoutsDiffer();
};

void TestMDS::pathOfThree()
{
    Graph g("g", false);
    const QVector<Point> p = layout(g, "3 101", 500.0, 2);
    // Distances 250, 250 and 500, up to where the descent stops improving.
    QVERIFY(std::fabs(dist(p[0], p[1]) - 250.0) < 0.5);
    QVERIFY(std::fabs(dist(p[1], p[2]) - 250.0) < 0.5);
    QVERIFY(std::fabs(dist(p[0], p[2]) - 500.0) < 0.5);
    QVERIFY(std::fabs(dist(p[0], p[2]) / dist(p[0], p[1]) - 2.0) < 1e-3);
    // Collinear: the middle vertex lies on the line through the ends, within 1% of its length.
    const double cross = (p[1].x - p[0].x) * (p[2].y - p[0].y) - (p[1].y - p[0].y) * (p[2].x - p[0].x);
    QVERIFY(std::fabs(cross) / dist(p[0], p[2]) < 5.0);
    for (int c = 0; c < 2; ++c) {
        const double mean = c == 0 ? (p[0].x + p[1].x + p[2].x) / 3 : (p[0].y + p[1].y + p[2].y) / 3;
        QVERIFY(std::fabs(mean) < 1e-9);
    }
    for (const Point &q : p)
        QCOMPARE(q.z, 0.0);
}

void TestMDS::regularSimplices_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("dims");
    QTest::newRow("K3 in the plane") << "3 111" << 2;
    QTest::newRow("K3 in space") << "3 111" << 3;
    QTest::newRow("K4 in space") << "4 111111" << 3;
}

void TestMDS::regularSimplices()
{
    QFETCH(QString, text);
    QFETCH(int, dims);
    Graph g("g", false);
    const double scale = 200.0;
    const QVector<Point> p = layout(g, text, scale, dims);
    for (int i = 0; i < p.size(); ++i)
        for (int j = i + 1; j < p.size(); ++j)
            QVERIFY2(std::fabs(dist(p[i], p[j]) - scale) < 0.2,
                     qPrintable(QString("%1-%2: %3").arg(i).arg(j).arg(dist(p[i], p[j]))));
    Point mean{0, 0, 0};
    for (const Point &q : p) {
        mean.x += q.x / p.size();
        mean.y += q.y / p.size();
        mean.z += q.z / p.size();
    }
    QVERIFY(std::fabs(mean.x) < 1e-9 && std::fabs(mean.y) < 1e-9 && std::fabs(mean.z) < 1e-9);
    if (dims == 3)
        QCOMPARE(g.getNode(0)->zValue(), p[0].z);
}

void TestMDS::componentsStayApart()
{
    // Two disjoint edges: 0-1 and 2-3. Within an edge the target is the scale; vertices of
    // different components only repel each other until they are more than the scale apart.
    Graph g("g", false);
    const double scale = 100.0;
    const QVector<Point> p = layout(g, "4 100001", scale, 2);
    QVERIFY(std::fabs(dist(p[0], p[1]) - scale) < 0.5);
    QVERIFY(std::fabs(dist(p[2], p[3]) - scale) < 0.5);
    for (int i : {0, 1})
        for (int j : {2, 3})
            QVERIFY2(dist(p[i], p[j]) > scale, qPrintable(QString("%1-%2: %3").arg(i).arg(j).arg(dist(p[i], p[j]))));
}

void TestMDS::edgelessGraphsStayFinite_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("dims");
    QTest::newRow("no vertex") << "0 " << 2;
    QTest::newRow("one vertex") << "1 " << 3;
    QTest::newRow("two isolated") << "2 0" << 2;
    QTest::newRow("five isolated") << "5 0000000000" << 2;
    QTest::newRow("five isolated in space") << "5 0000000000" << 3;
}

void TestMDS::edgelessGraphsStayFinite()
{
    QFETCH(QString, text);
    QFETCH(int, dims);
    Graph g("g", false);
    const QVector<Point> p = layout(g, text, 300.0, dims);
    for (const Point &q : p)
        QVERIFY(finite(q));
    // Without edges every pair is unreachable and is pushed apart.
    for (int i = 0; i < p.size(); ++i)
        for (int j = i + 1; j < p.size(); ++j)
            QVERIFY(dist(p[i], p[j]) > 1.0);
}

void TestMDS::layoutsDiffer()
{
    Graph g("g", false);
    const QVector<Point> first = layout(g, "5 1100110011", 200.0, 2);
    const QVector<Point> second = layout(g, "5 1100110011", 200.0, 2);
    bool differ = false;
    for (int i = 0; i < first.size(); ++i)
        differ = differ || dist(first[i], second[i]) > 1e-6;
    QVERIFY(differ);
}

QTEST_MAIN(TestMDS)
#include "tst_mds.moc"
