#include "constraints/TreeFamily.h"

#include "calculus/CalculusDisplay.h"
#include "invariants/core/SharedDistances.h"

void TreeFamily::initTreeFamily(const QString &key, const QString &help, bool isDisplayed)
{
    name = key;
    complementSnapshot = true;
    latexDescription = help;
    description = help;
    sRows = "1";
    sCols = "1";
    displayed = isDisplayed;
    if (!displayed)
        return;
    auto *d = new CalculusDisplay(name, description);
    d->enableInvertGraph(true);
    d->enableNatureInReport(false);
    d->setGraphInReport(true);
    d->disconnectReport();
    setupDisplay(d);
}

QString TreeFamily::conventions()
{
    return QStringLiteral(" A graph with fewer than 2 vertices has no value and is marked in error; a "
                          "disconnected graph, a forest included, gives No and is marked in error.");
}

void TreeFamily::recomputeTree(Member member)
{
    if (!graph) {
        setNoValue(QString());
        return;
    }
    Graph::Row rows[Graph::MaxNodes];
    const int n = adjacencySnapshot(rows);
    if (n < 2) {
        setNoValue(QString());
        return;
    }
    nbRows = 1;
    nbCols = 1;
    SharedDistances::forThisThread().use(rows, n, [&](const Distances &d) {
        const TreeShape shape(rows, n, d);
        switch (shape.kind()) {
        case TreeShape::Disconnected:
            value[0][0] = 0.0;
            error = true;
            break;
        case TreeShape::NotTree:
            value[0][0] = 0.0;
            break;
        case TreeShape::Tree:
            value[0][0] = (shape.*member)() ? 1.0 : 0.0;
            break;
        }
    });
}
