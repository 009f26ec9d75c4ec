#include "operators/operSUMPRODUCT.h"

operSUMPRODUCT::operSUMPRODUCT(bool graphical)
{
    initOperator("SUMPRODUCT", "Sum of the products of matching terms of 2 vectors or matrices.", 2, graphical);
}

void operSUMPRODUCT::recompute()
{
    sumOfPairs([](double a, double b) { return a * b; });
}
