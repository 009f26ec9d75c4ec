#include "operators/operMANHATTANDIST.h"

#include <cmath>

operMANHATTANDIST::operMANHATTANDIST(bool graphical)
{
    initOperator("MANHATTANDIST", "MANHATTAN distance between 2 vectors or matrices", 2, graphical);
}

void operMANHATTANDIST::recompute()
{
    sumOfPairs([](double a, double b) { return std::fabs(a - b); });
}
