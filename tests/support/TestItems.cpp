#include "TestItems.h"

#include "calculus/CalculusDisplay.h"
#include "graph/Graph.h"

#include <QMutex>
#include <QStringList>

namespace {
void countingRecompute(Calculus *item, Counting *c, Graph *g, QVector<QVector<double>> &value,
                       std::atomic<int> &rows, std::atomic<int> &cols, std::atomic<bool> &error)
{
    ++c->recomputes;
    if (c->duringRecompute)
        c->duringRecompute();
    if (c->failNext) {
        item->saveTooltip("Argument error");
        rows = 0;
        cols = 0;
        error = true;
        return;
    }
    item->saveTooltip("ok");
    for (int i = 0; i < c->shapeRows; ++i)
        for (int j = 0; j < c->shapeCols; ++j)
            value[i][j] = g->getNbEdges();
    rows = c->shapeRows;
    cols = c->shapeCols;
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
    countingRecompute(this, this, graph, value, nbRows, nbCols, error);
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
    countingRecompute(this, this, graph, value, nbRows, nbCols, error);
}

TestConstraint::TestConstraint(bool d)
{
    name = "TESTC";
    displayed = d;
    if (d) {
        setupDisplay(new CalculusDisplay(name, "test constraint"));
        dialog->enableInvertGraph(true);
    }
}

void TestConstraint::recompute()
{
    countingRecompute(this, this, graph, value, nbRows, nbCols, error);
}

TestFamily::TestFamily(bool d)
{
    name = "TESTF";
    displayed = d;
    if (d) {
        setupDisplay(new CalculusDisplay(name, "test family"));
        dialog->enableInvertGraph(true);
    }
}

void TestFamily::recompute()
{
    countingRecompute(this, this, graph, value, nbRows, nbCols, error);
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
