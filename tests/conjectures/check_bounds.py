#!/usr/bin/python3
"""Checks listed conjecture texts in exact rational arithmetic.

Input (written by tst_conjecturewidget): a header line "graph<TAB>NAME<TAB>...", then one
line per table row "graph number<TAB>value<TAB>..." with each stored double written with 17
significant digits (so it reads back as the same double), then one line per listed entry
"=<TAB>text<TAB>touching<TAB>graph,graph,...". 1e12 marks a cell without a value.

Every text is read with its numbers as exact decimals and the table's values as the exact
doubles they store, and must:
  - hold on every row that has a value in each column it names, with no tolerance;
  - touch exactly the listed graphs: those rows on which its two sides are equal within 1e-9
    of the sum of the magnitudes of all its terms and its constant on that row (and touch at
    least one);
  - differ from every other entry: not the same touching set, and not the same relation on the
    rows: on every row with a value in each column either names, their slacks (larger side minus
    smaller side) agree up to one positive factor within 1e-9 of the magnitudes of their terms.
Prints one line per fault and exits 1 when there is any.

    /usr/bin/python3 tests/conjectures/check_bounds.py DUMP
"""

import re
import sys
from fractions import Fraction

NO_VALUE = Fraction(10) ** 12
NUMBER = r"[0-9]+(?:\.[0-9]+)?(?:e-?[0-9]+)?"
TERM = re.compile(r"^(" + NUMBER + r")(?: (\S+))?$")


def side(text, names):
    """A side as ({column: coefficient}, constant), or None when it does not read."""
    coefs, constant = {}, Fraction(0)
    for term in text.split("+"):
        m = TERM.match(term)
        if not m:
            return None
        value = Fraction(m.group(1))
        if m.group(2) is None:
            constant += value
        elif m.group(2) in names:
            coefs[m.group(2)] = coefs.get(m.group(2), Fraction(0)) + value
        else:
            return None
    return coefs, constant


def relation(text, names):
    """(smaller side, larger side), each as side() gives it."""
    for op, swap in ((" <= ", False), (" >= ", True)):
        parts = text.split(op)
        if len(parts) == 2 and " <= " not in parts[0] + parts[1] and " >= " not in parts[0] + parts[1]:
            a, b = side(parts[0], names), side(parts[1], names)
            if a is None or b is None:
                return None
            return (b, a) if swap else (a, b)
    return None


def value(s, row):
    coefs, constant = s
    return sum((c * row[n] for n, c in coefs.items()), constant)


def magnitude(s, row):
    """The sum of the magnitudes of a side's terms and constant on the row."""
    coefs, constant = s
    return sum((abs(c * row[n]) for n, c in coefs.items()), abs(constant))


def same_on_rows(a, b, rows):
    """Whether on every row the slacks of a and b agree up to one positive factor l:
    |sa - l sb| <= 1e-9 (ma + l mb)."""
    eps = Fraction(1, 10 ** 9)
    low, high = Fraction(0), None
    tight_a = tight_b = True
    for row in rows:
        sa = value(a[1], row) - value(a[0], row)
        sb = value(b[1], row) - value(b[0], row)
        ea = eps * (magnitude(a[0], row) + magnitude(a[1], row))
        eb = eps * (magnitude(b[0], row) + magnitude(b[1], row))
        tight_a = tight_a and abs(sa) <= ea
        tight_b = tight_b and abs(sb) <= eb
        for p, q in ((-sb - eb, ea - sa), (sb - eb, ea + sa)):
            if p > 0:
                high = q / p if high is None else min(high, q / p)
            elif p < 0:
                low = max(low, q / p)
            elif q < 0:
                return False
        if high is not None and low > high:
            return False
    # One tight everywhere and the other not: only a factor of 0 or of infinity would do.
    if tight_a or tight_b:
        return tight_a and tight_b
    return True


def main():
    lines = open(sys.argv[1]).read().splitlines()
    names = lines[0].split("\t")[1:]
    rows, entries = [], []
    for line in lines[1:]:
        f = line.split("\t")
        if f[0] == "=":
            graphs = [int(g) for g in f[3].split(",") if g]
            entries.append((f[1], int(f[2]), graphs))
        else:
            rows.append((int(f[0]), {n: Fraction(float(v)) for n, v in zip(names, f[1:])}))

    faults = []
    kinds = {"false": 0, "touching": 0, "repeated": 0}
    shapes = []
    for text, touching, graphs in entries:
        rel = relation(text, names)
        if rel is None:
            faults.append("unreadable: %s" % text)
            continue
        small, large = rel
        named = set(small[0]) | set(large[0])
        tight, worst = set(), None
        for graph, row in rows:
            if any(abs(row[n]) == NO_VALUE for n in named):
                continue
            lhs, rhs = value(small, row), value(large, row)
            if lhs > rhs and (worst is None or lhs - rhs > worst[0]):
                worst = (lhs - rhs, graph)
            if abs(lhs - rhs) <= Fraction(1, 10 ** 9) * (magnitude(small, row) + magnitude(large, row)):
                tight.add(graph)
        if worst is not None:
            kinds["false"] += 1
            faults.append("false on graph %d by %g: %s" % (worst[1], float(worst[0]), text))
        if not tight:
            faults.append("touches no row: %s" % text)
        if touching != len(graphs) or len(set(graphs)) != len(graphs) or set(graphs) != tight:
            kinds["touching"] += 1
            faults.append("touching %d, %d listed graphs, %d rows tight (%d listed but not tight, %d tight but "
                          "not listed): %s" % (touching, len(graphs), len(tight), len(set(graphs) - tight),
                                               len(tight - set(graphs)), text))
        judged = [row for _, row in rows if not any(abs(row[n]) == NO_VALUE for n in named)]
        repeats = False
        for etext, etight, erel, enamed in shapes:
            if etight == tight:
                repeats = True
                faults.append("same touching graphs as %s: %s" % (etext, text))
            elif same_on_rows(rel, erel, [row for row in judged if not any(abs(row[n]) == NO_VALUE for n in enamed)]):
                repeats = True
                faults.append("same relation as %s: %s" % (etext, text))
        kinds["repeated"] += 1 if repeats else 0
        shapes.append((text, tight, rel, named))

    for f in faults:
        print(f)
    print("%d texts checked on %d rows: %d faults (%d texts false on a row, %d touching other graphs than "
          "listed, %d the same relation as an earlier entry)"
          % (len(entries), len(rows), len(faults), kinds["false"], kinds["touching"], kinds["repeated"]))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
