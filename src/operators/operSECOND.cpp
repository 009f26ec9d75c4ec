#include "operators/operSECOND.h"

operSECOND::operSECOND(bool graphical)
{
    initOperator("SECOND", "Second value of the argument. It it is a matrix, the second column is used.", 1, graphical);
}

void operSECOND::recompute()
{
    pick(Position::Second);
}
