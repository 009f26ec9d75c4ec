#include "calculus/infoEDGE.h"

#include "graph/Graph.h"

infoEDGE::infoEDGE(QString name_, bool displayed_)
{
    setupInfo(name_, displayed_);
}

void infoEDGE::recompute()
{
    error = false;
    Calculus *a = args[0];
    if (!a) {
        setNoValue("Missing argument");
        return;
    }
    const int n = graph->getNbNodes();
    QMutexLocker argLocker(&a->getValueLock());
    if (a->getNbRows() != n || a->getNbCols() != n) {
        setNoValue("Argument should be a matrix n x n");
        return;
    }
    saveTooltip(name);
    nbRows = n;
    nbCols = n;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            value[i][j] = a->entry(i, j);
}
