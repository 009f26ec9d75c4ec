#include "operators/operECORR.h"

#include "graph/Graph.h"

#include <cmath>

operECORR::operECORR(bool graphical)
{
    initOperator("ECORR", "Edge correlation coefficient.", 1, graphical);
    sRows = sCols = QStringLiteral("1");
}

QString operECORR::formula()
{
    return prefixFormula(1);
}

void operECORR::recompute()
{
    Graph::Row rows[Graph::MaxNodes];
    const int n = graph->snapshot(rows);
    // The labels are "1" / "1" for the item's whole life.
    if (!argumentsReady(1, MissingArguments, true, true))
        return;
    if (args[0]->getNbCols() != 1 || args[0]->getNbRows() != n) {
        fail(QStringLiteral("COLUMN VECTOR NEEDED WITH n ENTRIES"), true);
        return;
    }
    setSingleResult(name);
    showTooltipNow(name);
    value[0][0] = 0.0;

    int m = 0;
    {
        const Argument v(args[0]);
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j)
                if ((rows[i] >> j) & 1u) {
                    firstEnd[m] = v.at(i, 0);
                    secondEnd[m] = v.at(j, 0);
                    ++m;
                }
    }
    // Over the 2m ordered pairs both ends have one mean and one spread, so the correlation is
    // twice the co-deviation over the edges divided by the spread.
    double sum = 0.0;
    for (int k = 0; k < m; ++k)
        sum += firstEnd[k] + secondEnd[k];
    const double mean = m ? sum / (2.0 * m) : 0.0;
    double spread = 0.0, cross = 0.0;
    for (int k = 0; k < m; ++k) {
        const double a = firstEnd[k] - mean, b = secondEnd[k] - mean;
        spread += a * a + b * b;
        cross += 2.0 * a * b;
    }
    if (spread < 1e-6) {
        value[0][0] = 1.0;
        error = true;
        return;
    }
    double r = cross / spread;
    if (r < -0.999999)
        r = -1.0;
    if (r > 0.999999)
        r = 1.0;
    value[0][0] = r;
}
