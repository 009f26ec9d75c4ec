#include "TestItems.h"

#include "calculus/CalculusDisplay.h"
#include "graph/Graph.h"

#include <QMutex>
#include <QStringList>

namespace {
void countingRecompute(Calculus *item, Counting *c, Graph *g, QVector<QVector<double>> &value,
                       std::atomic<int> &rows, std::atomic<int> &cols)
{
    ++c->recomputes;
    if (c->duringRecompute)
        c->duringRecompute();
    if (c->failNext) {
        item->saveTooltip("Argument error");
        rows = 0;
        cols = 0;
        return;
    }
    item->saveTooltip("ok");
    value[0][0] = g->getNbEdges();
    rows = 1;
    cols = 1;
}
} // namespace

CountingOperator::CountingOperator(bool d, QString key)
{
    name = key;
    displayed = d;
    if (d)
        setupDisplay(new CalculusDisplay(name, "counting operator"));
}

void CountingOperator::recompute()
{
    countingRecompute(this, this, graph, value, nbRows, nbCols);
    if (failNext)
        error = true;
}

CountingInvariant::CountingInvariant(bool d, QString key)
{
    name = key;
    sRows = "1";
    sCols = "1";
    displayed = d;
    if (d) {
        setupDisplay(new CalculusDisplay(name, "counting invariant"));
        dialog->enableInvertGraph(true);
    }
}

void CountingInvariant::recompute()
{
    countingRecompute(this, this, graph, value, nbRows, nbCols);
    if (failNext)
        error = true;
}

TestConstraint::TestConstraint(bool d)
{
    name = "TESTC";
    displayed = d;
}

void TestConstraint::recompute()
{
    nbRows = 1;
    nbCols = 1;
    value[0][0] = 0.0;
}

TestFamily::TestFamily(bool d)
{
    name = "TESTF";
    displayed = d;
}

void TestFamily::recompute()
{
    value[0][0] = 1.0;
}

namespace {
QMutex guardMutex;
QStringList guardMessages;
QtMessageHandler previousHandler = nullptr;

void guardHandler(QtMsgType type, const QMessageLogContext &ctx, const QString &msg)
{
    if (type != QtDebugMsg && type != QtInfoMsg) {
        QMutexLocker locker(&guardMutex);
        guardMessages << msg;
    }
    if (previousHandler)
        previousHandler(type, ctx, msg);
}
} // namespace

WarningGuard::WarningGuard()
{
    QMutexLocker locker(&guardMutex);
    guardMessages.clear();
    previousHandler = qInstallMessageHandler(guardHandler);
}

WarningGuard::~WarningGuard()
{
    qInstallMessageHandler(previousHandler);
}

QStringList WarningGuard::messages()
{
    QMutexLocker locker(&guardMutex);
    return guardMessages;
}
