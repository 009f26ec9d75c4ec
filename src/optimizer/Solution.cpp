#include "optimizer/Solution.h"

#include <iostream>

Solution::Solution(Eval *e, QString graphText) : graph(std::move(graphText))
{
    if (e)
        value.copy(e);
}

Solution::Solution(Solution *other) : graph(other->graph), value(other->value) {}

double Solution::violation(int i) const
{
    if (i < 0 || i >= value.size())
        return 0.0;
    return value.value(i);
}

void Solution::display() const
{
    std::cerr << value.display().toStdString() << std::endl;
}
