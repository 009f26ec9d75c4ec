#ifndef AWAIT_H
#define AWAIT_H

#include <QElapsedTimer>
#include <QString>
#include <QtTest>
#include <algorithm>

namespace await {

// The test function and data row whose waits are being counted, and the clock of its time.
struct FunctionClock
{
    QByteArray function;
    QByteArray tag;
    QElapsedTimer clock;
};

// How long a wait of `ms` may last: at most until four fifths of Qt Test's limit for one test
// function (QTEST_FUNCTION_TIMEOUT, 300 s unless set) have passed since the function's first
// wait, so that a failing wait ends with its own message before Qt's watchdog aborts the whole
// program, and the functions after it still run. Each function and data row has a time of its
// own, as it has under the watchdog; the fifth left over is for what a function does before
// its first wait, which no wait sees.
inline int msLeft(int ms)
{
    static FunctionClock current;
    const QByteArray function = QTest::currentTestFunction();
    const QByteArray tag = QTest::currentDataTag();
    if (!current.clock.isValid() || function != current.function || tag != current.tag) {
        current.function = function;
        current.tag = tag;
        current.clock.start();
    }
    bool set = false;
    const qint64 limit = qEnvironmentVariableIntValue("QTEST_FUNCTION_TIMEOUT", &set);
    const qint64 budget = (set && limit > 0 ? limit : 300000) * 4 / 5;
    return int(std::max<qint64>(0, std::min<qint64>(ms, budget - current.clock.elapsed())));
}

}  // namespace await

// Waits for `condition`, handling events, for at most `ms` milliseconds and never past the test
// function's time for waiting; if it does not hold by then, fails the test function with what
// was awaited and what was seen (`seen`, a QString, evaluated only then). A failing
// QTRY_VERIFY_WITH_TIMEOUT waits twice as long again to say how long would have sufficed: a
// long wait then outlasts the limit, the watchdog aborts the whole test, and the functions
// after it never run.
#define ORV_AWAIT(condition, ms, seen)                                                                         \
    do {                                                                                                       \
        const int orvAwaitMs = await::msLeft(ms);                                                              \
        if (!QTest::qWaitFor([&]() { return bool(condition); }, orvAwaitMs))                                   \
            QFAIL(qPrintable(QString("Waited %1 s for %2%3; seen: %4")                                         \
                                 .arg(orvAwaitMs / 1000.0)                                                     \
                                 .arg(#condition,                                                              \
                                      orvAwaitMs < (ms) ? " (the function's time for waiting was spent)" : "", \
                                      (seen))));                                                               \
    } while (false)

#endif
