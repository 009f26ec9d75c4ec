#ifndef AWAIT_H
#define AWAIT_H

#include <QElapsedTimer>
#include <QString>
#include <QtTest>
#include <algorithm>

namespace await {

// Started as the test program starts.
inline const QElapsedTimer programClock = [] {
    QElapsedTimer t;
    t.start();
    return t;
}();

// How long a wait of `ms` may last: at most until four fifths of Qt Test's limit
// (QTEST_FUNCTION_TIMEOUT, 300 s unless set) have passed since the program started. CTest
// gives the whole program that much as well, and Qt's watchdog misses the step from one row or
// function to the next when it is quick, so its limit can span several of them: only a bound
// on the program's time keeps every function's failure its own.
inline int msLeft(int ms)
{
    bool set = false;
    const qint64 limit = qEnvironmentVariableIntValue("QTEST_FUNCTION_TIMEOUT", &set);
    const qint64 budget = (set && limit > 0 ? limit : 300000) * 4 / 5;
    return int(std::max<qint64>(0, std::min<qint64>(ms, budget - programClock.elapsed())));
}

}  // namespace await

// Waits for `condition`, handling events, for at most `ms` milliseconds and never past the
// program's time for waiting; if it does not hold by then, fails the test function with what
// was awaited and what was seen (`seen`, a QString, evaluated only then). A failing
// QTRY_VERIFY_WITH_TIMEOUT waits twice as long again to say how long would have sufficed: a
// long wait then outlasts the limit, the watchdog aborts the whole test, and the functions
// after it never run.
#define ORV_AWAIT(condition, ms, seen)                                                                    \
    do {                                                                                                  \
        const int orvAwaitMs = await::msLeft(ms);                                                         \
        if (!QTest::qWaitFor([&]() { return bool(condition); }, orvAwaitMs))                             \
            QFAIL(qPrintable(QString("Waited %1 s for %2%3; seen: %4")                                    \
                                 .arg(orvAwaitMs / 1000.0)                                                \
                                 .arg(#condition,                                                         \
                                      orvAwaitMs < (ms) ? " (the test's time for waiting was spent)" : "", \
                                      (seen))));                                                          \
    } while (false)

#endif
