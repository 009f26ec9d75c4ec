#include "operators/operLAST.h"

operLAST::operLAST(bool graphical)
{
    initOperator("LAST", "Last value of the argument. It it is a matrix, the last column is used.", 1, graphical);
}

void operLAST::recompute()
{
    pick(Position::Last);
}
