#include "constraints/famTREE.h"

famTREE::famTREE(bool graphical)
{
    initTreeFamily("TREE", "Boolean function that indicates wether the graph is a tree." + conventions(), graphical);
}

famTREE::~famTREE() = default;

void famTREE::recompute()
{
    recomputeTree(&TreeShape::isTree);
}
