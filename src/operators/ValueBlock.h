#ifndef VALUEBLOCK_H
#define VALUEBLOCK_H

#include "calculus/Calculus.h"

// A copy of an item's value window, taken under that item's value lock and released at once:
// an operator that reads two arguments together holds at most one argument lock at a time.
// Lives on the stack; nothing is allocated.
class ValueBlock
{
public:
    explicit ValueBlock(Calculus *item);
    int rows() const { return r; }
    int cols() const { return c; }
    bool sameShape(const ValueBlock &o) const { return r == o.r && c == o.c; }
    double at(int i, int j) const { return e[i][j]; }

    // The cosine of the angle between two values of one shape, taken about zero: each product
    // divided by the root of the two squared norms before it is added, then held at exactly
    // -1 or 1 past 0.999999 so that an arc cosine never sees more than 1. False when that
    // root is below 1e-6 (a zero vector or entries that small).
    bool cosineWith(const ValueBlock &o, double &cosine) const;
    // The Euclidean distance to a value of the same shape.
    double distanceTo(const ValueBlock &o) const;

private:
    int r = 0;
    int c = 0;
    double e[Calculus::MaxSize][Calculus::MaxSize];
};

#endif
