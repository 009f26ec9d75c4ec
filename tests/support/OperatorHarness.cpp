#include "OperatorHarness.h"

#include "graph/Graph.h"

#include <algorithm>
#include <cmath>

FixedItem::FixedItem(QString formulaText) : text(std::move(formulaText))
{
    name = "FIXED";
}

void FixedItem::set(const Matrix &m, const QString &rowsLabel, const QString &colsLabel)
{
    matrix = m;
    rows = rowsLabel;
    cols = colsLabel;
}

void FixedItem::recompute()
{
    if (failing) {
        fail("fixed failure");
        return;
    }
    const int r = matrix.size();
    const int c = r ? matrix[0].size() : 0;
    setResult("FIXED", r, c, rows, cols);
    for (int i = 0; i < r; ++i)
        for (int j = 0; j < c; ++j)
            value[i][j] = matrix[i][j];
    if (claimedRows >= 0) {
        nbRows = claimedRows;
        nbCols = claimedCols;
    }
}

OperatorHarness::OperatorHarness() : g(new Graph("operators", false))
{
    g->loadCurrentGraph("1 ");
}

OperatorHarness::~OperatorHarness()
{
    qDeleteAll(items);
    delete g;
}

void OperatorHarness::setGraphText(const QString &text)
{
    g->loadCurrentGraph(text);
}

Calculus *OperatorHarness::make(const QString &key, bool displayed)
{
    Calculus *c = factory.makeCalculus(key, displayed);
    if (!c)
        return nullptr;
    c->setGraph(g);
    items.append(c);
    return c;
}

FixedItem *OperatorHarness::fixed(const Matrix &m, const QString &rowsLabel, const QString &colsLabel,
                                  const QString &text)
{
    auto *f = new FixedItem(text);
    f->set(m, rowsLabel, colsLabel);
    f->setGraph(g);
    f->compute(true);
    items.append(f);
    return f;
}

Calculus *OperatorHarness::over(const QString &key, const Matrix &m, const QString &rowsLabel,
                                const QString &colsLabel)
{
    Calculus *op = make(key);
    if (!op)
        return nullptr;
    op->setArg1(fixed(m, rowsLabel, colsLabel));
    evaluate(op);
    return op;
}

bool OperatorHarness::setArg(Calculus *item, int slot, Calculus *arg)
{
    switch (slot) {
    case 1:
        return item->setArg1(arg);
    case 2:
        return item->setArg2(arg);
    case 3:
        return item->setArg3(arg);
    case 4:
        return item->setArg4(arg);
    }
    return false;
}

void OperatorHarness::evaluate(Calculus *item)
{
    g->changeBest();
    computeTree(item, 0);
}

void OperatorHarness::computeTree(Calculus *item, int depth)
{
    if (depth > 16)
        return;
    for (int k = 1; k <= 4; ++k)
        if (Calculus *a = item->getArg(k))
            computeTree(a, depth + 1);
    item->compute(true);
}

Matrix OperatorHarness::valueOf(Calculus *item)
{
    Matrix m(item->getNbRows(), QVector<double>(item->getNbCols()));
    for (int i = 0; i < m.size(); ++i)
        for (int j = 0; j < m[i].size(); ++j)
            m[i][j] = item->entry(i, j);
    return m;
}

Matrix OperatorHarness::column(const QVector<double> &v)
{
    Matrix m;
    for (double x : v)
        m.append(QVector<double>{x});
    return m;
}

bool OperatorHarness::close(double a, double b)
{
    return (std::isnan(a) && std::isnan(b)) || a == b || std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(b));
}

bool OperatorHarness::matches(Calculus *item, const Matrix &expected)
{
    const Matrix got = valueOf(item);
    if (got.size() != expected.size())
        return false;
    for (int i = 0; i < got.size(); ++i) {
        if (got[i].size() != expected[i].size())
            return false;
        for (int j = 0; j < got[i].size(); ++j)
            if (!close(got[i][j], expected[i][j]))
                return false;
    }
    return true;
}
