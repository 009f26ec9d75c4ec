#include "InvariantProbe.h"
#include "calculus/Calculus.h"
#include "graph/Graph.h"

#include <QThread>
#include <QtTest>
#include <atomic>
#include <cmath>
#include <iostream>
#include <memory>
#include <sstream>

namespace {
using Edges = QVector<QPair<int, int>>;
using Matrix = QVector<QVector<double>>;

struct Shape {
    int n;
    Edges edges;
};

Shape path3() { return {3, {{0, 1}, {1, 2}}}; }
Shape triangle() { return {3, {{0, 1}, {1, 2}, {0, 2}}}; }
Shape star(int leaves)
{
    Shape s{leaves + 1, {}};
    for (int v = 1; v <= leaves; ++v)
        s.edges << qMakePair(0, v);
    return s;
}
Shape complete(int n)
{
    Shape s{n, {}};
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            s.edges << qMakePair(i, j);
    return s;
}

// Rows of a matrix written as a flat list of n * n values (or n values for a vector).
Matrix rows(int r, int c, const QVector<double> &flat)
{
    Matrix m(r, QVector<double>(c));
    for (int i = 0; i < r; ++i)
        for (int j = 0; j < c; ++j)
            m[i][j] = flat[i * c + j];
    return m;
}

bool near(const Matrix &a, const Matrix &b, double tol)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i) {
        if (a[i].size() != b[i].size())
            return false;
        for (int j = 0; j < a[i].size(); ++j)
            if (!(std::fabs(a[i][j] - b[i][j]) <= tol))
                return false;
    }
    return true;
}

QString show(const Matrix &m)
{
    QStringList lines;
    for (const auto &row : m) {
        QStringList cells;
        for (double x : row)
            cells << QString::number(x, 'g', 10);
        lines << cells.join(' ');
    }
    return "[" + lines.join("; ") + "]";
}

// The matrix, degree, count and spectrum items.
const QStringList degreeAndMatrixKeys = {"ADJACENCY", "IDENTITY", "ONEMAT", "ONEVEC", "LAPLACIAN", "SLLAPLACIAN",
                               "NLAPLACIAN", "MODULARITY", "COMNEIGH", "ORDER", "SIZE", "DEGREES", "DEGMAX",
                               "DEGMIN", "PENDING", "NUMERO", "KCHERRIES", "PLATT", "RANDIC", "ZAGREBM1",
                               "ZAGREBM2", "CLAWS", "TRIANGLES", "K4", "KIRCHHOFF", "ENERGY"};
} // namespace

Q_DECLARE_METATYPE(Shape)

class TestInvariantValues : public QObject
{
    Q_OBJECT

private slots:
    // Hand-computed values of small graphs: shape, entries and error flag.
    void handCases_data()
    {
        QTest::addColumn<Shape>("graph");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("complement");
        QTest::addColumn<Matrix>("expected");
        QTest::addColumn<bool>("error");
        const double r2 = 1.0 / std::sqrt(2.0);
        const Shape empty{0, {}}, one{1, {}}, edge{2, {{0, 1}}}, threeApart{3, {}};
        auto scalar = [](double x) { return rows(1, 1, {x}); };
        auto ok = [](const char *name, Shape g, QString key, Matrix m) {
            QTest::newRow(name) << g << key << false << m << false;
        };

        // No vertex: empty windows, no error.
        for (const QString &key : degreeAndMatrixKeys) {
            if (key == "KIRCHHOFF")
                continue;
            const bool vec = key == "ONEVEC" || key == "DEGREES" || key == "NUMERO" || key == "KCHERRIES";
            const bool mat = QStringList{"ADJACENCY", "IDENTITY", "ONEMAT", "LAPLACIAN", "SLLAPLACIAN",
                                         "NLAPLACIAN", "MODULARITY", "COMNEIGH"}
                                 .contains(key);
            QTest::newRow(qPrintable("n=0 " + key)) << empty << key << false
                                                    << (vec ? Matrix(0, QVector<double>(1)) : mat ? Matrix()
                                                                                                  : scalar(0))
                                                    << false;
        }
        // One vertex.
        for (const char *key : {"ADJACENCY", "LAPLACIAN", "SLLAPLACIAN", "MODULARITY", "COMNEIGH", "DEGREES",
                                "DEGMIN", "DEGMAX", "PENDING", "ENERGY"})
            ok(qPrintable(QString("n=1 ") + key), one, key, scalar(0));
        for (const char *key : {"IDENTITY", "ONEMAT", "ONEVEC", "NLAPLACIAN", "NUMERO", "ORDER"})
            ok(qPrintable(QString("n=1 ") + key), one, key, scalar(1));
        // Edgeless graph on three vertices.
        ok("edgeless MODULARITY", threeApart, "MODULARITY", rows(3, 3, QVector<double>(9, 0.0)));
        ok("edgeless NLAPLACIAN", threeApart, "NLAPLACIAN", rows(3, 3, {1, 0, 0, 0, 1, 0, 0, 0, 1}));
        ok("edgeless LAPLACIAN", threeApart, "LAPLACIAN", rows(3, 3, QVector<double>(9, 0.0)));
        ok("edgeless ENERGY", threeApart, "ENERGY", scalar(0));
        ok("edgeless DEGMIN", threeApart, "DEGMIN", scalar(0));
        // One edge.
        ok("edge MODULARITY", edge, "MODULARITY", rows(2, 2, {-0.5, 0.5, 0.5, -0.5}));
        ok("edge NLAPLACIAN", edge, "NLAPLACIAN", rows(2, 2, {1, -1, -1, 1}));
        ok("edge PENDING", edge, "PENDING", scalar(2));
        ok("edge KCHERRIES", edge, "KCHERRIES", rows(2, 1, {1, 1}));
        ok("edge PLATT", edge, "PLATT", scalar(0));
        ok("edge RANDIC", edge, "RANDIC", scalar(1));
        ok("edge ZAGREBM1", edge, "ZAGREBM1", scalar(2));
        ok("edge ZAGREBM2", edge, "ZAGREBM2", scalar(1));
        ok("edge ENERGY", edge, "ENERGY", scalar(2));
        ok("edge SIZE", edge, "SIZE", scalar(1));
        // Path 0-1-2.
        ok("P3 NLAPLACIAN", path3(), "NLAPLACIAN", rows(3, 3, {1, -r2, 0, -r2, 1, -r2, 0, -r2, 1}));
        ok("P3 COMNEIGH", path3(), "COMNEIGH", rows(3, 3, {0, 0, 1, 0, 0, 0, 1, 0, 0}));
        ok("P3 KCHERRIES", path3(), "KCHERRIES", rows(3, 1, {0, 2, 0}));
        ok("P3 PLATT", path3(), "PLATT", scalar(2));
        ok("P3 RANDIC", path3(), "RANDIC", scalar(std::sqrt(2.0)));
        ok("P3 ZAGREBM1", path3(), "ZAGREBM1", scalar(6));
        ok("P3 ZAGREBM2", path3(), "ZAGREBM2", scalar(4));
        ok("P3 KIRCHHOFF", path3(), "KIRCHHOFF", scalar(4));
        ok("P3 ENERGY", path3(), "ENERGY", scalar(2 * std::sqrt(2.0)));
        ok("P3 MODULARITY", path3(), "MODULARITY",
           rows(3, 3, {-0.25, 0.5, -0.25, 0.5, -1, 0.5, -0.25, 0.5, -0.25}));
        ok("P3 DEGREES", path3(), "DEGREES", rows(3, 1, {1, 2, 1}));
        ok("P3 NUMERO", path3(), "NUMERO", rows(3, 1, {1, 2, 3}));
        ok("P3 IDENTITY", path3(), "IDENTITY", rows(3, 3, {1, 0, 0, 0, 1, 0, 0, 0, 1}));
        ok("P3 SLLAPLACIAN", path3(), "SLLAPLACIAN", rows(3, 3, {1, 1, 0, 1, 2, 1, 0, 1, 1}));
        QTest::newRow("P3 complement ADJACENCY")
            << path3() << "ADJACENCY" << true << rows(3, 3, {0, 0, 1, 0, 0, 0, 1, 0, 0}) << false;
        // Triangle.
        ok("K3 COMNEIGH", triangle(), "COMNEIGH", rows(3, 3, {0, 1, 1, 1, 0, 1, 1, 1, 0}));
        ok("K3 LAPLACIAN", triangle(), "LAPLACIAN", rows(3, 3, {2, -1, -1, -1, 2, -1, -1, -1, 2}));
        ok("K3 KIRCHHOFF", triangle(), "KIRCHHOFF", scalar(2));
        ok("K3 ENERGY", triangle(), "ENERGY", scalar(4));
        ok("K3 TRIANGLES", triangle(), "TRIANGLES", scalar(1));
        // Stars.
        ok("K13 CLAWS", star(3), "CLAWS", scalar(1));
        ok("K13 KCHERRIES", star(3), "KCHERRIES", rows(4, 1, {3, 0, 0, 0}));
        ok("K13 RANDIC", star(3), "RANDIC", scalar(std::sqrt(3.0)));
        ok("K13 KIRCHHOFF", star(3), "KIRCHHOFF", scalar(9));
        ok("K13 ENERGY", star(3), "ENERGY", scalar(2 * std::sqrt(3.0)));
        ok("K14 CLAWS", star(4), "CLAWS", scalar(0));
        ok("K14 RANDIC", star(4), "RANDIC", scalar(2));
        // Triangle with a pendant vertex at vertex 0.
        const Shape paw{4, {{0, 1}, {1, 2}, {0, 2}, {0, 3}}};
        ok("paw CLAWS", paw, "CLAWS", scalar(0));
        ok("paw TRIANGLES", paw, "TRIANGLES", scalar(1));
        ok("paw PENDING", paw, "PENDING", scalar(1));
        // Complete graphs.
        ok("K4 TRIANGLES", complete(4), "TRIANGLES", scalar(4));
        ok("K4 K4", complete(4), "K4", scalar(1));
        ok("K4 CLAWS", complete(4), "CLAWS", scalar(0));
        ok("K4 ZAGREBM2", complete(4), "ZAGREBM2", scalar(54));
        ok("K5 TRIANGLES", complete(5), "TRIANGLES", scalar(10));
        ok("K5 K4", complete(5), "K4", scalar(5));
        ok("K5 RANDIC", complete(5), "RANDIC", scalar(2.5));
        // An isolated vertex beside an edge.
        const Shape edgeAndPoint{3, {{0, 1}}};
        ok("isolated ZAGREBM1", edgeAndPoint, "ZAGREBM1", scalar(2));
        ok("isolated PLATT", edgeAndPoint, "PLATT", scalar(0));
        ok("isolated RANDIC", edgeAndPoint, "RANDIC", scalar(1));
        ok("isolated ZAGREBM2", edgeAndPoint, "ZAGREBM2", scalar(1));
        ok("isolated DEGMIN", edgeAndPoint, "DEGMIN", scalar(0));
        ok("isolated NLAPLACIAN", edgeAndPoint, "NLAPLACIAN", rows(3, 3, {1, -1, 0, -1, 1, 0, 0, 0, 1}));
        // KIRCHHOFF needs a connected graph on 3 or more vertices.
        for (const auto &g : {std::make_pair("n=0", empty), std::make_pair("n=1", one), std::make_pair("K2", edge),
                              std::make_pair("3 apart", threeApart), std::make_pair("2K2", Shape{4, {{0, 1}, {2, 3}}})})
            QTest::newRow(qPrintable(QString("KIRCHHOFF ") + g.first))
                << g.second << "KIRCHHOFF" << false << Matrix() << true;
        QTest::newRow("KIRCHHOFF complement of 4 apart")
            << Shape{4, {}} << "KIRCHHOFF" << true << scalar(3) << false;
    }
    void handCases()
    {
        QFETCH(Shape, graph);
        QFETCH(QString, key);
        QFETCH(bool, complement);
        QFETCH(Matrix, expected);
        QFETCH(bool, error);
        InvariantProbe probe;
        probe.setGraph(graph.n, graph.edges);
        Calculus *c = probe.compute(key, complement);
        QVERIFY(c);
        QCOMPARE(c->getError(), error);
        const Matrix got = InvariantProbe::valueOf(c);
        QVERIFY2(near(got, expected, 1e-9), qPrintable(show(got) + " != " + show(expected)));
    }

    void plattIsZagrebLessTwiceSize()
    {
        InvariantProbe probe;
        for (int n = 0; n <= Graph::MaxNodes; ++n) {
            qsrand(uint(100 + n));
            probe.graph().randomGraph(n);
            QCOMPARE(probe.scalar("PLATT"), probe.scalar("ZAGREBM1") - 2 * probe.scalar("SIZE"));
        }
    }

    void completeGraphSpectra()
    {
        InvariantProbe probe;
        for (int n = 1; n <= Graph::MaxNodes; ++n) {
            probe.setGraphText(InvariantProbe::completeGraphText(n));
            QVERIFY2(std::fabs(probe.scalar("ENERGY") - 2.0 * (n - 1)) < 1e-6, qPrintable(QString::number(n)));
            if (n >= 3)
                QVERIFY2(std::fabs(probe.scalar("KIRCHHOFF") - (n - 1)) < 1e-6, qPrintable(QString::number(n)));
        }
    }

    void spectralStatusTexts()
    {
        InvariantProbe probe;
        probe.setGraph(2, {{0, 1}});
        QCOMPARE(probe.compute("KIRCHHOFF")->getStatus(), QString("Kirchhoff"));
        QCOMPARE(probe.compute("ENERGY")->getStatus(), QString("Energy"));
    }

    // A direct recompute without a graph leaves no value and the error flag; only ORDER
    // says so on the standard error stream.
    void withoutGraph_data()
    {
        QTest::addColumn<QString>("key");
        for (const QString &key : degreeAndMatrixKeys)
            QTest::newRow(qPrintable(key)) << key;
    }
    void withoutGraph()
    {
        QFETCH(QString, key);
        std::unique_ptr<Calculus> c(BuildCalculus().makeCalculus(key, false));
        QVERIFY(c);
        std::ostringstream err;
        std::streambuf *old = std::cerr.rdbuf(err.rdbuf());
        c->recompute();
        std::cerr.rdbuf(old);
        QVERIFY(c->getError());
        QCOMPARE(c->getNbRows(), 0);
        QCOMPARE(c->getNbCols(), 0);
        QCOMPARE(QString::fromStdString(err.str()), QString(key == "ORDER" ? "invORDER no graph\n" : ""));
    }

    void helpTexts_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("latex");
        QTest::addColumn<QString>("plain");
        QTest::newRow("NLAPLACIAN")
            << "NLAPLACIAN"
            << R"(Normalized Laplacian matrix,$I-A'$, where $A'= \{a'_{ij} = frac{a_{ij}}{\sqrt{d_id_j}}\}$.)"
            << "Normalized Laplacian matrix, the laplacian matrix with each row and each column divided by its "
               "degree.";
        QTest::newRow("RANDIC")
            << "RANDIC"
            << R"(Randi\'c index, defined as $\chi = \sum_{(i,j)\in E}\frac{1}{\sqrt{\delta_i \delta_j}}$ where $\delta_i$ is the degree of the vertex $i$.)"
            << "Randic index = Sum{(i,j) in E} [1/sqrt(d(i) * d(j))] where d(i) is the degree of the vertex i.";
        QTest::newRow("ORDER") << "ORDER" << "Order of the graph, $n = |V|$ the number of vertices of $G$."
                               << "Order of the graph, n = |V| the number of vertices of G.";
    }
    void helpTexts()
    {
        QFETCH(QString, key);
        QFETCH(QString, latex);
        QFETCH(QString, plain);
        std::unique_ptr<Calculus> c(BuildCalculus().makeCalculus(key, false));
        QCOMPARE(c->getLatexDescription(), latex);
        QCOMPARE(c->getDescription(), plain);
    }

    // The help text of CLAWS describes what its value counts: only vertices of degree 3.
    void clawsTextMatchesValue()
    {
        std::unique_ptr<Calculus> c(BuildCalculus().makeCalculus("CLAWS", false));
        QVERIFY(c->getDescription().contains("degree exactly 3"));
        QVERIFY(!c->getDescription().contains("number of times"));
    }

    void complementNeverShowsToOtherThreads()
    {
        InvariantProbe probe;
        probe.setGraphText("8 1011001110100101000110110111");
        const QString original = probe.graph().currentGraphData();
        Graph complement("C", false);
        complement.loadCurrentGraph(original);
        complement.invert();
        const int complementSize = complement.getNbEdges();
        complement.invert();

        // A reader that takes only the adjacency lock, as items of other boards and the
        // graph-text writer do, must always find the graph itself.
        std::atomic<bool> stop{false};
        std::atomic<int> seenOther{0};
        Graph *g = &probe.graph();
        std::unique_ptr<QThread> reader(QThread::create([&] {
            while (!stop)
                if (g->currentGraphData() != original)
                    ++seenOther;
        }));
        reader->start();
        for (int k = 0; k < 2000; ++k) {
            g->addEdge(0, 0); // refused: a new identifier, the same graph
            QCOMPARE(probe.scalar("SIZE", true), double(complementSize));
            probe.compute("WIENER", true);
            probe.compute("DEGREES", true);
        }
        stop = true;
        QVERIFY(reader->wait(10000));
        QCOMPARE(seenOther.load(), 0);
        QCOMPARE(g->currentGraphData(), original);
    }
};

QTEST_MAIN(TestInvariantValues)
#include "tst_invariantvalues.moc"
