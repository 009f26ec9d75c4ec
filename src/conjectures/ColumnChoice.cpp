#include "conjectures/ColumnChoice.h"

#include "explorer/Analyst.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

QString number(double v)
{
    return QString::number(v, 'g', 6);
}

} // namespace

ColumnChoice ColumnChoice::choose(const Analyst &table, const QStringList &header)
{
    ColumnChoice choice;
    auto cell = [&](int r, int c) {
        ++choice.cellsRead;
        return table.value(r, c);
    };
    const int width = header.size();
    const int rows = table.nbRows();
    QVector<int> full;
    for (int r = 0; r < rows; ++r)
        if (table.rowLength(r) == width)
            full << r;
    QVector<int> gaps(width, 0);
    for (int r : full)
        for (int c = 0; c < width; ++c)
            if (!valued(cell(r, c)))
                ++gaps[c];
    // Per column, the step at which it leaves for having one value, or Kept; -1 when it never
    // enters, being without a value on most rows (otherwise its rows without a value are left out).
    constexpr int Kept = std::numeric_limits<int>::max();
    QVector<int> leaves(width, Kept);
    QVector<QString> notes(width);
    for (int c = 0; c < width; ++c)
        if (2 * gaps[c] > full.size()) {
            leaves[c] = -1;
            notes[c] = QString("%1 is infinite or has no value (1e12) on %2 of %3 rows: it takes no part in the "
                               "conjecture search.")
                           .arg(header[c])
                           .arg(gaps[c])
                           .arg(full.size());
        }
    auto withValues = [&](const QVector<int> &among, int c) {
        QVector<int> kept;
        for (int r : among)
            if (valued(cell(r, c)))
                kept << r;
        return kept;
    };
    // A column with one value on the rows searched, those with a value in every column kept, is
    // left out too. One that may have it only because other columns' gaps keep rows out must not
    // leave with them: the columns with the most gaps leave first (all with that count at once,
    // so the order of the columns does not matter), the rows they kept out come back, and the
    // step repeats. A column with a value on every row leaves only when no column with gaps has
    // one value.
    QVector<QVector<int>> stepRows;
    QVector<double> values(width);
    QVector<int> searchedRows;
    for (;;) {
        searchedRows = full;
        for (int c = 0; c < width; ++c)
            if (leaves[c] == Kept && gaps[c] > 0)
                searchedRows = withValues(searchedRows, c);
        if (searchedRows.isEmpty())
            break;
        QVector<int> constant;
        int most = 0;
        for (int c = 0; c < width; ++c) {
            if (leaves[c] != Kept)
                continue;
            double low = HUGE_VAL, high = -HUGE_VAL;
            for (int r : searchedRows) {
                const double v = cell(r, c);
                low = std::min(low, v);
                high = std::max(high, v);
            }
            if (high - low > 1e-6)
                continue;
            values[c] = low;
            constant << c;
            most = std::max(most, gaps[c]);
        }
        if (constant.isEmpty())
            break;
        for (int c : constant)
            if (gaps[c] == most)
                leaves[c] = stepRows.size();
        stepRows << searchedRows;
    }
    for (int c = 0; c < width; ++c) {
        if (leaves[c] < 0 || leaves[c] == Kept)
            continue;
        const QVector<int> &on = stepRows[leaves[c]];
        const QString value = number(values[c]);
        if (on.size() == full.size()) {
            notes[c] = QString("%1 is %2 on every row: it takes no part in the conjecture search.")
                           .arg(header[c], value);
            continue;
        }
        const QString of = QString("(%1 of %2 rows)").arg(on.size()).arg(full.size());
        if (on == searchedRows) {
            notes[c] = QString("%1 is %2 on every row searched %3: it takes no part in the conjecture search.")
                           .arg(header[c], value, of);
            continue;
        }
        // Not the rows the search uses: they are named by the fewest columns whose values give
        // them, its own first, then those with the most gaps.
        QVector<int> by;
        for (int d = 0; d < width; ++d)
            if (d != c && gaps[d] > 0 && leaves[d] >= leaves[c])
                by << d;
        std::sort(by.begin(), by.end(), [&](int a, int b) {
            return gaps[a] != gaps[b] ? gaps[a] > gaps[b] : header[a] < header[b];
        });
        by.prepend(c);
        QStringList names;
        QVector<int> rowsLeft = full;
        for (int d : by) {
            const QVector<int> fewer = withValues(rowsLeft, d);
            if (fewer.size() < rowsLeft.size()) {
                names << header[d];
                rowsLeft = fewer;
            }
        }
        const QString where = names == QStringList{header[c]} ? QString("it has")
                              : names.size() == 1            ? names[0] + " has"
                                                             : names.mid(0, names.size() - 1).join(", ") +
                                                                   " and " + names.last() + " have";
        notes[c] = QString("%1 is %2 on every row where %3 a value %4: it takes no part in the conjecture search.")
                       .arg(header[c], value, where, of);
    }
    for (int c = 0; c < width; ++c) {
        if (leaves[c] == Kept) {
            choice.searched << c;
            if (gaps[c] > 0)
                notes[c] = QString("%1 is infinite or has no value (1e12) on %2 of %3 rows: these rows take no "
                                   "part in the conjecture search.")
                               .arg(header[c])
                               .arg(gaps[c])
                               .arg(full.size());
        }
        if (!notes[c].isEmpty())
            choice.notes << notes[c];
    }
    choice.rowsSearched = searchedRows.size();
    choice.rowsFull = full.size();
    return choice;
}
