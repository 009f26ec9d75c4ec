#include "operators/operDPALINDROMIC.h"

#include <cmath>

operDPALINDROMIC::operDPALINDROMIC(bool graphical)
{
    initOperator("DPALINDROMIC",
                 "Distance to palindromicity of a vector. Sum of the absolute values of the differences between "
                 "the first and last element, second and last second, etc.",
                 "Distance to palindromicity of a vector.\n Sum of the absolute values of the differences "
                 "between the first and last element, second and last second, etc.",
                 1, graphical);
    sRows = sCols = QStringLiteral("1");
}

QString operDPALINDROMIC::formula()
{
    return prefixFormula(1);
}

void operDPALINDROMIC::recompute()
{
    // The labels are "1" / "1" for the item's whole life.
    if (!argumentsReady(1, MissingArgument, true, true))
        return;
    const int r = args[0]->getNbRows(), c = args[0]->getNbCols();
    if (r > 1 && c > 1) {
        fail(QStringLiteral("The argument should be a vector"), true);
        return;
    }
    if (r == 1 && c == 1) {
        fail(QStringLiteral("Argument 1 should be a vector"), true);
        return;
    }
    setSingleResult(name);
    const bool row = r == 1;
    const int n = row ? c : r;
    const Argument a(args[0]);
    auto v = [&](int i) { return row ? a.at(0, i) : a.at(i, 0); };
    // Each mirrored pair once, in both orientations: a row must not count twice what the same
    // entries count as a column.
    double s = 0.0;
    for (int i = 0; i < n / 2; ++i)
        s += std::fabs(v(i) - v(n - 1 - i));
    value[0][0] = s;
}
