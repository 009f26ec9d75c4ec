#ifndef AWAIT_H
#define AWAIT_H

#include <QString>
#include <QtTest>

// Waits for `condition`, handling events, for at most `ms` milliseconds; if it does not hold by
// then, fails the test function with what was awaited and what was seen (`seen`, a QString,
// evaluated only then). A failing QTRY_VERIFY_WITH_TIMEOUT waits twice as long again to say how
// long would have sufficed: a long wait then outlasts Qt Test's limit per function, the
// watchdog aborts the whole test, and the functions after it never run.
#define ORV_AWAIT(condition, ms, seen)                                                                   \
    do {                                                                                                 \
        if (!QTest::qWaitFor([&]() { return bool(condition); }, (ms)))                                  \
            QFAIL(qPrintable(QString("Waited %1 s for %2; seen: %3").arg((ms) / 1000.0).arg(#condition, \
                                                                                            (seen))));  \
    } while (false)

#endif
