#include "operators/EntryPick.h"

QString EntryPick::formula()
{
    return prefixFormula(1);
}

void EntryPick::pick(Position position)
{
    if (!argumentsReady(1, MissingArgument))
        return;
    const Argument a(args[0]);
    const int r = a.rows(), c = a.cols();
    if (position == Position::Second && r == 1 && c == 1) {
        fail(ArgumentError);
        return;
    }
    // Position k along a line of n entries.
    auto at = [position](int n) { return position == Position::Last ? n - 1 : int(position); };
    if (r >= 2 && c >= 2) {
        setResult(name, r, 1, a.rowsLabel(), QStringLiteral("1"));
        const int k = at(c);
        for (int i = 0; i < r; ++i)
            value[i][0] = a.at(i, k);
        return;
    }
    setSingleResult(name);
    value[0][0] = c == 1 ? a.at(at(r), 0) : a.at(0, at(c));
}
