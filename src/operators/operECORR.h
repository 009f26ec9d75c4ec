#ifndef OPERECORR_H
#define OPERECORR_H

#include "calculus/Operator.h"

#include <array>

// "ECORR": the correlation between the values at the two ends of an edge, one value per vertex
// (an n x 1 column), over every edge of the current graph taken in both directions. Without a
// usable spread of end values (no edge, a regular graph with its degrees) the value is 1 and
// the item is in error, with no message of its own.
class operECORR : public Operator
{
public:
    explicit operECORR(bool graphical);
    QString formula() override;
    void recompute() override;

private:
    // The end values of each edge, one slot per vertex pair of a 32-vertex graph, written by
    // index so that a computation allocates nothing. Both directions of an edge give the same
    // pairs, so one entry per edge suffices.
    static constexpr int MaxPairs = Calculus::MaxSize * (Calculus::MaxSize - 1) / 2;
    std::array<double, MaxPairs> firstEnd{};
    std::array<double, MaxPairs> secondEnd{};
};

#endif
