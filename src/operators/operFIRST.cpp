#include "operators/operFIRST.h"

operFIRST::operFIRST(bool graphical)
{
    initOperator("FIRST", "First value of the argument. It it is a matrix, the first column is used.", 1, graphical);
}

void operFIRST::recompute()
{
    pick(Position::First);
}
