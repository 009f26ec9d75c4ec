#ifndef DISTANCESPLIT_H
#define DISTANCESPLIT_H

#include "graph/Adjacency.h"

class Distances;

// The split of a connected graph by a pair of vertices (a, b): every vertex strictly nearer
// to a goes to a's side, strictly nearer to b to b's side, a tie to neither. The cut weight
// counts 1 for each edge between the two sides (the edge a-b included), 1/2 for each edge
// between a side and a tie, plus 1.
class DistanceSplit
{
public:
    DistanceSplit(const Distances &d, const adjacency::Row rows[adjacency::MaxNodes], int n, int a, int b);

    // Side sizes, a and b included.
    double sideA() const { return na; }
    double sideB() const { return nb; }
    double cut() const { return weight; }

private:
    double na = 1.0;
    double nb = 1.0;
    double weight = 1.0;
};

#endif
