#include "calculus/infoNODE.h"

infoNODE::infoNODE(QString name_, bool displayed_)
{
    setupInfo(name_, displayed_);
}

void infoNODE::recompute()
{
    error = false;
    Calculus *a = args[0];
    if (!a) {
        setNoValue("Missing argument");
        return;
    }
    QMutexLocker argLocker(&a->getValueLock());
    if (a->getNbCols() != 1) {
        setNoValue("Argument should be a vector");
        return;
    }
    // The row count is not compared with the vertex count: the view takes what it gets.
    saveTooltip(name);
    const int r = a->getNbRows();
    nbRows = r;
    nbCols = 1;
    for (int i = 0; i < r; ++i)
        value[i][0] = a->entry(i, 0);
}
