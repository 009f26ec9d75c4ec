#ifndef BENCH_SUPPORT_H
#define BENCH_SUPPORT_H

#include "NamedGraphs.h"

#include <QApplication>
#include <vector>

// Graph is a view widget: every benchmark that makes one shares this one application object.
inline QApplication &benchApp()
{
    static int argc = 1;
    static char name[] = "orv_bench";
    static char *argv[] = {name, nullptr};
    static bool env = qputenv("QT_QPA_PLATFORM", "offscreen");
    (void)env;
    static QApplication a(argc, argv);
    return a;
}

// The extreme 32-vertex graphs and seeded random ones on which the invariants are timed.
struct BenchGraph {
    const char *name;
    int n;
    Graph::Row rows[Graph::MaxNodes];
};

inline const std::vector<BenchGraph> &benchGraphs()
{
    static const std::vector<BenchGraph> list = [] {
        std::vector<BenchGraph> out;
        auto add = [&out](const char *name, int (*make)(Graph::Row *, int)) {
            out.push_back(BenchGraph{name, 0, {}});
            out.back().n = make(out.back().rows, 32);
        };
        add("K32", [](Graph::Row *r, int n) { return NamedGraphs::complete(r, n); });
        add("edgeless32", [](Graph::Row *r, int n) { return NamedGraphs::empty(r, n); });
        add("K1,31", [](Graph::Row *r, int n) { return NamedGraphs::star(r, n); });
        add("P32", [](Graph::Row *r, int n) { return NamedGraphs::path(r, n); });
        add("C32", [](Graph::Row *r, int n) { return NamedGraphs::cycle(r, n); });
        add("G(32,0.1)", [](Graph::Row *r, int n) { return NamedGraphs::random(r, n, 0.1, 11); });
        add("G(32,0.5)", [](Graph::Row *r, int n) { return NamedGraphs::random(r, n, 0.5, 12); });
        add("G(32,0.9)", [](Graph::Row *r, int n) { return NamedGraphs::random(r, n, 0.9, 13); });
        return out;
    }();
    return list;
}

#endif
