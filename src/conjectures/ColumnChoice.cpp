#include "conjectures/ColumnChoice.h"

#include "explorer/Analyst.h"

#include <algorithm>
#include <cstdint>
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
    std::vector<int> full;  // the rows of the header's width; below, a row is its place here
    for (int r = 0; r < rows; ++r)
        if (table.rowLength(r) == width)
            full.push_back(r);
    const int nbFull = int(full.size());

    // Every cell is read once here: per column the rows without a value; a row with a value in
    // every column is searched from the start.
    std::vector<std::vector<int>> gapRows(static_cast<size_t>(width));
    std::vector<double> low(size_t(width), HUGE_VAL), high(size_t(width), -HUGE_VAL);
    std::vector<double> line(static_cast<size_t>(width));
    std::vector<int> lacking(size_t(nbFull), 0);  // per row: the columns still kept that it has no value in
    std::vector<char> gapless(size_t(nbFull), 1);
    int searchedRows = 0;
    for (int p = 0; p < nbFull; ++p) {
        for (int c = 0; c < width; ++c) {
            line[size_t(c)] = cell(full[size_t(p)], c);
            if (!valued(line[size_t(c)])) {
                gapRows[size_t(c)].push_back(p);
                gapless[size_t(p)] = 0;
            }
        }
        if (gapless[size_t(p)]) {
            for (int c = 0; c < width; ++c) {
                low[size_t(c)] = std::min(low[size_t(c)], line[size_t(c)]);
                high[size_t(c)] = std::max(high[size_t(c)], line[size_t(c)]);
            }
            ++searchedRows;
        }
    }

    // Per column, the step at which it leaves for having one value, or Kept; -1 when it never
    // enters, being without a value on most rows (otherwise its rows without a value are left out).
    constexpr int Kept = std::numeric_limits<int>::max();
    std::vector<int> gaps(static_cast<size_t>(width)), leaves(size_t(width), Kept);
    QVector<QString> notes(width);
    for (int c = 0; c < width; ++c) {
        gaps[size_t(c)] = int(gapRows[size_t(c)].size());
        if (2 * gaps[size_t(c)] > nbFull) {
            leaves[size_t(c)] = -1;
            notes[c] = QString("%1 is infinite or has no value (1e12) on %2 of %3 rows: it takes no part in the "
                               "conjecture search.")
                           .arg(header[c])
                           .arg(gaps[size_t(c)])
                           .arg(nbFull);
        } else {
            for (int p : gapRows[size_t(c)])
                ++lacking[size_t(p)];
        }
    }
    // A row comes into the search once it lacks no kept column: its values widen the ranges of
    // the columns still kept that have one value so far. Each row comes in once.
    auto enter = [&](int p) {
        for (int c = 0; c < width; ++c)
            if (leaves[size_t(c)] == Kept && high[size_t(c)] - low[size_t(c)] <= 1e-6) {
                const double v = cell(full[size_t(p)], c);
                low[size_t(c)] = std::min(low[size_t(c)], v);
                high[size_t(c)] = std::max(high[size_t(c)], v);
            }
        ++searchedRows;
    };
    for (int p = 0; p < nbFull; ++p)
        if (!gapless[size_t(p)] && lacking[size_t(p)] == 0)
            enter(p);

    // A column with one value on the rows searched, those with a value in every column kept, is
    // left out too. One that may have it only because other columns' gaps keep rows out must not
    // leave with them: the columns with the most gaps leave first (all with that count at once,
    // so the order of the columns does not matter), the rows they kept out come back, and the
    // step repeats. A column with a value on every row leaves only when no column with gaps has
    // one value.
    std::vector<int> stepRows;  // per step: how many rows were searched
    std::vector<double> values(static_cast<size_t>(width));
    while (searchedRows > 0) {
        int most = -1;
        for (int c = 0; c < width; ++c)
            if (leaves[size_t(c)] == Kept && high[size_t(c)] - low[size_t(c)] <= 1e-6)
                most = std::max(most, gaps[size_t(c)]);
        if (most < 0)
            break;
        const int step = int(stepRows.size());
        stepRows.push_back(searchedRows);
        std::vector<int> leaving;
        for (int c = 0; c < width; ++c)
            if (leaves[size_t(c)] == Kept && high[size_t(c)] - low[size_t(c)] <= 1e-6 && gaps[size_t(c)] == most) {
                leaves[size_t(c)] = step;
                values[size_t(c)] = low[size_t(c)];
                leaving.push_back(c);
            }
        for (int c : leaving)
            for (int p : gapRows[size_t(c)])
                if (--lacking[size_t(p)] == 0)
                    enter(p);
    }

    const int finalRows = searchedRows;
    const int steps = int(stepRows.size());
    std::vector<std::vector<int>> namedAt(static_cast<size_t>(steps));  // per step: the notes that name rows
    for (int c = 0; c < width; ++c) {
        if (leaves[size_t(c)] < 0 || leaves[size_t(c)] == Kept)
            continue;
        const int on = stepRows[size_t(leaves[size_t(c)])];
        const QString value = number(values[size_t(c)]);
        if (on == nbFull)
            notes[c] = QString("%1 is %2 on every row: it takes no part in the conjecture search.")
                           .arg(header[c], value);
        else if (on == finalRows)
            notes[c] = QString("%1 is %2 on every row searched (%3 of %4 rows): it takes no part in the conjecture "
                               "search.")
                           .arg(header[c], value)
                           .arg(on)
                           .arg(nbFull);
        else
            namedAt[size_t(leaves[size_t(c)])].push_back(c);
    }

    // Not the rows the search uses: a note names them by the fewest columns whose values give
    // them, its own first, then those with the most gaps, among the columns kept at its step.
    // Each row is claimed by the first of those columns it has no value in; a column is named
    // when it claims a row that has a value in the note's own column. Per row a bit per gap
    // column, in that order; as columns leave, the rows they claimed pass to their next one, so
    // each gap is looked at once for the claims and once for the note of its own column.
    std::vector<int> order;  // the columns with gaps that enter the search, most gaps first
    if (std::any_of(namedAt.begin(), namedAt.end(), [](const std::vector<int> &n) { return !n.empty(); }))
        for (int c = 0; c < width; ++c)
            if (gaps[size_t(c)] > 0 && leaves[size_t(c)] >= 0)
                order.push_back(c);
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        return gaps[size_t(a)] != gaps[size_t(b)] ? gaps[size_t(a)] > gaps[size_t(b)] : header[a] < header[b];
    });
    const size_t words = (order.size() + 63) / 64;
    std::vector<uint64_t> lacks(words * size_t(nbFull), 0), kept(words, 0);
    for (size_t k = 0; k < order.size(); ++k) {
        kept[k / 64] |= uint64_t(1) << (k % 64);
        for (int p : gapRows[size_t(order[k])])
            lacks[size_t(p) * words + k / 64] |= uint64_t(1) << (k % 64);
    }
    // The place in `order` of the first column kept from place `from` on that row p has no value
    // in, or -1; from 0, the column claiming the row.
    auto claimFrom = [&](int p, size_t from) {
        for (size_t w = from / 64; w < words; ++w) {
            uint64_t m = lacks[size_t(p) * words + w] & kept[w];
            if (w == from / 64)
                m &= ~uint64_t(0) << (from % 64);
            if (m)
                return int(w * 64) + __builtin_ctzll(m);
        }
        return -1;
    };
    auto claimOf = [&](int p) { return claimFrom(p, 0); };
    std::vector<int> claims(order.size(), 0), besides(order.size(), 0);
    for (int p = 0; p < nbFull; ++p)
        if (const int k = claimOf(p); k >= 0)
            ++claims[size_t(k)];
    for (int step = 0; step < steps; ++step) {
        for (size_t k = 0; k < order.size() && step > 0; ++k) {
            if (leaves[size_t(order[k])] != step - 1)
                continue;
            // Its rows pass on: those it claimed are those whose claim it still is.
            for (int p : gapRows[size_t(order[k])])
                if (claimOf(p) == int(k))
                    if (const int next = claimFrom(p, k + 1); next >= 0)
                        ++claims[size_t(next)];
            kept[k / 64] &= ~(uint64_t(1) << (k % 64));
            claims[k] = 0;
        }
        for (int c : namedAt[size_t(step)]) {
            std::fill(besides.begin(), besides.end(), 0);
            for (int p : gapRows[size_t(c)])
                ++besides[size_t(claimOf(p))];
            QStringList names;
            if (gaps[size_t(c)] > 0)
                names << header[c];
            for (size_t k = 0; k < order.size(); ++k)
                if (order[k] != c && leaves[size_t(order[k])] >= step && claims[k] > besides[k])
                    names << header[order[k]];
            const QString where = names == QStringList{header[c]} ? QString("it has")
                                  : names.size() == 1            ? names[0] + " has"
                                                                 : names.mid(0, names.size() - 1).join(", ") +
                                                                       " and " + names.last() + " have";
            notes[c] = QString("%1 is %2 on every row where %3 a value (%4 of %5 rows): it takes no part in the "
                               "conjecture search.")
                           .arg(header[c], number(values[size_t(c)]), where)
                           .arg(stepRows[size_t(step)])
                           .arg(nbFull);
        }
    }

    for (int c = 0; c < width; ++c) {
        if (leaves[size_t(c)] == Kept) {
            choice.searched << c;
            if (gaps[size_t(c)] > 0)
                notes[c] = QString("%1 is infinite or has no value (1e12) on %2 of %3 rows: these rows take no "
                                   "part in the conjecture search.")
                               .arg(header[c])
                               .arg(gaps[size_t(c)])
                               .arg(nbFull);
        }
        if (!notes[c].isEmpty())
            choice.notes << notes[c];
    }
    choice.rowsSearched = searchedRows;
    choice.rowsFull = nbFull;
    return choice;
}
