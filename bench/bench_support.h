#ifndef BENCH_SUPPORT_H
#define BENCH_SUPPORT_H

#include <QApplication>

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

#endif
