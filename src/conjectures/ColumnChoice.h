#ifndef COLUMNCHOICE_H
#define COLUMNCHOICE_H

#include <QStringList>
#include <QVector>
#include <cmath>

class Analyst;

// The columns and rows of an explorer table that a conjecture search uses, with the console's
// notes on what it leaves out. Rows of another width than the header take no part.
//
// A column infinite or without a value (1e12) on most rows takes no part; in the others, the
// rows without a value are left out. A column with one value on the rows searched takes no part
// either: the columns with the most gaps leave first, all with that count at once, the rows
// they kept out come back and the step repeats, so the outcome does not depend on the order of
// the columns. A column with a value on every row leaves only when no column with gaps has one
// value.
struct ColumnChoice {
    QVector<int> searched;  // the table's columns the search uses, in order
    QStringList notes;  // one line per column left out or with rows left out, in column order
    int rowsSearched = 0;
    int rowsFull = 0;  // rows of the header's width
    qint64 cellsRead = 0;  // table cells looked at

    static ColumnChoice choose(const Analyst &table, const QStringList &header);

    // The explorer's mark of a cell that is infinite or has no value: a per-vertex column beyond
    // a graph's vertex count, the girth of a tree, an unreachable distance.
    static bool missing(double v) { return std::fabs(v) == 1e12; }
    // A cell the search can use: neither marked as without a value nor infinite or NaN.
    static bool valued(double v) { return std::isfinite(v) && !missing(v); }
};

#endif
